#include "app/CommandLine.h"
#include "app/frmScoreboard.h"
#include "app/frmSplash.h"
#include "panel/Quorvel.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"
#include "support/ScriptedDialogs.h"
#include "toolkit/TwipsGeometry.h"

#include <QTcpServer>
#include <QtTest>
#include <QtWidgets>

using Facts::facts;

namespace {

// The windows showing, by name, and the active one.
QString windows()
{
    QStringList shown;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << (w->objectName().isEmpty() ? w->windowTitle() : w->objectName());
    shown.sort();
    const QWidget* active = QApplication::activeWindow();
    return facts("shown", shown.join(", "), "active", active ? active->objectName() : "none");
}

// The texts of a group of controls, one after the other.
QString texts(std::initializer_list<const QObject*> objects)
{
    QStringList all;
    for (const QObject* o : objects)
        all << o->property("text").toString() + o->property("title").toString();
    return all.join('|');
}

frmSplash* shownSplash()
{
    auto* splash = new frmSplash;
    splash->show();
    splash->activateWindow();
    (void)QTest::qWaitForWindowActive(splash);
    return splash;
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    FakeNumLock m_numLock; // no test reaches the real keyboard

private slots:
    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // Every caption and fixed text of a panel, exactly as written (the team
    // names and an empty row are in test_game; the options dialog's captions
    // are with its places in test_options).
    void captions()
    {
        PanelFixture store;
        Quorvel placed;
        placed.initProperties();
        const auto p = store.panel(338, 524, true);
        CHECK_FACTS(
            facts("placed", placed.txtTeamName->text(), "titles",
                  texts({p->txtTitleName, p->txtTitleNumber, p->txtTitleFouls, p->txtTitlePoints}),
                  "prototype", p->lblPreName->text(), "edit line",
                  texts({p->lblInputName, p->lblInputNumber, p->lblInputFouls, p->lblInputPoints,
                         p->txtInputName, p->txtInputNumber, p->txtInputFouls, p->txtInputPoints,
                         p->cmdInputChange}),
                  "options", p->cmdOptions->text()),
            "placed=Team Name titles=Plyr Name|Plyr #|FLS|PTS prototype=Samplenam edit "
            "line=Name:|#:|Fls:|Pts:|Name|0|0|0|Set options=O");
    }

    // Only the one argument "bypass", exactly so, skips the splash. The splash
    // is centred across, its top as if it were 5880 twips tall, so it stands
    // 1320 above the middle (and above the screen on a short one). No argument,
    // and the place on 1280x1024, are in e2e/start.sh.
    void startUp()
    {
        QStringList bypass;
        for (const char* line :
             {"tallyvane bypass", "tallyvane Bypass", "tallyvane bypass x", "tallyvane bypass2"})
            bypass << facts(line, CommandLine::bypassesSplash(QString(line).split(' ')));
        CHECK_FACTS(bypass.join(", "), "tallyvane bypass=true, tallyvane Bypass=false, tallyvane "
                                       "bypass x=false, tallyvane bypass2=false");
        CHECK_FACTS(facts("1920x1080", frmSplash::placement({0, 0, 1920, 1080}),
                          "640x350 on the right", frmSplash::placement({1280, 0, 640, 350})),
                    "1920x1080=752,344 640x350 on the right=1392,-21");
    }

    // The splash's texts, places, fonts and alignments (its frameless window and
    // size are in e2e/start.sh; the Help button's focus in splashClicksAndKeys).
    void splash()
    {
        frmSplash* s = shownSplash();
#define AT(w)                                                                                      \
#w, QString::asprintf("%d,%d,%d,%d", Twips::left(s->w), Twips::top(s->w), Twips::width(s->w),  \
                          Twips::height(s->w))
        CHECK_FACTS(
            facts("logo", s->picLogo->pixmap().size(), "texts",
                  texts({s->lblName, s->lblMadeBy, s->lblVersion, s->lblClick, s->Label1, s->Label2,
                         s->cmdHelp}),
                  AT(frameSplash), AT(lblName), AT(lblMadeBy), AT(lblVersion), AT(lblClick),
                  AT(Label1), AT(Label2), AT(picLogo), AT(cmdHelp), "lblName",
                  s->lblName->font().family(), "size", Twips::fontPoints(s->lblName), "lblVersion",
                  s->lblVersion->font().family(), "size", Twips::fontPoints(s->lblVersion),
                  "alignments",
                  Facts::each(QList{s->lblName, s->lblMadeBy, s->lblVersion, s->lblClick, s->Label1,
                                    s->Label2},
                              [](QLabel* l) { return int(l->alignment() & 0xf); })),
            "logo=95x130 texts=Tallyvane|by Kestrune|Version 1.0.1|Click to continue.|Press ' F1 ' "
            "to view Help from the scoreboard.|Press ' F2 ' to set Options from the "
            "scoreboard.|&Help frameSplash=120,0,6000,3120 lblName=180,240,5655,735 "
            "lblMadeBy=4200,840,1575,255 lblVersion=3600,1080,2175,375 lblClick=2520,1080,1335,255 "
            "Label1=2640,1680,3255,255 Label2=2640,1920,3255,375 picLogo=480,960,1425,1950 "
            "cmdHelp=3120,2520,1215,375 lblName=Times New Roman size=24 lblVersion=Times New Roman "
            "size=15.75 alignments=4 2 2 1 1 1"); // centred, right, left
#undef AT
    }

    // A click anywhere but on Help, the strips beside and below the frame
    // included, opens both scoreboards, home on top. Help, or Enter or Space as
    // it holds the focus, opens the help beside the splash; no other key acts.
    // (A click on the left strip and Enter are in e2e/start.sh.)
    void splashClicksAndKeys_data()
    {
        QTest::addColumn<QString>("target"); // a control, or a key when `at` is null
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("after");
        const QString scoreboards = "shown=frmScoreboardH, frmScoreboardV active=frmScoreboardH";
        const QString help = "shown=Tallyvane Help, frmSplash", none = "shown=frmSplash";
        // clang-format off
        const std::tuple<const char*, QPoint, QString> rows[] = {
            {"frmSplash", {413, 100}, scoreboards}, {"frmSplash", {200, 213}, scoreboards},
            {"frameSplash", {6, 180}, scoreboards}, {"picLogo", {47, 65}, scoreboards},
            {"lblName", {2, 2}, scoreboards},       {"lblMadeBy", {50, 12}, scoreboards},
            {"lblVersion", {60, 5}, scoreboards},   {"lblClick", {2, 2}, scoreboards},
            {"Label1", {2, 2}, scoreboards},        {"Label2", {2, 2}, scoreboards},
            {"cmdHelp", {40, 12}, help}, {"Space", {}, help}, {"Esc", {}, none},
            {"F1", {}, none}, {"F2", {}, none}};
        // clang-format on
        for (const auto& [target, at, after] : rows)
            QTest::newRow(qPrintable(QString("%1 %2,%3").arg(target).arg(at.x()).arg(at.y())))
                << QString(target) << at << after;
    }
    void splashClicksAndKeys()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        PanelFixture store;
        QPointer<frmSplash> splash = shownSplash();
        if (at.isNull()) {
            QTest::keyClick(QApplication::focusWidget(), QKeySequence(target)[0].key());
        } else {
            QWidget* w =
                target == "frmSplash" ? splash.data() : splash->findChild<QWidget*>(target);
            QCOMPARE(splash->childAt(w->mapTo(splash, at)), w == splash ? nullptr : w);
            QTest::mouseClick(w, Qt::LeftButton, {}, at);
        }
        QVERIFY(QTest::qWaitFor([] {
            return QApplication::activeWindow() && QApplication::activeWindow()->isVisible();
        }));
        QTEST(windows().remove(" active=frmSplash"), "after");
    }

    // GoScore twice (a double click) opens one pair. Help twice, the help
    // staying and closing the home window are in e2e/start.sh.
    void goScoreTwice()
    {
        PanelFixture store;
        frmSplash* s = shownSplash();
        s->GoScore();
        s->GoScore();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(windows().section(" active", 0, 0), "shown=frmScoreboardH, frmScoreboardV");
    }

    // The visitor's window opens first, the home window on top; each holds a
    // panel that fills it after every resize and a restore (its size, side and
    // first fill are in e2e/start.sh and test_game). Closing the visitor's
    // window closes both.
    void scoreboards()
    {
        PanelFixture store;
        auto* home = new frmScoreboard(frmScoreboard::Team::Home);
        frmScoreboard* visitor = home->partner();
        const bool visitorFirst = visitor->isVisible() && !home->isVisible();
        home->show();
        QVERIFY(QTest::qWaitForWindowExposed(home));
        const auto fills = [](frmScoreboard* w) { return w->Quorvel1->geometry() == w->rect(); };
        const QString opened = facts(
            "visitor first", visitorFirst, "captions",
            '[' + home->windowTitle() + "] [" + visitor->windowTitle() + ']', "minimise box only",
            (home->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) ==
                Qt::WindowMinimizeButtonHint);
        QStringList resized;
        for (QSize size : {QSize(500, 760), QSize(338, 0), QSize(900, 300)}) {
            home->resize(size);
            resized << facts("fills", fills(home));
        }
        home->showMinimized();
        home->resize(400, 400);
        const QSize minimised = home->Quorvel1->size();
        home->showNormal();
        const bool restored = fills(home);
        QPointer<frmScoreboard> homeLeft = home;
        visitor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CHECK_FACTS(opened + ' ' +
                        facts("resized", resized.join(' '), "minimised", minimised, "restored",
                              restored, "visitor closed, home open", bool(homeLeft)),
                    "visitor first=true captions=[Tallyvane ] [Tallyvane] minimise box only=true "
                    "resized=fills=true fills=true fills=true minimised=900x300 restored=true "
                    "visitor closed, home open=false");
    }

    // What the operator is told when a feed the settings file turns on cannot
    // start (a feed turned off: test_feed).
    void feedStart_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QString>("told");
        const std::pair<const char*, const char*> rows[] = {
            {"Port=%1", "start on address 127.0.0.1, port %1: The bound address is already in use"},
            {"Port=70000",
             "start on address 127.0.0.1, port 70000: the port is not a number from 1"},
            {"Broker=hall:x", "publish to the broker hall:x: the broker's port is not a number"}};
        for (auto [feed, told] : rows)
            QTest::newRow(feed) << feed << told;
    }
    void feedStart()
    {
        QFETCH(QString, feed);
        QFETCH(QString, told);
        QTcpServer taken; // the port in use
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        const QString port = QString::number(taken.serverPort());
        PanelFixture store("[Feed]\n" + feed.replace('|', '\n').replace("%1", port).toUtf8());
        ScriptedDialogs dialogs;
        auto* home = new frmScoreboard(frmScoreboard::Team::Home);
        QCoreApplication::sendPostedEvents(home, QEvent::MetaCall); // where the feed starts
        const QString message = dialogs.messages.value(0).text;
        QVERIFY2(message.startsWith("The live feed cannot " + told.replace("%1", port)),
                 qPrintable(message));
        home->close();
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
