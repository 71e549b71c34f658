#include "app/CommandLine.h"
#include "app/frmScoreboard.h"
#include "app/frmSplash.h"
#include "options/frmOptions.h"
#include "panel/Quorvel.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"
#include "support/ScriptedDialogs.h"
#include "toolkit/PropertyBag.h"
#include "toolkit/TwipsGeometry.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// How many splash, home, visitor and help windows are showing.
QString shown()
{
    QStringList counts;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (const QString name : {"frmSplash", "frmScoreboardH", "frmScoreboardV", "Tallyvane Help"})
        counts << QString::number(std::count_if(all.cbegin(), all.cend(), [&](QWidget* w) {
            return w->isVisible() && (w->objectName() == name || w->windowTitle() == name);
        }));
    return counts.join(' ');
}

void closeAll()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The texts of a group of controls, one after the other.
QString texts(std::initializer_list<const QObject*> objects)
{
    QStringList all;
    for (const QObject* o : objects) {
        QVariant text = o->property("text");
        all << (text.isValid() ? text.toString() : o->property("title").toString());
    }
    return all.join('|');
}

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
    void cleanup()
    {
        closeAll();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // Every caption and fixed text an operator reads, exactly as written.
    void captions_data()
    {
        Facts::columns();
        using Facts::row;
        PanelFixture store;
        Quorvel fresh;
        fresh.initProperties();
        row("placed panel's team", fresh.txtTeamName->text(), "Team Name");
        const auto home = store.panel(338, 524, true), visitor = store.panel(338, 524, false);
        row("home panel's team", home->txtTeamName->text(), "Home Team");
        row("visitor panel's team", visitor->txtTeamName->text(), "Visitor Team");
        const Quorvel& p = *home;
        row("titles", texts({p.txtTitleName, p.txtTitleNumber, p.txtTitleFouls, p.txtTitlePoints}),
            "Plyr Name|Plyr #|FLS|PTS");
        row("row name", p.lblName[0]->text(), "Name");
        row("prototype name", p.lblPreName->text(), "Samplenam");
        row("edit-line captions",
            texts({p.lblInputName, p.lblInputNumber, p.lblInputFouls, p.lblInputPoints}),
            "Name:|#:|Fls:|Pts:");
        row("edit-line boxes",
            texts({p.txtInputName, p.txtInputNumber, p.txtInputFouls, p.txtInputPoints}),
            "Name|0|0|0");
        row("edit-line button", p.cmdInputChange->text(), "Set");
        row("options button", p.cmdOptions->text(), "O");

        frmSplash splash;
        row("splash", texts({splash.lblName, splash.lblMadeBy, splash.lblVersion, splash.lblClick}),
            "Tallyvane|by Kestrune|Version 1.0.1|Click to continue.");
        row("splash hints", texts({splash.Label1, splash.Label2, splash.cmdHelp}),
            "Press ' F1 ' to view Help from the scoreboard.|"
            "Press ' F2 ' to set Options from the scoreboard.|&Help");

        auto* window = new frmScoreboard(frmScoreboard::Team::Home);
        row("home window", window->windowTitle(), "Tallyvane ");
        row("visitor window", window->partner()->windowTitle(), "Tallyvane");
        window->close();

        ScriptedDialogs dialogs;
        frmOptions d;
        d.Load();
        row("options window", d.windowTitle(), "Options");
        row("tabs", d.SSTab1->tabText(0) + '|' + d.SSTab1->tabText(1),
            "Color Controls|Other Settings");
        row("dialog buttons", texts({d.cmdOk, d.cmdCancel, d.cmdResetColors, d.cmdResetKeys}),
            "&Ok|&Cancel|Reset Colors|Reset Settings");
        row("colour frames",
            texts({d.fraNumFore, d.frmFoulsColor, d.frmPlayerColor, d.frmBackColor,
                   d.frmBorderColor, d.fraLedBack}),
            "Player # Color:|Player Fouls Color:|Player Points Color:|Back Color:|Border "
            "Color:|LED Background:");
        row("colour buttons",
            texts({d.cmdNumC, d.cmdFoulsC, d.cmdPointsC, d.cmdBackC, d.cmdBorderC, d.cmdLEDB}),
            "Change|Change|Change|Change|Change|Change");
        row("picture frames", texts({d.Frame2, d.Frame4}), "Home Picture|Visitor Picture");
        row("picture buttons",
            texts({d.cmdChangeHomePic, d.cmdClearHomePic, d.cmdChangeVisitorPic,
                   d.cmdClearVisitorPic}),
            "Change|Clear|Change|Clear");
        row("other frames", texts({d.Frame3, d.Frame6, d.Frame1, d.Frame9}),
            "Statistics fields to show:|Digit Type:|Misc. Options|Numlock Options:");
        row("fields", texts({d.chkPlayerName, d.chkPlayerNum, d.chkPlayerFouls, d.chkPlayerPoints}),
            "Player Name|Player #|Player Fouls|Player Points");
        row("digit types",
            d.cmbLedType->itemText(0) + '|' + d.cmbLedType->itemText(1) + '|' +
                QString::number(d.cmbLedType->count()),
            "Lines|Dots|2");
        row("labels", texts({d.lblPreview, d.lblNumberOfPlayers}), "Preview:|Number of Players:");
        row("numlock options", texts({d.optNormal, d.optKeepOn, d.optKeepOff}),
            "Normal Mode|Keep Numlock On|Keep Numlock Off");

        for (QCheckBox* box :
             {d.chkPlayerName, d.chkPlayerNum, d.chkPlayerFouls, d.chkPlayerPoints})
            box->setChecked(false);
        d.cmdOk->click();
        dialogs.setNextAnswer(QMessageBox::No);
        d.cmdResetColors->click();
        dialogs.setNextAnswer(QMessageBox::No);
        d.cmdResetKeys->click();
        QStringList messages;
        for (const auto& m : dialogs.messages)
            messages << m.title + ": " + m.text;
        row("messages", messages.join('\n'),
            "No Statistics Fields Selected: You must select at least one statistics field.  Please "
            "go "
            "back to the Other Settings tab and select at least one statistics field.\n"
            "Reset Colors: Are you sure you want to reset the colors?\n"
            "Reset these Options: Are you sure you want to reset these options?");
        QDir().mkpath(store.path("Tallyvane.conf")); // a save that fails
        d.chkPlayerPoints->setChecked(true);
        dialogs.messages.clear();
        d.cmdOk->click();
        row("save failure title", dialogs.messages.value(0).title, "Settings Not Saved");
    }
    void captions() { Facts::check(); }

    void shell_data()
    {
        Facts::columns();
        using Facts::row;
        using Facts::text;
        PanelFixture store;
        for (auto [words, expected] :
             {std::pair("tallyvane bypass", "true"), std::pair("tallyvane", "false"),
              std::pair("tallyvane Bypass", "false"), std::pair("tallyvane bypass x", "false")})
            row(words, text(CommandLine::bypassesSplash(QString(words).split(' '))), expected);
        const QPoint placed = frmSplash::placement({0, 0, 1280, 1024}),
                     above = frmSplash::placement({1280, 0, 640, 350});
        row("splash placement", text(placed.x(), placed.y(), above.x(), above.y()),
            "432 316 1392 -21");
        frmSplash* s = shownSplash();
        auto place = [](const QWidget* w) { return text(Twips::width(w), Twips::height(w)); };
        row("splash window",
            text(place(s), s->windowFlags().testFlag(Qt::FramelessWindowHint),
                 QApplication::focusWidget() == s->cmdHelp, s->picLogo->pixmap().width(),
                 s->picLogo->pixmap().height()),
            "6240 3240 true true 95 130");
        QStringList places;
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 s->frameSplash, s->lblName, s->lblMadeBy, s->lblVersion, s->lblClick, s->Label1,
                 s->Label2, s->picLogo, s->cmdHelp})
            places << text(Twips::left(w), Twips::top(w), place(w));
        row("splash places", places.join(", "),
            "120 0 6000 3120, 180 240 5655 735, 4200 840 1575 255, 3600 1080 2175 375, "
            "2520 1080 1335 255, 2640 1680 3255 255, 2640 1920 3255 375, 480 960 1425 1950, "
            "3120 2520 1215 375");
        QStringList looks;
        for (const QLabel* l : {s->lblName, s->lblVersion})
            looks << l->font().family() + text("", Twips::fontPoints(l));
        for (const QLabel* l :
             {s->lblName, s->lblMadeBy, s->lblVersion, s->lblClick, s->Label1, s->Label2})
            looks << QString::number(l->alignment() & Qt::AlignHorizontal_Mask);
        row("splash fonts, alignments", looks.join('|'),
            "Times New Roman 24|Times New Roman 15.75|4|2|2|1|1|1");
        closeAll();

        // A click anywhere but on Help opens the scoreboards, home on top.
        for (auto [name, at] :
             {std::pair("frmSplash", QPoint(3, 100)), std::pair("frameSplash", QPoint(6, 180)),
              std::pair("picLogo", QPoint(47, 65)), std::pair("lblName", QPoint(2, 2)),
              std::pair("cmdHelp", QPoint(40, 12))}) {
            QPointer<frmSplash> splash = shownSplash();
            QWidget* w =
                QString(name) == "frmSplash" ? splash.data() : splash->findChild<QWidget*>(name);
            const bool onTarget =
                splash->childAt(w->mapTo(splash, at)) == (w == splash ? nullptr : w);
            QTest::mouseClick(w, Qt::LeftButton, {}, at);
            const bool help = QString(name) == "cmdHelp";
            QVERIFY(QTest::qWaitFor([] {
                return QApplication::activeWindow() && QApplication::activeWindow()->isVisible();
            }));
            row(qPrintable(text("click on", name, at.x(), at.y())),
                text(onTarget, shown(), help ? "-" : QApplication::activeWindow()->objectName()),
                help ? "true 1 0 0 1 -" : "true 0 1 1 0 frmScoreboardH");
            closeAll();
        }
        for (auto [key, expected] :
             {std::pair(Qt::Key_Escape, "1 0 0 0"), std::pair(Qt::Key_Space, "1 0 0 1")}) {
            shownSplash();
            QTest::keyClick(QApplication::focusWidget(), key);
            row(qPrintable(text("splash key", key)), shown(), expected);
            closeAll();
        }
        s = shownSplash();
        s->cmdHelp->click();
        s->cmdHelp->click();
        s->GoScore();
        s->GoScore();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        row("Help twice, GoScore twice", shown(), "0 1 1 1");
        closeAll();

        auto* home = new frmScoreboard(frmScoreboard::Team::Home);
        const bool visitorFirst = home->partner()->isVisible() && !home->isVisible();
        home->show();
        QVERIFY(QTest::qWaitForWindowExposed(home));
        for (frmScoreboard* w : {home, home->partner()}) {
            const auto buttons =
                w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
            row(qPrintable(w->objectName()),
                text(visitorFirst, w->Quorvel1->IsHomeTeam(), buttons.toInt(), place(w),
                     w->Quorvel1->geometry() == w->rect()),
                text(true, w == home, int(Qt::WindowMinimizeButtonHint), "5070 7860", true));
        }
        QString fills;
        for (QSize size : {QSize(500, 760), QSize(338, 0)}) {
            home->resize(size);
            fills += text(home->Quorvel1->geometry() == home->rect(), "");
        }
        row("panel fills the window", fills.trimmed(), "true true");
        closeAll();

        for (const bool closeHome : {true, false}) {
            QPointer<frmScoreboard> h = new frmScoreboard(frmScoreboard::Team::Home);
            h->show();
            QPointer<frmScoreboard> v = h->partner();
            CloseCounter homeCloses, visitorCloses;
            h->installEventFilter(&homeCloses);
            v->installEventFilter(&visitorCloses);
            (closeHome ? h : v)->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            row(closeHome ? "closing home" : "closing visitor",
                text(homeCloses.count, visitorCloses.count, !h && !v), "1 1 true");
        }
    }
    void shell() { Facts::check(); }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
