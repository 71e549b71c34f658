#include "display/DotGrid.h"
#include "display/LedDigits.h"
#include "display/LedPainter.h"
#include "display/NumberLED.h"
#include "display/PolyLED.h"
#include "display/SegmentGeometry.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Pixels clearly in the lit colour (red on black): unlit segments are only a
// faint red, antialiased edges fall between.
QRect litBounds(const QImage& image, int* count = nullptr)
{
    QRect bounds;
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(image.pixel(x, y)) >= 160) {
                bounds |= QRect(x, y, 1, 1);
                ++lit;
            }
        }
    }
    if (count)
        *count = lit;
    return bounds;
}

int litPixels(QWidget& widget)
{
    int count = 0;
    litBounds(widget.grab().toImage(), &count);
    return count;
}

// `image` at exactly half its scale, two by two pixels averaged into one.
QImage halved(const QImage& image, const QSize& size)
{
    QImage half(size, QImage::Format_RGB32);
    half.fill(Qt::black);
    QPainter painter(&half);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(0.5, 0.5);
    painter.drawImage(0, 0, image);
    return half;
}

// A lamp's square in device pixels.
QRectF onDevice(const QRectF& lamp, qreal ratio)
{
    return QRectF(lamp.topLeft() * ratio, lamp.size() * ratio);
}

bool whole(qreal v)
{
    return qAbs(v - qRound(v)) < 1e-6;
}

int distance(QRgb a, QRgb b)
{
    return qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))),
                qAbs(qBlue(a) - qBlue(b)));
}

QString shown(const QList<int>& digits)
{
    QString text;
    for (int d : digits)
        text += d < 0 ? QChar(' ') : QChar('0' + d);
    return text;
}

} // namespace

class TestDisplay : public QObject
{
    Q_OBJECT
private slots:
    void shownDigits_data();
    void shownDigits();
    void segmentMasks();
    void barsKeepApart();
    void linesSameAtEveryScale_data();
    void linesSameAtEveryScale();
    void dotGrid_data();
    void dotGrid();
    void dotsLitAndUnlit_data();
    void dotsLitAndUnlit();
    void sizing_data();
    void sizing();
    void paintsOnlyWhatIsShown();
    void signalsOnlyOnChange();
    void copySettings();
    void accessibleName();
    void cacheFollowsDevicePixelRatio();
    void polyFitsItsDigit();
};

void TestDisplay::shownDigits_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no value") << -1 << 99 << 2 << "  ";
    QTest::newRow("any negative") << -42 << 99 << 2 << "  ";
    QTest::newRow("zero") << 0 << 99 << 2 << " 0";
    QTest::newRow("no leading zero") << 7 << 99 << 2 << " 7";
    QTest::newRow("two digits") << 42 << 99 << 2 << "42";
    QTest::newRow("above max") << 150 << 99 << 2 << "99";
    QTest::newRow("lower max") << 75 << 50 << 2 << "50";
    QTest::newRow("max beyond digits") << 250 << 999 << 2 << "99";
    QTest::newRow("fouls") << 3 << 9 << 1 << "3";
    QTest::newRow("fouls above max") << 12 << 9 << 1 << "9";
    QTest::newRow("many digits") << INT_MAX << INT_MAX << 9 << "999999999";
}

void TestDisplay::shownDigits()
{
    QFETCH(int, value);
    QFETCH(int, maximum);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(shown(LedDigits::shownDigits(value, maximum, count)), expected);
}

void TestDisplay::segmentMasks()
{
    // Lit segment counts of the ten digits, and 8 lights all seven.
    const int counts[] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    QSet<int> masks;
    for (int digit = 0; digit <= 9; ++digit) {
        QCOMPARE(qPopulationCount(quint32(LedDigits::segmentMask(digit))), counts[digit]);
        masks.insert(LedDigits::segmentMask(digit));
    }
    QCOMPARE(masks.size(), 10);
    QCOMPARE(LedDigits::segmentMask(8), 0x7F);
    QCOMPARE(LedDigits::segmentMask(-1), 0);
}

void TestDisplay::barsKeepApart()
{
    for (qreal height : {8.0, 33.0, 300.0}) {
        const SegmentGeometry g(QRectF(5, 7, height * SegmentGeometry::aspectRatio(), height));
        // Tiny digits keep bars thick enough to read.
        QVERIFY(g.thickness() >= 1.5);
        const QRectF inside = g.box().adjusted(-0.01, -0.01, 0.01, 0.01);
        for (int s = 0; s < SegmentGeometry::SegmentCount; ++s) {
            QVERIFY(inside.contains(g.bar(s).boundingRect()));
            for (int t = s + 1; t < SegmentGeometry::SegmentCount; ++t)
                QVERIFY2(!g.bar(s).intersects(g.bar(t)),
                         qPrintable(QString("%1/%2").arg(s).arg(t)));
        }
    }
}

void TestDisplay::linesSameAtEveryScale_data()
{
    QTest::addColumn<int>("digitSize");
    QTest::addColumn<qreal>("ratio");
    for (int size : {12, 20, 34, 40, 60}) {
        for (qreal ratio : {1.0, 1.5})
            QTest::addRow("%d at %gx", size, ratio) << size << ratio;
    }
}

// A twice as sharp screen shows the same digits, only finer: brought down to
// the lower ratio, the two pictures differ by antialiasing alone.
void TestDisplay::linesSameAtEveryScale()
{
    QFETCH(int, digitSize);
    QFETCH(qreal, ratio);
    const LedPainter painter(LedPainter::Lines, Qt::red, Qt::black);
    const QSize size = NumberLED::sizeFor(digitSize, 2);
    QImage plain = painter.pixmap(size, ratio, {8, 8}).toImage();
    QImage sharp = painter.pixmap(size, 2 * ratio, {8, 8}).toImage();
    plain.setDevicePixelRatio(1);
    sharp.setDevicePixelRatio(1);
    sharp = halved(sharp, plain.size());

    qint64 difference = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x)
            difference += qAbs(qRed(plain.pixel(x, y)) - qRed(sharp.pixel(x, y)));
    }
    const qreal mean = qreal(difference) / (plain.width() * plain.height());
    QVERIFY2(mean < 4, qPrintable(QString::number(mean)));
    const QRect a = litBounds(plain), b = litBounds(sharp);
    QVERIFY(qAbs(a.left() - b.left()) <= 1 && qAbs(a.right() - b.right()) <= 1);
    QVERIFY(qAbs(a.top() - b.top()) <= 1 && qAbs(a.bottom() - b.bottom()) <= 1);
}

void TestDisplay::dotGrid_data()
{
    QTest::addColumn<int>("digitSize");
    QTest::addColumn<int>("digits");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("perSegment");
    const std::pair<int, int> sizes[] = {{12, 2}, {14, 2}, {16, 2}, {20, 2}, {34, 3}, {60, 4}};
    for (auto [size, perSegment] : sizes) {
        for (qreal ratio : {1.0, 1.5, 2.0})
            QTest::addRow("%d at %gx", size, ratio) << size << 2 << ratio << perSegment;
    }
    QTest::newRow("one digit") << 16 << 1 << 1.0 << 2;
    QTest::newRow("preview") << 65 << 1 << 1.0 << 4;
}

void TestDisplay::dotGrid()
{
    QFETCH(int, digitSize);
    QFETCH(int, digits);
    QFETCH(qreal, ratio);
    QFETCH(int, perSegment);
    const QSize size = NumberLED::sizeFor(digitSize, digits);
    const DotGrid grid(QRectF(QPointF(0, 0), size), digits, ratio);
    QCOMPARE(grid.digitCount(), digits);
    QCOMPARE(grid.dotsPerSegment(), perSegment);
    QVERIFY(grid.diameter() >= 2);

    const QRectF area(QPointF(0, 0), QSizeF(size) * ratio);
    QList<QList<QRectF>> lamps(digits);
    QRectF extent;
    for (int d = 0; d < digits; ++d) {
        for (int s = 0; s < SegmentGeometry::SegmentCount; ++s) {
            const QList<QRectF> segment = grid.dots(d, s);
            QCOMPARE(segment.size(), perSegment);
            for (const QRectF& lamp : segment) {
                const QRectF r = onDevice(lamp, ratio);
                // Whole device pixels, inside the display.
                QVERIFY(whole(r.left()) && whole(r.top()) && whole(r.width()));
                QCOMPARE(r.width(), qreal(grid.diameter()));
                QVERIFY(area.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(r));
                lamps[d] << r;
                extent |= r;
            }
        }
    }
    // Small displays still use most of their height.
    QVERIFY(extent.height() >= 0.6 * area.height());
    for (int d = 0; d < digits; ++d) {
        // Lamps may touch, at the tiniest pitch merge, but never pile up.
        for (int i = 0; i < lamps[d].size(); ++i) {
            for (int j = i + 1; j < lamps[d].size(); ++j) {
                const qreal apart = QLineF(lamps[d][i].center(), lamps[d][j].center()).length();
                QVERIFY(apart >= (grid.pitch() >= 2 ? grid.diameter() : 1) - 1e-6);
            }
        }
        // A clear pixel between neighbouring digits, row by row.
        if (d + 1 < digits) {
            for (const QRectF& a : lamps[d]) {
                for (const QRectF& b : lamps[d + 1]) {
                    if (qFuzzyCompare(a.top(), b.top()))
                        QVERIFY(b.left() - a.right() >= 1 - 1e-6);
                }
            }
        }
    }
}

void TestDisplay::dotsLitAndUnlit_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QColor>("lit");
    QTest::addColumn<QColor>("back");
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QTest::addRow("orange at %gx", ratio) << ratio << QColor(0xFF8000) << QColor(Qt::black);
        QTest::addRow("cyan on navy at %gx", ratio)
            << ratio << QColor(Qt::cyan) << QColor(0x000020);
    }
}

// On a small display a lit lamp shows at least its full colour (its glow only
// brightens it) and an unlit one stays close to the background.
void TestDisplay::dotsLitAndUnlit()
{
    QFETCH(qreal, ratio);
    QFETCH(QColor, lit);
    QFETCH(QColor, back);
    const QSize size = NumberLED::sizeFor(14, 2);
    const QImage image =
        LedPainter(LedPainter::Dots, lit, back).pixmap(size, ratio, {-1, 8}).toImage();
    const DotGrid grid(QRectF(QPointF(0, 0), size), 2, ratio);
    const int contrast = distance(lit.rgb(), back.rgb());
    for (int d = 0; d < 2; ++d) {
        for (int s = 0; s < SegmentGeometry::SegmentCount; ++s) {
            for (const QRectF& lamp : grid.dots(d, s)) {
                const QPointF centre = onDevice(lamp, ratio).center();
                const QRgb pixel = image.pixel(int(centre.x()), int(centre.y()));
                if (d == 1)
                    QVERIFY2(qRed(pixel) >= lit.red() - 8 && qGreen(pixel) >= lit.green() - 8 &&
                                 qBlue(pixel) >= lit.blue() - 8,
                             qPrintable(QColor(pixel).name()));
                else
                    QVERIFY2(distance(pixel, back.rgb()) <= contrast / 5,
                             qPrintable(QColor(pixel).name()));
            }
        }
    }
}

void TestDisplay::sizing_data()
{
    QTest::addColumn<int>("digitSize");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("40, two") << 40 << 2 << QSize(48, 39);
    QTest::newRow("40, one") << 40 << 1 << QSize(22, 39);
    QTest::newRow("34, two") << 34 << 2 << QSize(41, 33); // 40.8 x 33.15
    QTest::newRow("34, one") << 34 << 1 << QSize(19, 33); // 18.7
    QTest::newRow("20, two") << 20 << 2 << QSize(24, 20); // height 19.5 to even
    QTest::newRow("30, one") << 30 << 1 << QSize(16, 29); // 16.5 to even
    QTest::newRow("50, two") << 50 << 2 << QSize(60, 49); // 48.75
    QTest::newRow("40, three") << 40 << 3 << QSize(74, 39);
    QTest::newRow("zero") << 0 << 2 << QSize(0, 0);
    QTest::newRow("negative") << -40 << 2 << QSize(0, 0);
}

void TestDisplay::sizing()
{
    QFETCH(int, digitSize);
    QFETCH(int, digits);
    QFETCH(QSize, expected);
    QCOMPARE(NumberLED::sizeFor(digitSize, digits), expected);

    // Never shown: the host reads the size before the display is visible.
    NumberLED led;
    led.setDigits(digits);
    led.setDigitSize(digitSize);
    QCOMPARE(led.size(), expected);
    QCOMPARE(led.sizeHint(), expected);
    led.setLedType(NumberLED::Dots);
    led.setLitColor(Qt::green);
    led.setValue(5);
    QCOMPARE(led.size(), expected);
    led.grab(); // an empty display paints without trouble
}

void TestDisplay::paintsOnlyWhatIsShown()
{
    for (int style : {NumberLED::Lines, NumberLED::Dots}) {
        NumberLED led;
        led.setLedType(style);
        QCOMPARE(litPixels(led), 0);
        const QImage blank = led.grab().toImage();

        led.setValue(7);
        QVERIFY(litPixels(led) > 0);
        const QImage seven = led.grab().toImage();
        // The tens position stays unlit: no leading zero.
        const int half = led.width() / 2;
        QCOMPARE(seven.copy(0, 0, half, led.height()), blank.copy(0, 0, half, led.height()));

        led.setValue(99);
        const QImage max = led.grab().toImage();
        led.setValue(150);
        QCOMPARE(led.value(), 150);
        QCOMPARE(led.grab().toImage(), max);

        led.setValue(-5);
        QCOMPARE(led.grab().toImage(), blank);
    }
}

void TestDisplay::signalsOnlyOnChange()
{
    NumberLED led;
    QSignalSpy values(&led, &NumberLED::valueChanged);
    QSignalSpy lits(&led, &NumberLED::litColorChanged);
    QSignalSpy backs(&led, &NumberLED::backColorChanged);

    led.setValue(-1);
    led.setLitColor(Qt::red);
    led.setBackColor(Qt::black);
    QCOMPARE(values.size() + lits.size() + backs.size(), 0);

    led.setValue(12);
    led.setValue(12);
    led.setLitColor(QColor(0xFF8000));
    led.setLitColor(QColor(0xFF8000));
    led.setBackColor(Qt::blue);
    led.setBackColor(Qt::blue);
    QCOMPARE(values.size(), 1);
    QCOMPARE(values[0][0].toInt(), 12);
    QCOMPARE(lits.size(), 1);
    QCOMPARE(lits[0][0].value<QColor>(), QColor(0xFF8000));
    QCOMPARE(backs.size(), 1);
    QCOMPARE(backs[0][0].value<QColor>(), QColor(Qt::blue));
}

void TestDisplay::copySettings()
{
    NumberLED source;
    source.setDigitSize(55);
    source.setLitColor(Qt::green);
    source.setBackColor(Qt::darkBlue);
    source.setLedType(NumberLED::Dots);
    source.setDigits(1);
    source.setMaximum(9);
    QFont font = source.font();
    font.setPixelSize(31);
    source.setFont(font);
    source.setValue(4);

    NumberLED copy;
    copy.setValue(3);
    copy.copySettingsFrom(source);
    QCOMPARE(copy.digitSize(), 55);
    QCOMPARE(copy.litColor(), QColor(Qt::green));
    QCOMPARE(copy.backColor(), QColor(Qt::darkBlue));
    QCOMPARE(copy.ledType(), int(NumberLED::Dots));
    QCOMPARE(copy.digits(), 1);
    QCOMPARE(copy.maximum(), 9);
    QCOMPARE(copy.font().pixelSize(), 31);
    QCOMPARE(copy.size(), source.size());
    QCOMPARE(copy.value(), 3);
}

void TestDisplay::accessibleName()
{
    NumberLED led;
    QCOMPARE(led.accessibleName(), QString("no value"));
    led.setValue(42);
    QCOMPARE(led.accessibleName(), QString("42"));
    led.setValue(123);
    QCOMPARE(led.accessibleName(), QString("99"));
    led.setMaximum(150);
    QCOMPARE(led.accessibleName(), QString("99"));
    led.setDigits(3);
    QCOMPARE(led.accessibleName(), QString("123"));
}

void TestDisplay::cacheFollowsDevicePixelRatio()
{
    const LedPainter painter(LedPainter::Lines, Qt::red, Qt::black);
    const QPixmap sharp = painter.pixmap(QSize(48, 39), 2.0, {4, 2});
    QCOMPARE(sharp.size(), QSize(96, 78));
    QVERIFY(LedPainter::fits(sharp, QSize(48, 39), 2.0));
    QVERIFY(!LedPainter::fits(sharp, QSize(48, 39), 1.5));
    QVERIFY(!LedPainter::fits(sharp, QSize(22, 39), 2.0));
    QVERIFY(!LedPainter::fits(QPixmap(), QSize(0, 0), 1.0));
    // Fractional ratios round the pixmap up and still reuse it.
    const QPixmap odd = painter.pixmap(QSize(41, 33), 1.5, {4, 2});
    QVERIFY(LedPainter::fits(odd, QSize(41, 33), 1.5));
}

void TestDisplay::polyFitsItsDigit()
{
    PolyLED poly;
    QCOMPARE(poly.sizeHint(), QSize(36, 65));
    for (const QSize& size : {QSize(36, 65), QSize(200, 60), QSize(30, 200)}) {
        for (int style : {NumberLED::Lines, NumberLED::Dots}) {
            poly.setLedType(style);
            poly.resize(size);
            const QRect lit = litBounds(poly.grab().toImage());
            QVERIFY(!lit.isEmpty());
            // Centred and undistorted, whatever the widget's shape.
            QVERIFY(qAbs(lit.center().x() - size.width() / 2) <= 2);
            QVERIFY(qAbs(lit.center().y() - size.height() / 2) <= 2);
            QVERIFY(qAbs(qreal(lit.width()) / lit.height() - SegmentGeometry::aspectRatio()) < 0.1);
        }
    }
}

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
