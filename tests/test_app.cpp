#include "app/CommandLine.h"
#include "app/frmScoreboard.h"
#include "app/frmSplash.h"
#include "panel/Quorvel.h"
#include "platform/Twips.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QtTest>
#include <QtWidgets>

namespace {
QList<QWidget*> visibleWindows(const QString& name)
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->objectName() == name || w->windowTitle() == name))
            found << w;
    return found;
}

// How many splash, home, visitor and help windows are showing.
QList<qsizetype> shown()
{
    QList<qsizetype> counts;
    for (const char* name : {"frmSplash", "frmScoreboardH", "frmScoreboardV", "Tallyvane Help"})
        counts << visibleWindows(name).size();
    return counts;
}

QRect twips(const QWidget* w)
{
    return {Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w)};
}

// Counts the close events a window receives.
class CloseCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Close;
        return false;
    }
};
} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    FakeNumLock m_numLock;
    std::unique_ptr<PanelFixture> m_store;

    frmSplash* shownSplash()
    {
        auto* splash = new frmSplash;
        splash->show();
        splash->activateWindow();
        if (!QTest::qWaitForWindowActive(splash))
            qWarning("splash not active");
        return splash;
    }

private slots:
    void init() { m_store = std::make_unique<PanelFixture>(); }
    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        m_store.reset();
    }

    void bypass_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("bypass");
        QTest::newRow("bypass") << QStringList{"tallyvane", "bypass"} << true;
        QTest::newRow("nothing") << QStringList{"tallyvane"} << false;
        QTest::newRow("letter case") << QStringList{"tallyvane", "Bypass"} << false;
        QTest::newRow("second word") << QStringList{"tallyvane", "bypass", "x"} << false;
        QTest::newRow("after another") << QStringList{"tallyvane", "x", "bypass"} << false;
        QTest::newRow("blank") << QStringList{"tallyvane", "bypass "} << false;
    }
    void bypass()
    {
        QFETCH(QStringList, arguments);
        QTEST(CommandLine::bypassesSplash(arguments), "bypass");
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("1280x1024") << QRect(0, 0, 1280, 1024) << QPoint(432, 316);
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QPoint(752, 344);
        // 6487.5 twips across is 432.5 px, rounded to even.
        QTest::newRow("half pixel") << QRect(0, 0, 1281, 1024) << QPoint(432, 316);
        QTest::newRow("short screen, above the top") << QRect(0, 0, 640, 350) << QPoint(112, -21);
        QTest::newRow("second screen") << QRect(1280, 0, 1024, 768) << QPoint(1584, 188);
    }
    void placement()
    {
        QFETCH(QRect, screen);
        QTEST(frmSplash::placement(screen), "topLeft");
    }

    void splashLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("fontPixels");
        const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;
        auto row = [](const char* name, const char* text, QRect twips, int align, int pixels) {
            QTest::newRow(name) << name << text << twips << align << pixels;
        };
        row("lblName", "Tallyvane", {180, 240, 5655, 735}, centre, 32);
        row("lblMadeBy", "by Kestrune", {4200, 840, 1575, 255}, right, 10);
        row("lblVersion", "Version 1.0.1", {3600, 1080, 2175, 375}, right, 21);
        row("lblClick", "Click to continue.", {2520, 1080, 1335, 255}, left, 10);
        row("Label1", "Press ' F1 ' to view Help from the scoreboard.", {2640, 1680, 3255, 255},
            left, 10);
        row("Label2", "Press ' F2 ' to set Options from the scoreboard.", {2640, 1920, 3255, 375},
            left, 10);
    }
    void splashLayout()
    {
        QFETCH(QString, name);
        QFETCH(int, alignment);
        frmSplash* splash = shownSplash();
        const auto* label = splash->findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), splash->frameSplash);
        QTEST(label->text(), "text");
        QTEST(twips(label), "twips");
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QTEST(label->font().pixelSize(), "fontPixels");
        // Every line fits its label in the fonts the program ships with.
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }

    void splashWindow()
    {
        frmSplash* splash = shownSplash();
        QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(twips(splash).size(), QSize(6240, 3240));
        QCOMPARE(twips(splash->frameSplash), QRect(120, 0, 6000, 3120));
        QCOMPARE(splash->picLogo->geometry(), QRect(32, 64, 95, 130));
        QCOMPARE(splash->picLogo->pixmap().size(), QSize(95, 130));
        QCOMPARE(splash->cmdHelp->text(), QStringLiteral("&Help"));
        QCOMPARE(twips(splash->cmdHelp), QRect(3120, 2520, 1215, 375));
        QCOMPARE(QApplication::focusWidget(), splash->cmdHelp);

        // Tab order as laid out; only the button can take the focus.
        const QList<QWidget*> order{splash->frameSplash, splash->lblMadeBy, splash->lblName,
                                    splash->lblVersion,  splash->lblClick,  splash->Label1,
                                    splash->cmdHelp,     splash->Label2,    splash->picLogo};
        QList<QWidget*> chain;
        for (QWidget* w = splash->nextInFocusChain(); w != splash; w = w->nextInFocusChain())
            if (order.contains(w))
                chain << w;
        QCOMPARE(chain, order);
        for (QWidget* w : order)
            QCOMPARE(w->focusPolicy() != Qt::NoFocus, w == splash->cmdHelp);
    }

    void clickOpensScoreboards_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("left strip") << "frmSplash" << QPoint(3, 100);
        QTest::newRow("right strip") << "frmSplash" << QPoint(412, 100);
        QTest::newRow("strip below") << "frmSplash" << QPoint(200, 213);
        QTest::newRow("frame") << "frameSplash" << QPoint(6, 180);
        QTest::newRow("logo") << "picLogo" << QPoint(47, 65);
        // Points clear of the neighbouring labels laid over them.
        for (const char* label : {"lblName", "lblClick", "Label1", "Label2"})
            QTest::newRow(label) << label << QPoint(2, 2);
        QTest::newRow("lblMadeBy") << "lblMadeBy" << QPoint(50, 12);
        QTest::newRow("lblVersion") << "lblVersion" << QPoint(100, 10);
        QTest::newRow("Help") << "cmdHelp" << QPoint(40, 12);
    }
    void clickOpensScoreboards()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, position);
        const bool goesOn = target != "cmdHelp";
        QPointer<frmSplash> splash = shownSplash();
        QWidget* widget =
            target == splash->objectName() ? splash.data() : splash->findChild<QWidget*>(target);
        QVERIFY(widget);
        // The click lands on the target itself, not on something above it.
        QCOMPARE(splash->childAt(widget->mapTo(splash, position)),
                 widget == splash ? nullptr : widget);
        QTest::mouseClick(widget, Qt::LeftButton, {}, position);
        QCOMPARE(shown(), (goesOn ? QList<qsizetype>{0, 1, 1, 0} : QList<qsizetype>{1, 0, 0, 1}));
        if (goesOn) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!splash);
            QTRY_COMPARE(QApplication::activeWindow(), visibleWindows("frmScoreboardH").value(0));
        }
    }

    void splashKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("help");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << true;
        for (int key : {Qt::Key_Escape, Qt::Key_F1, Qt::Key_F2, Qt::Key_H})
            QTest::addRow("key %x", key) << key << 0 << false;
    }
    void splashKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, help);
        shownSplash();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(shown(), (QList<qsizetype>{1, 0, 0, help ? 1 : 0}));
    }

    void helpAndScoreboardsOpenOnce()
    {
        frmSplash* splash = shownSplash();
        splash->cmdHelp->click();
        splash->cmdHelp->click();
        // The viewer has no owner and outlives the splash.
        QCOMPARE(visibleWindows("Tallyvane Help").value(0)->parentWidget(), nullptr);
        splash->GoScore();
        splash->GoScore();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(shown(), (QList<qsizetype>{0, 1, 1, 1}));
    }

    void scoreboardPair_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("home");
        QTest::addColumn<QString>("teamName");
        QTest::newRow("home") << "frmScoreboardH"
                              << "Tallyvane " << true << "Home Team";
        QTest::newRow("visitor") << "frmScoreboardV"
                                 << "Tallyvane" << false << "Visitor Team";
    }
    void scoreboardPair()
    {
        QFETCH(QString, name);
        QFETCH(bool, home);
        auto* opened = new frmScoreboard(frmScoreboard::Team::Home);
        // Loading the home window shows the visitor window before it.
        QCOMPARE(visibleWindows("frmScoreboardV").size(), 1);
        QVERIFY(!opened->isVisible());
        opened->show();
        auto* window = qobject_cast<frmScoreboard*>(visibleWindows(name).value(0));
        QVERIFY(window);
        QCOMPARE(window->team() == frmScoreboard::Team::Home, home);
        QCOMPARE(static_cast<QWidget*>(window->partner()),
                 home ? visibleWindows("frmScoreboardV").value(0) : opened);
        QTEST(window->windowTitle(), "caption");
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(window->windowFlags() & (buttons | Qt::WindowMaximizeButtonHint), buttons);
        QCOMPARE(twips(window).size(), QSize(5070, 7860));
        QCOMPARE(window->Quorvel1->IsHomeTeam(), home);
        QTEST(window->Quorvel1->txtTeamName->text(), "teamName");
        // No band left uncovered at the top.
        QCOMPARE(window->Quorvel1->geometry(), window->rect());
    }

    void panelFollowsResize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(500, 760);
        QTest::newRow("narrow") << QSize(120, 300);
        QTest::newRow("no height") << QSize(338, 0);
    }
    void panelFollowsResize()
    {
        QFETCH(QSize, size);
        auto* window = new frmScoreboard(frmScoreboard::Team::Home);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->resize(size);
        QCOMPARE(window->Quorvel1->geometry(), window->rect());

        // Minimised, nothing changes; restoring fits the panel again.
        window->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(window->isMinimized());
        const QRect before = window->Quorvel1->geometry();
        window->resize(size + QSize(40, 60));
        QCOMPARE(window->Quorvel1->geometry(), before);
        window->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(window->Quorvel1->geometry(), window->rect());
        QCOMPARE(window->Quorvel1->size(), size + QSize(40, 60));
    }

    void closingClosesBoth()
    {
        for (const bool closeHome : {true, false}) {
            QPointer<frmScoreboard> home = new frmScoreboard(frmScoreboard::Team::Home);
            home->show();
            QPointer<frmScoreboard> visitor = home->partner();
            CloseCounter homeCloses, visitorCloses;
            home->installEventFilter(&homeCloses);
            visitor->installEventFilter(&visitorCloses);
            (closeHome ? home : visitor)->close();
            QVERIFY(!home->isVisible() && !visitor->isVisible());
            QCOMPARE(std::pair(homeCloses.count, visitorCloses.count), std::pair(1, 1));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!home && !visitor);
        }
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
