#include "display/NumberLED.h"
#include "display/PolyLED.h"
#include "panel/modColor.h"
#include "platform/modStretch.h"
#include "platform/ImageControl.h"
#include "platform/LineControl.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QColor bgr(quint32 value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

void tick(Quorvel& panel) { QMetaObject::invokeMethod(&panel, "refreshOptions"); }

// A picture of w x h pixels, each pixel 15 twips.
QString savePicture(const PanelFixture& fixture, const QString& name, int w, int h,
                    QColor color = Qt::blue)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    const QString path = fixture.path(name);
    image.save(path);
    return path;
}

QRect twipsRect(const QWidget* w)
{
    return {Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w)};
}

} // namespace

class TestColors : public QObject
{
    Q_OBJECT

private slots:
    void fitPicture_data()
    {
        QTest::addColumn<int>("pictureW"); // pixels
        QTest::addColumn<int>("pictureH");
        QTest::addColumn<QRect>("fitted"); // twips
        QTest::newRow("wide: the width fills") << 192 << 96 << QRect(0, 90, 720, 360);
        QTest::newRow("tall: the height fills") << 40 << 80 << QRect(225, 0, 270, 540);
        QTest::newRow("same proportions") << 96 << 72 << QRect(0, 0, 720, 540);
    }
    void fitPicture()
    {
        QFETCH(int, pictureW);
        QFETCH(int, pictureH);
        PanelFixture fixture;
        PictureBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);
        modStretch::FitPicture(&img, &box, savePicture(fixture, "p.png", pictureW, pictureH));
        QTEST(twipsRect(&img), "fitted");
        QVERIFY(img.stretch() && img.isVisibleTo(&box) && img.hasPicture());
    }

    void fitPictureWithoutAUsableFile()
    {
        PanelFixture fixture;
        PictureBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);

        const QString deleted = fixture.path("gone.png");
        modStretch::FitPicture(&img, &box, deleted); // fresh image, no file: nothing shown
        QVERIFY(!img.hasPicture());

        const QString path = savePicture(fixture, "p.png", 192, 96);
        modStretch::FitPicture(&img, &box, path);
        const QRect shown = img.geometry();
        QVERIFY(QFile::remove(path));
        modStretch::FitPicture(&img, &box, path); // deleted since: the old picture stays
        QVERIFY(img.hasPicture());
        QCOMPARE(img.geometry(), shown);

        QFile junk(fixture.path("junk.jpg"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is no picture at all");
        junk.close();
        modStretch::FitPicture(&img, &box, junk.fileName()); // undecodable: no picture
        QVERIFY(!img.hasPicture());

        modStretch::FitPicture(&img, &box, savePicture(fixture, "q.png", 10, 10));
        modStretch::FitPicture(&img, &box, QString()); // empty path clears
        QVERIFY(!img.hasPicture());
        QVERIFY(img.isVisibleTo(&box));
    }

    void fitPictureReadsTheFileAgainAndShowsPhotosSmall()
    {
        PanelFixture fixture;
        PictureBox box;
        Twips::setGeometry(&box, 0, 0, 720, 540);
        ImageControl img(&box);
        const QString path = savePicture(fixture, "logo.png", 30, 10, Qt::red);
        modStretch::FitPicture(&img, &box, path);
        QCOMPARE(img.picture().pixelColor(0, 0), QColor(Qt::red));

        savePicture(fixture, "logo.png", 3000, 1000, Qt::green); // replaced by a photo
        modStretch::FitPicture(&img, &box, path);
        QCOMPARE(img.picture().pixelColor(0, 0), QColor(Qt::green));
        QVERIFY(img.picture().width() <= 1024); // kept reduced for showing
        QCOMPARE(twipsRect(&img), QRect(0, 150, 720, 240)); // fitted by its own size
    }

    void colorLedsSetsBackgroundThenLitColourInRowOrder()
    {
        PanelSettings::LEDBack = 0x112233;
        std::vector<std::unique_ptr<NumberLED>> owned;
        std::vector<NumberLED*> leds;
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            owned.push_back(std::make_unique<NumberLED>());
            NumberLED* led = owned.back().get();
            leds.push_back(led);
            connect(led, &NumberLED::backColorChanged, this, [&order, i] { order << QString("back%1").arg(i); });
            connect(led, &NumberLED::litColorChanged, this, [&order, i] { order << QString("lit%1").arg(i); });
        }
        modColor::ColorLeds(leds, 0x00FF00);
        QCOMPARE(order.size(), 16);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(order[2 * i], QString("back%1").arg(i));
            QCOMPARE(order[2 * i + 1], QString("lit%1").arg(i));
            QCOMPARE(leds[i]->backColor(), bgr(0x112233));
            QCOMPARE(leds[i]->litColor(), QColor(0, 255, 0));
        }
    }

    void firstRunShowsTheDefaultColours()
    {
        PanelFixture fixture;
        auto p = fixture.panel(400, 600);
        QCOMPARE(p->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(p->picStats->backColor(), QColor(255, 0, 0));
        QCOMPARE(p->txtTitleName->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(p->lineDivider->borderColor(), QColor(Qt::white));
        QCOMPARE(p->picPlayer[4]->backColor(), QColor(Qt::black));
        QCOMPARE(p->lblName[4]->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(p->nledNumber[4]->litColor(), QColor(255, 128, 0));
        QCOMPARE(p->nledFouls[4]->litColor(), QColor(255, 0, 0));
        QCOMPARE(p->nledPoints[4]->litColor(), QColor(0, 192, 0));
        QCOMPARE(p->nledPoints[4]->backColor(), QColor(Qt::black));
        QCOMPARE(int(p->picPlayer.size()), 5);
    }

    void ledBackRecoloursOnlyTheRows()
    {
        PanelFixture fixture;
        auto p = fixture.panel(400, 600);
        const QPalette title = p->txtTitleName->palette();
        PanelSettings::LEDBack = 0x404040;
        p->UpdateFormColors();
        const QColor grey(0x40, 0x40, 0x40);
        QCOMPARE(p->picPlayer[2]->backColor(), grey);
        QCOMPARE(p->lblName[2]->palette().color(QPalette::Window), grey);
        QCOMPARE(p->nledFouls[2]->backColor(), grey);
        QCOMPARE(p->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(p->txtTitleName->palette(), title);
    }

    void borderColourRecoloursTextsAndDivider()
    {
        PanelFixture fixture;
        auto p = fixture.panel(400, 600);
        const QPalette input = p->txtInputName->palette();
        const QColor caption = p->lblInputName->palette().color(QPalette::Window);
        QVERIFY(caption != p->palette().color(QPalette::Window));
        PanelSettings::BorderColor = 0x00FFFF; // yellow
        PanelSettings::FormBack = 0x00FF00;
        p->UpdateFormColors();
        const QColor yellow(255, 255, 0);
        QCOMPARE(p->txtTeamName->palette().color(QPalette::Text), yellow);
        for (QLineEdit* title : {p->txtTitleName, p->txtTitleNumber, p->txtTitleFouls, p->txtTitlePoints})
            QCOMPARE(title->palette().color(QPalette::Text), yellow);
        QCOMPARE(p->lineDivider->borderColor(), yellow);
        for (QLabel* name : p->lblName)
            QCOMPARE(name->palette().color(QPalette::WindowText), yellow);
        // The edit line keeps its colours.
        QCOMPARE(p->txtInputName->palette().color(QPalette::Base), input.color(QPalette::Base));
        QCOMPARE(p->txtInputName->palette().color(QPalette::Text), input.color(QPalette::Text));
        QCOMPARE(p->lblInputName->palette().color(QPalette::Window), caption);
    }

    void refreshRunsOncePerClearedFlag()
    {
        FakeNumLock keyboard(NumLockBackend::State::Off);
        PanelFixture fixture;
        auto home = fixture.panel(400, 600, true);
        auto visitor = fixture.panel(400, 600, false);
        QVERIFY(home->tmrOptions.isActive());
        QCOMPARE(home->tmrOptions.interval(), 1000);

        // Both start stale; each refreshes on its own tick.
        tick(*home);
        QVERIFY(PanelSettings::HomeRefreshed);
        QVERIFY(!PanelSettings::VisitorRefreshed);
        tick(*visitor);
        QVERIFY(PanelSettings::VisitorRefreshed);

        // New settings reach a stale panel in one tick, new rows included.
        PanelSettings::PlayerTotal = 8;
        PanelSettings::LEDType = 1;
        PanelSettings::NumColor = 0xFF0000; // blue
        PanelSettings::NumLockForce = 1;
        tick(*home); // still current: nothing happens
        QCOMPARE(int(home->picPlayer.size()), 5);
        QCOMPARE(keyboard.sets, 0);

        PanelSettings::HomeRefreshed = PanelSettings::VisitorRefreshed = false;
        tick(*home);
        QCOMPARE(int(home->picPlayer.size()), 8);
        for (NumberLED* led : home->nledNumber) {
            QCOMPARE(led->ledType(), 1);
            QCOMPARE(led->litColor(), QColor(0, 0, 255));
        }
        QCOMPARE(home->nledPreFouls->ledType(), 1);
        QCOMPARE(keyboard.state(), NumLockBackend::State::On);
        QCOMPARE(int(visitor->picPlayer.size()), 5); // the visitor waits for its own tick

        // Two panels of one side: the first to tick takes the refresh.
        auto secondHome = fixture.panel(400, 600, true);
        PanelSettings::HomeRefreshed = false;
        PanelSettings::PlayerTotal = 3;
        tick(*home);
        tick(*secondHome);
        QCOMPARE(int(home->picPlayer.size()), 3);
        QCOMPARE(int(secondHome->picPlayer.size()), 5);
    }

    void refreshAndResizeFitTheTeamPicture()
    {
        PanelFixture fixture;
        auto visitor = fixture.panel(400, 600, false);
        PanelSettings::VisitorPic = savePicture(fixture, "v.png", 300, 100, Qt::green);
        PanelSettings::HomePic = savePicture(fixture, "h.png", 100, 300, Qt::red);
        PanelSettings::VisitorRefreshed = false;
        tick(*visitor);
        QVERIFY(visitor->imgTeamLogo->hasPicture());
        QCOMPARE(visitor->imgTeamLogo->picture().pixelColor(0, 0), QColor(Qt::green));
        QCOMPARE(visitor->imgTeamLogo->width(), visitor->picTeamLogo->width());

        visitor->resize(800, 900); // a bigger logo box, fitted again
        QCOMPARE(visitor->imgTeamLogo->width(), visitor->picTeamLogo->width());
        QVERIFY(visitor->imgTeamLogo->height() <= visitor->picTeamLogo->height());
    }
};

QTEST_MAIN(TestColors)
#include "test_colors.moc"
