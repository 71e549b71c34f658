#include "display/NumberLED.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"
#include "panel/modShowDigits.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"
#include "toolkit/BgrColor.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/LineControl.h"
#include "toolkit/TwipsGeometry.h"

#include <QtTest>
#include <QtWidgets>

using Facts::each;
using Facts::facts;
using S = PanelSettings;
using State = NumLockBackend::State;
using Widgets = std::vector<const QWidget*>;
using namespace modShowDigits;

namespace {

// In twips: "left,top widthxheight", and each left with "-" for a hidden widget.
QString place(const QWidget* w)
{
    return QString::asprintf("%d,%d %dx%d", Twips::left(w), Twips::top(w), Twips::width(w),
                             Twips::height(w));
}
QString lefts(const Widgets& ws)
{
    return each(ws, [](auto w) { return w->isVisible() ? QString::number(Twips::left(w)) : "-"; });
}

// Colours as the settings store them (0x00BBGGRR, decimal): a background, or
// "background/text", for a display "background/lit".
int back(const QWidget* w)
{
    return BgrColor::fromColor(w->palette().color(w->backgroundRole()));
}
QString colours(const QWidget* w)
{
    const auto* led = qobject_cast<const NumberLED*>(w);
    return QString::asprintf(
        "%d/%d", led ? BgrColor::fromColor(led->backColor()) : back(w),
        BgrColor::fromColor(led ? led->litColor() : w->palette().color(w->foregroundRole())));
}

Widgets titles(const Quorvel& p)
{
    return {p.txtTitleName, p.txtTitleNumber, p.txtTitleFouls, p.txtTitlePoints};
}
Widgets inputs(const Quorvel& p)
{
    return {p.lblInputName,  p.txtInputName,   p.lblInputNumber, p.txtInputNumber, p.lblInputFouls,
            p.txtInputFouls, p.lblInputPoints, p.txtInputPoints, p.cmdInputChange};
}

// Row i as the operator reads it, then what the edit line's boxes hold.
QString player(const Quorvel& p, int i)
{
    return QString::asprintf("%s %d %d %d | ", qPrintable(p.lblName[i]->text()),
                             p.nledNumber[i]->value(), p.nledFouls[i]->value(),
                             p.nledPoints[i]->value()) +
           QStringList{p.txtInputName->text(), p.txtInputNumber->text(), p.txtInputFouls->text(),
                       p.txtInputPoints->text()}
               .join('|');
}

// Closes the help windows shown and says how many there were.
int closeHelp()
{
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        shown += qobject_cast<frmHelp*>(w) && w->isVisible() && !w->isModal() && w->close();
    return shown;
}

// One tick of the panel's options timer.
void tick(Quorvel* p)
{
    QMetaObject::invokeMethod(p, "refreshOptions");
}

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    // ---- The layout's arithmetic, in twips ----

    // The prototype row (name 1695 x 435 at 15.75 pt, displays 720, 330 and 720
    // wide, 585 high, at DigitSize 40) in a 4545 x 600 row box, where the height
    // limits. The name cell: "width x height @ points".
    void scaleRow()
    {
        const RowScale s = modShowDigits::scaleRow(
            {1695, 435, 15.75, 720, 585, 330, 720, 40, 40, 40}, {}, 4545, 600);
        CHECK_FACTS(
            facts("sRatio", s.sRatio, "colGap", s.colGap, "first", s.firstLeft, "name",
                  QString::asprintf("%gx%g@%g", s.nameWidth, s.nameHeight, s.nameFontPoints),
                  "digit", s.numberDigitSize),
            "sRatio=0.854701 colGap=395.865 first=198 name=1448.72x371.795@13.4615 digit=34");
    }

    // ---- The panel laid out ----

    // A scoreboard window's panel as it opens, 5070 x 7860 twips; then a user's
    // path: the Fouls column hidden and shown again, the player count lowered and
    // raised, the new rows taking row 0's name (shown as typed) and display
    // settings but not its values.
    void layout()
    {
        PanelFixture store;
        const auto p = store.panel(338, 524);
        const LineControl& line = *p->lineDivider;
        CHECK_FACTS(facts("logo", place(p->picTeamLogo), "team", place(p->txtTeamName), "font",
                          Twips::fontPoints(p->txtTeamName), "titles", lefts(titles(*p)), "divider",
                          QPoint(line.x1(), line.y1()), "to", QPoint(line.x2(), line.y2()), "table",
                          place(p->picStats), "edit", lefts(inputs(*p)), "name box",
                          place(p->txtInputName)),
                    "logo=0,0 765x660 team=765,0 4305x660 font=21.75 titles=75 1965 3105 4080 "
                    "divider=150,1275 to=4920,1275 table=105,1380 4860x6165 edit=135 690 1890 2175 "
                    "2715 3120 3540 3945 4485 name box=690,7545 1065x315");
        CHECK_FACTS(
            facts("rows", each(p->picPlayer, place), "SRatio", p->SRatio(), "name",
                  place(p->lblName[2]), "font", Twips::fontPoints(p->lblName[2]), "displays",
                  each(Widgets{p->nledNumber[2], p->nledFouls[2], p->nledPoints[2]}, place)),
            "rows=0,0 4860x1125 0,1230 4860x1125 0,2475 4860x1125 0,3720 4860x1125 0,4950 "
            "4860x1125 SRatio=1.05263 name=150,330 1785x465 font=16.5 displays=2235,255 "
            "750x615 3300,255 345x615 3945,255 750x615");
        const Widgets fouls{p->txtTitleFouls, p->lblInputFouls, p->txtInputFouls, p->nledFouls[2]};
        S::ShowPlayerFouls = 0;
        p->UpdatePlayers();
        const QString hidden = facts("lefts", lefts(fouls), "at", each(fouls, place),
                                     "points title", Twips::left(p->txtTitlePoints));
        S::ShowPlayerFouls = 1;
        S::PlayerTotal = 3;
        p->lblName[0]->setText("<b>Ann");
        p->nledNumber[0]->setValue(12);
        p->nledFouls[0]->setLitColor(Qt::cyan);
        p->UpdatePlayers();
        const QString lowered = each(p->picStats->findChildren<FilledBox*>(), place);
        S::PlayerTotal = 6;
        p->UpdatePlayers();
        const NumberLED* copy = p->nledFouls[5];
        // Every edit-line caption shows its whole text.
        QStringList clipped;
        for (const QLabel* c :
             {p->lblInputName, p->lblInputNumber, p->lblInputFouls, p->lblInputPoints})
            if (c->fontMetrics().horizontalAdvance(c->text()) > c->contentsRect().width())
                clipped << c->text();
        CHECK_FACTS(
            facts("hidden", hidden, "shown again", lefts(fouls), "lowered", lowered, "new row",
                  player(*p, 5), "as typed", p->lblName[5]->textFormat() == Qt::PlainText, "lit",
                  copy->litColor(), "in its row",
                  copy->parentWidget() == p->picPlayer[5] && copy->isVisible(), "at",
                  place(p->picPlayer[5]), "clipped", clipped.join(' ')),
            "hidden=lefts=- - - - at=2985,660 915x510 2490,7545 405x315 2895,7545 285x315 "
            "3300,255 345x615 points title=3840 shown again=3105 2715 3120 3300 "
            "lowered=0,0 4860x1875 0,2070 4860x1875 0,4125 4860x1875 new row=<b>Ann -1 -1 -1 "
            "| Name|0|0|0 as typed=true lit=#00ffff in its row=true at=0,5115 4860x930 "
            "clipped=");
    }

    // Where each column shows in a 6000 x 9000 panel; the cells of row 4.
    void columnsShown_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("places");
        QTest::newRow("Fouls alone: centred")
            << QString("0010")
            << "titles=- - 2460 - edit=- - - - 1545 2025 - - 3915 cells=- - 2580 -";
        QTest::newRow("edit-line gap 922.5 to 922")
            << QString("0101")
            << "titles=- 1215 - 3705 edit=- - 915 1245 - - 2655 3135 4530 cells=- 780 - 3675";
        QTest::newRow("none (a store edited by hand)")
            << QString("0000") << "titles=- - - - edit=- - - - - - - - 2730 cells=- - - -";
    }
    void columnsShown()
    {
        QFETCH(QString, shown);
        const QString store = "[Display]\nShowPlayerName=%1\nShowPlayerNumber=%2\n"
                              "ShowPlayerFouls=%3\nShowPlayerPoints=%4\n";
        PanelFixture fixture(store.arg(shown[0], shown[1], shown[2], shown[3]).toLatin1());
        const auto p = fixture.panel(400, 600);
        QTEST(facts("titles", lefts(titles(*p)), "edit", lefts(inputs(*p)), "cells",
                    lefts({p->lblName[4], p->nledNumber[4], p->nledFouls[4], p->nledPoints[4]})),
              "places");
    }

    // ---- Start-up ----

    // A panel as created, then a saved visitor panel shown, until its first
    // tick: no values, the digit style it was created with.
    void startup()
    {
        FakeNumLock keyboard;
        PanelFixture store("[KeySettings]\nNumLockForce=1\n[PicSettings]\nLEDType=1\n");
        const QString made =
            facts("rows", Quorvel().picPlayer.size(), "numlock sets", keyboard.sets);
        const auto p = store.panel(338, 524, false);
        const QList<NumberLED*> leds = p->findChildren<NumberLED*>(); // the prototypes too
        const auto count = [&](auto has) { return std::count_if(leds.begin(), leds.end(), has); };
        CHECK_FACTS(facts("created", made, "home", p->IsHomeTeam(), "displays", leds.size(),
                          "without value", count([](auto d) { return d->value() == -1; }), "Dots",
                          count([](auto d) { return d->ledType() == 1; }), "selected",
                          p->PlayerEdit(), "numlock sets", keyboard.sets, "timer",
                          p->tmrOptions.interval(), "running", p->tmrOptions.isActive(), "surface",
                          back(p.get()), "points", colours(p->nledPoints[4])),
                    "created=rows=1 numlock sets=1 home=false displays=18 without value=18 Dots=0 "
                    "selected=0 numlock sets=1 timer=1000 running=true surface=255 "
                    "points=0/49152");
    }

    // ---- Selecting and editing ----

    // Typed into row 2's points box, applied, row 2 selected again. How a text
    // becomes a number is the toolkit's (test_toolkit).
    void editLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("12") << QString("12") << "stored=12 shown=12";
        QTest::newRow("-4: shown as none") << QString("-4") << "stored=-4 shown=";
        QTest::newRow("empty: none") << QString() << "stored=-1 shown=";
        QTest::newRow("a blank: 0") << QString(" ") << "stored=0 shown=0";
    }
    void editLine()
    {
        QFETCH(QString, typed);
        PanelFixture store;
        const auto p = store.panel(338, 524);
        p->PlayerClick(2);
        p->txtInputPoints->setText(typed);
        QTest::mouseClick(p->cmdInputChange, Qt::LeftButton);
        p->PlayerClick(2);
        QTEST(facts("stored", p->nledPoints[2]->value(), "shown", p->txtInputPoints->text()),
              "stored");
    }

    // A user's path through the edit line; each step starts where the last ended.
    void editingPath()
    {
        PanelFixture store;
        const auto p = store.panel(338, 524);
        p->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.get()));
        p->txtInputName->setText("Ann");
        p->txtInputPoints->setText("17");
        p->txtInputPoints->setFocus();
        QTest::keyClick(p->txtInputPoints, Qt::Key_Return);
        QStringList steps{player(*p, 0) +
                          facts(" focus kept", QApplication::focusWidget() == p->txtInputPoints)};
        p->PlayerClick(1);
        p->txtInputName->clear();
        p->PlayerClick(0);
        steps << player(*p, 1); // another row selected: nothing written
        p->PlayerClick(1);
        p->txtInputName->clear();
        QTest::keyClick(p->txtInputName, Qt::Key_Enter);
        steps << player(*p, 1);
        p->PlayerClick(0);
        p->txtInputName->setText("Al");
        QTest::keyClick(p->txtTeamName, Qt::Key_Return);
        steps << player(*p, 0);
        p->PlayerClick(40);
        p->PlayerClick(-1); // rows that do not exist
        const int selected = p->PlayerEdit();
        p->setPlayerEdit(9);
        QTest::keyClick(p->txtInputName, Qt::Key_Return);
        steps << player(*p, 0) + facts(" selected", selected);
        for (QWidget* part : QWidgetList{p->picPlayer[3], p->lblName[3], p->nledNumber[3],
                                         p->nledFouls[3], p->nledPoints[3]}) {
            p->PlayerClick(0); // any part of row 3 selects it and loads its values
            QTest::mouseClick(part, Qt::LeftButton, {},
                              part == p->picPlayer[3] ? QPoint(2, 2) : part->rect().center());
            steps << QString::number(p->PlayerEdit()) + ": " + player(*p, 0).section(" | ", 1);
        }
        CHECK_FACTS(facts("steps", steps.join(", "), "longest",
                          each(std::vector{p->txtInputName, p->txtInputNumber, p->txtInputFouls,
                                           p->txtInputPoints},
                               std::mem_fn(&QLineEdit::maxLength))),
                    "steps=Ann 0 0 17 | Ann|0|0|17 focus kept=true, Name -1 -1 -1 | Ann|0|0|17, "
                    " -1 -1 -1 | |||, Ann 0 0 17 | Al|0|0|17, Ann 0 0 17 | Al|0|0|17 selected=0, "
                    "3: Name|||, 3: Name|||, 3: Name|||, 3: Name|||, 3: Name||| longest=8 2 1 2");
    }

    // ---- Keys and the host's events ----

    void keyCodeToAsci()
    {
        QStringList results;
        for (int code : {32, 13, 0, 187, 107, 189, 109, 96, 103, 105, 48, 57, 110, 190, 65, 112})
            results << QString("%1:%2").arg(code).arg(Quorvel::KeyCodeToAsci(qint16(code)));
        CHECK_FACTS(results.join(' '),
                    "32:32 13:13 0:0 187:43 107:43 189:45 109:45 96:48 103:55 105:57 48:48 57:57 "
                    "110:46 190:46 65:-1 112:-1");
    }

    // F1 or F2 held in a routed control: one help window, not modal; the one
    // options dialog, modal, without an owner, once per press, and a refresh
    // due while it is open waits for the key's handler to end.
    void commandKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("opened");
        const QString help = "help windows=1 dialogs=0 rows after=5";
        const QString dialog =
            "help windows=0 dialogs=2 modal=true owner=false rows=5 rows after=1";
        QTest::newRow("F1, number box") << QString("F1") << 0 << help;
        QTest::newRow("Shift+F1, column title") << QString("Shift+F1") << 2 << help;
        QTest::newRow("Ctrl+F2, digit display") << QString("Ctrl+F2") << 1 << dialog;
        QTest::newRow("Alt+F2, table area") << QString("Alt+F2") << 3 << dialog;
    }
    void commandKeys()
    {
        QFETCH(QString, keys);
        QFETCH(int, target);
        PanelFixture store;
        const auto p = store.panel(338, 524);
        QWidget* targets[] = {p->txtInputNumber, p->nledNumber[3], p->txtTitleFouls, p->picStats};
        int dialogs = 0;
        QString seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            frmOptions* dialog = frmOptions::instance();
            if (!dialog || !dialog->isVisible())
                return;
            S::PlayerTotal = 1;
            S::HomeRefreshed = false;
            tick(p.get());
            seen = facts(" modal", dialog->windowModality() == Qt::ApplicationModal, "owner",
                         dialog->parentWidget() != nullptr, "rows", p->picPlayer.size());
            ++dialogs;
            dialog->reject();
        });
        answer.start(0);
        const QKeyCombination key = QKeySequence(keys)[0];
        for (int repeat = 0; repeat < 2; ++repeat) // a held key repeats its press
            QTest::keyPress(targets[target], key.key(), key.keyboardModifiers());
        tick(p.get());
        QTEST(facts("help windows", closeHelp(), "dialogs", dialogs) + seen +
                  facts(" rows after", p->picPlayer.size()),
              "opened");
    }

    // Input on the panel's own surface, and keys while the panel itself has the
    // focus, reach the host and run no command; input on a child never does.
    // NumLock released in a routed control re-applies the policy, the
    // operator's press having just toggled it (the policy is test_platform's).
    void hostEvents()
    {
        FakeNumLock keyboard(State::On);
        PanelFixture store("[KeySettings]\nNumLockForce=1\n");
        const auto p = store.panel(338, 524);
        p->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.get()));
        QStringList events;
        const auto record = [&](auto signal, const char* name) {
            connect(p.get(), signal, this, [&events, name](auto... v) {
                events << QStringList{name, QString::number(v)...}.join(' ');
            });
        };
        record(&Quorvel::Click, "click");
        record(&Quorvel::DblClick, "double");
        record(&Quorvel::MouseDown, "down");
        record(&Quorvel::MouseMove, "move");
        record(&Quorvel::MouseUp, "up");
        record(&Quorvel::KeyDown, "key");
        record(&Quorvel::KeyPress, "typed");
        record(&Quorvel::KeyUp, "release");
        // NumLock turned off, then released in a box; a release without modifiers,
        // so no modifier an earlier test's keys left reaches the mouse events.
        keyboard.press();
        QTest::keyRelease(p->txtInputFouls, Qt::Key_NumLock);
        const QPoint at(3, 112); // left of the table area
        QTest::mouseMove(p.get(), at);
        QTest::mouseClick(p.get(), Qt::LeftButton, Qt::ShiftModifier, at);
        for (QWidget* child : QWidgetList{p->lblName[0], p->nledFouls[1], p->lblInputName,
                                          p->picStats, p->txtTitleName}) {
            QTest::mouseMove(child);
            QTest::mouseClick(child, Qt::LeftButton);
            child->setFocus(); // a key the focused child does not take stays there
            QTest::keyClick(child, Qt::Key_Escape);
        }
        QTest::mouseDClick(p.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(p.get(), Qt::LeftButton, {}, at);
        p->setFocus();
        keyboard.press(); // off again: NumLock on the panel itself puts nothing back
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_NumLock, Qt::Key_A})
            QTest::keyClick(p.get(), key);
        QKeyEvent held(QEvent::KeyRelease, Qt::Key_A, {}, "a", true); // a repeat: no release yet
        QApplication::sendEvent(p.get(), &held);
        CHECK_FACTS(facts("events", events.join(", "), "help windows", closeHelp(), "numlock sets",
                          keyboard.sets),
                    "events=move 0 0 45 1680, down 1 1 45 1680, up 1 1 45 1680, click, double, up "
                    "1 0 45 1680, key 112 0, release 112 0, key 144 0, release 144 0, key 65 0, "
                    "typed 97, release 65 0 help windows=0 numlock sets=1");
    }

    // ---- Colours and the options refresh ----

    // UpdateFormColors' targets; ColorLeds sets each display's background
    // before its lit colour.
    void formColors()
    {
        PanelFixture store;
        const auto p = store.panel(338, 524);
        const QString kept = each(inputs(*p), colours);
        S::FormBack = 1;
        S::BorderColor = 2;
        S::LEDBack = 3;
        S::NumColor = 4;
        S::FoulsColor = 5;
        S::PointsColor = 6;
        QStringList order;
        for (auto changed : {&NumberLED::backColorChanged, &NumberLED::litColorChanged})
            connect(p->nledPoints[4], changed, this, [&] { order << colours(p->nledPoints[4]); });
        p->UpdateFormColors();
        CHECK_FACTS(facts("surface", back(p.get()), "table", back(p->picStats), "logo",
                          back(p->picTeamLogo), "team", colours(p->txtTeamName), "titles",
                          each(titles(*p), colours), "divider",
                          BgrColor::fromColor(p->lineDivider->borderColor()), "rows",
                          each(p->picPlayer, back), "names", each(p->lblName, colours), "numbers",
                          each(p->nledNumber, colours), "fouls", each(p->nledFouls, colours),
                          "points", each(p->nledPoints, colours), "row 4 points", order.join(", "),
                          "edit line kept", each(inputs(*p), colours) == kept),
                    "surface=1 table=1 logo=1 team=1/2 titles=1/2 1/2 1/2 1/2 divider=2 rows=3 3 3 "
                    "3 3 names=3/2 3/2 3/2 3/2 3/2 numbers=3/4 3/4 3/4 3/4 3/4 fouls=3/5 3/5 3/5 "
                    "3/5 3/5 points=3/6 3/6 3/6 3/6 3/6 row 4 points=3/49152, 3/6 edit line "
                    "kept=true");
    }

    // A user's path: after OK the first panel of a side to tick re-applies
    // colours, NumLock, layout, digit style and picture, in that order, and
    // only its side is current again.
    void refresh()
    {
        FakeNumLock keyboard;
        PanelFixture store; // its flags cleared, as OK does
        const auto p = store.panel(338, 524);
        const auto same = store.panel(338, 524);
        const auto visitor = store.panel(338, 524, false);
        S::PlayerTotal = 3;
        S::LEDType = 1;
        S::NumColor = 16711680;
        S::NumLockForce = 1;
        S::HomePic = store.path("team.png");
        QImage(30, 10, QImage::Format_RGB32).save(S::HomePic);
        QStringList steps;
        QObject watch; // ends the watching before the panels go
        const auto note = [&](const char* step) {
            return [&, step] {
                steps << facts(step, keyboard.sets, "Dots", p->nledNumber[0]->ledType(), "rows",
                               p->picPlayer.size());
            };
        };
        connect(p->nledNumber[0], &NumberLED::litColorChanged, &watch,
                note("colours: numlock sets"));
        connect(p->picPlayer.back(), &QObject::destroyed, &watch, note("layout: numlock sets"));
        QSignalSpy announced(p.get(), &Quorvel::statsChanged);
        tick(p.get());
        tick(same.get());
        const QString flags = facts("home", S::HomeRefreshed, "visitor", S::VisitorRefreshed);
        tick(visitor.get());
        CHECK_FACTS(
            facts("steps", steps.join(", "), "Dots", p->nledPreFouls->ledType(), "picture",
                  p->imgTeamLogo->hasPicture(), "announced", announced.count(), "flags", flags,
                  "same side", same->picPlayer.size(), "visitor", visitor->picPlayer.size()),
            "steps=colours: numlock sets=0 Dots=0 rows=5, layout: numlock sets=1 Dots=0 "
            "rows=5 Dots=1 picture=true announced=1 flags=home=true visitor=false same side=5 "
            "visitor=3");
    }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
