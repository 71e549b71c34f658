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
QRect litBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qRed(image.pixel(x, y)) >= 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
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
        text += QChar(d < 0 ? ' ' : '0' + d);
    return text;
}

} // namespace

class TestDisplay : public QObject
{
    Q_OBJECT
private slots:
    void shownDigits_data()
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

    void shownDigits()
    {
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(int, count);
        QTEST(shown(LedDigits::shownDigits(value, maximum, count)), "expected");
    }

    void segmentMasks()
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

    void barsKeepApart()
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

    void linesSameAtEveryScale_data()
    {
        QTest::addColumn<int>("digitSize");
        QTest::addColumn<qreal>("ratio");
        for (int size : {12, 20, 34, 40, 60})
            for (qreal ratio : {1.0, 1.5})
                QTest::addRow("%d at %gx", size, ratio) << size << ratio;
    }

    // A twice as sharp screen shows the same digits, only finer: brought down to
    // the lower ratio, the two pictures differ by antialiasing alone.
    void linesSameAtEveryScale()
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
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                difference += qAbs(qRed(plain.pixel(x, y)) - qRed(sharp.pixel(x, y)));
        const qreal mean = qreal(difference) / (plain.width() * plain.height());
        QVERIFY2(mean < 4, qPrintable(QString::number(mean)));
        const QRect a = litBounds(plain), b = litBounds(sharp);
        QVERIFY(qAbs(a.left() - b.left()) <= 1 && qAbs(a.right() - b.right()) <= 1);
        QVERIFY(qAbs(a.top() - b.top()) <= 1 && qAbs(a.bottom() - b.bottom()) <= 1);
    }

    void dotGrid_data()
    {
        QTest::addColumn<int>("digitSize");
        QTest::addColumn<int>("digits");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("perSegment");
        const std::pair<int, int> sizes[] = {{12, 2}, {14, 2}, {16, 2}, {20, 2}, {34, 3}, {60, 4}};
        for (auto [size, perSegment] : sizes)
            for (qreal ratio : {1.0, 1.5, 2.0})
                QTest::addRow("%d at %gx", size, ratio) << size << 2 << ratio << perSegment;
        QTest::newRow("one digit") << 16 << 1 << 1.0 << 2;
        QTest::newRow("preview") << 65 << 1 << 1.0 << 4;
    }

    void dotGrid()
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
            const qreal closest = (grid.pitch() >= 2 ? grid.diameter() : 1) - 1e-6;
            for (int i = 0; i < lamps[d].size(); ++i)
                for (int j = i + 1; j < lamps[d].size(); ++j)
                    QVERIFY(QLineF(lamps[d][i].center(), lamps[d][j].center()).length() >= closest);
            // A clear pixel between neighbouring digits, row by row.
            for (const QRectF& a : lamps[d])
                for (const QRectF& b : d + 1 < digits ? lamps[d + 1] : QList<QRectF>())
                    if (qFuzzyCompare(a.top(), b.top()))
                        QVERIFY(b.left() - a.right() >= 1 - 1e-6);
        }
    }

    void dotsLitAndUnlit_data()
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
    void dotsLitAndUnlit()
    {
        QFETCH(qreal, ratio);
        QFETCH(QColor, lit);
        QFETCH(QColor, back);
        const QSize size = NumberLED::sizeFor(14, 2);
        const QImage image =
            LedPainter(LedPainter::Dots, lit, back).pixmap(size, ratio, {-1, 8}).toImage();
        const DotGrid grid(QRectF(QPointF(0, 0), size), 2, ratio);
        const int contrast = distance(lit.rgb(), back.rgb());
        for (int d = 0; d < 2; ++d)
            for (int s = 0; s < SegmentGeometry::SegmentCount; ++s)
                for (const QRectF& lamp : grid.dots(d, s)) {
                    const QPointF centre = onDevice(lamp, ratio).center();
                    const QRgb pixel = image.pixel(int(centre.x()), int(centre.y()));
                    // Tens unlit, units an 8.
                    const bool ok = d == 0 ? distance(pixel, back.rgb()) <= contrast / 5
                                           : qRed(pixel) >= lit.red() - 8 &&
                                                 qGreen(pixel) >= lit.green() - 8 &&
                                                 qBlue(pixel) >= lit.blue() - 8;
                    QVERIFY2(ok, qPrintable(QColor(pixel).name()));
                }
    }

    void sizing_data()
    {
        QTest::addColumn<int>("digitSize");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QSize>("expected");
        // Unrounded: 40.8 x 33.15, 18.7, 19.5 (to even), 16.5 (to even), 48.75.
        const std::tuple<int, int, QSize> rows[] = {
            {40, 2, {48, 39}}, {40, 1, {22, 39}}, {34, 2, {41, 33}}, {34, 1, {19, 33}},
            {20, 2, {24, 20}}, {30, 1, {16, 29}}, {50, 2, {60, 49}}, {40, 3, {74, 39}},
            {0, 2, {0, 0}},    {-40, 2, {0, 0}}};
        for (const auto& [size, digits, expected] : rows)
            QTest::addRow("%d, %d digits", size, digits) << size << digits << expected;
    }

    void sizing()
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

    void paintsOnlyWhatIsShown()
    {
        for (int style : {NumberLED::Lines, NumberLED::Dots}) {
            NumberLED led;
            led.setLedType(style);
            const QImage blank = led.grab().toImage();
            QVERIFY(litBounds(blank).isEmpty());

            led.setValue(7);
            const QImage seven = led.grab().toImage();
            QVERIFY(!litBounds(seven).isEmpty());
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

    void signalsOnlyOnChange()
    {
        NumberLED led;
        QSignalSpy values(&led, &NumberLED::valueChanged);
        QSignalSpy lits(&led, &NumberLED::litColorChanged);
        QSignalSpy backs(&led, &NumberLED::backColorChanged);
        // The defaults again, then one change made twice.
        for (int round = 0; round < 3; ++round) {
            led.setValue(round ? 12 : -1);
            led.setLitColor(round ? QColor(0xFF8000) : QColor(Qt::red));
            led.setBackColor(round ? QColor(Qt::blue) : QColor(Qt::black));
        }
        QCOMPARE(QList<QVariantList>(values), QList<QVariantList>{{12}});
        QCOMPARE(QList<QVariantList>(lits), QList<QVariantList>{{QColor(0xFF8000)}});
        QCOMPARE(QList<QVariantList>(backs), QList<QVariantList>{{QColor(Qt::blue)}});
    }

    void copySettings()
    {
        NumberLED source;
        const QVariantMap settings = {{"DigitSize", 55},
                                      {"LitColor", QColor(Qt::green)},
                                      {"BackColor", QColor(Qt::darkBlue)},
                                      {"LedType", int(NumberLED::Dots)},
                                      {"Digits", 1},
                                      {"Max", 9}};
        for (auto it = settings.begin(); it != settings.end(); ++it)
            source.setProperty(qPrintable(it.key()), it.value());
        QFont font = source.font();
        font.setPixelSize(31);
        source.setFont(font);
        source.setValue(4);

        NumberLED copy;
        copy.setValue(3);
        copy.copySettingsFrom(source);
        for (auto it = settings.begin(); it != settings.end(); ++it)
            QCOMPARE(copy.property(qPrintable(it.key())), it.value());
        QCOMPARE(copy.font().pixelSize(), 31);
        QCOMPARE(copy.size(), source.size());
        QCOMPARE(copy.value(), 3);
    }

    void accessibleName()
    {
        NumberLED led;
        QCOMPARE(led.accessibleName(), QString("no value"));
        led.setValue(123);
        QCOMPARE(led.accessibleName(), QString("99"));
        led.setMaximum(150);
        QCOMPARE(led.accessibleName(), QString("99")); // two digits still show 99 at most
        led.setDigits(3);
        QCOMPARE(led.accessibleName(), QString("123"));
    }

    void cacheFollowsDevicePixelRatio()
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

    void polyFitsItsDigit()
    {
        PolyLED poly;
        QCOMPARE(poly.sizeHint(), QSize(36, 65));
        for (const QSize& size : {QSize(36, 65), QSize(200, 60), QSize(30, 200)})
            for (int style : {NumberLED::Lines, NumberLED::Dots}) {
                poly.setLedType(style);
                poly.resize(size);
                const QRect lit = litBounds(poly.grab().toImage());
                QVERIFY(!lit.isEmpty());
                // Centred and undistorted, whatever the widget's shape.
                QVERIFY(qAbs(lit.center().x() - size.width() / 2) <= 2);
                QVERIFY(qAbs(lit.center().y() - size.height() / 2) <= 2);
                const qreal aspect = qreal(lit.width()) / lit.height();
                QVERIFY(qAbs(aspect - SegmentGeometry::aspectRatio()) < 0.1);
            }
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
