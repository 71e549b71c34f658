#include "display/NumberLED.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"
#include "panel/modColor.h"
#include "panel/modShowDigits.h"
#include "toolkit/ImageControl.h"
#include "toolkit/LineControl.h"
#include "toolkit/FilledBox.h"
#include "toolkit/TwipsGeometry.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QtTest>
#include <QtWidgets>

using Facts::row;
using Facts::text;
using S = PanelSettings;
namespace T = Twips;

namespace {

using Widgets = std::initializer_list<const QWidget*>;

QByteArray columnsStore(const char* c)
{
    return QString::asprintf("[Display]\nShowPlayerName=%c\nShowPlayerNumber=%c\n"
                             "ShowPlayerFouls=%c\nShowPlayerPoints=%c\n",
                             c[0], c[1], c[2], c[3])
        .toLatin1();
}

// One measure, in twips, of each widget.
QString each(int (*measure)(const QWidget*), Widgets widgets)
{
    QStringList values;
    for (const QWidget* w : widgets)
        values << QString::number(measure(w));
    return values.join(' ');
}
QString rect(const QWidget* w)
{
    return each(T::left, {w}) + ' ' + each(T::top, {w}) + ' ' + each(T::width, {w}) + ' ' +
           each(T::height, {w});
}
QString visible(Widgets widgets)
{
    QString shown;
    for (const QWidget* w : widgets)
        shown += w->isVisible() ? '1' : '0';
    return shown;
}

// The edit line's texts, then row i's name and values.
QString editLine(const Quorvel& p, int i)
{
    return QStringList{
        p.txtInputName->text(),
        p.txtInputNumber->text(),
        p.txtInputFouls->text(),
        p.txtInputPoints->text(),
        p.lblName[i]->text(),
        text(p.nledNumber[i]->value(), p.nledFouls[i]->value(), p.nledPoints[i]->value())}
        .join('|');
}

void type(QLineEdit* box, const QString& typed)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
}

int helpWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<frmHelp*>(w) && w->isVisible();
    return count;
}

void tick(Quorvel& panel)
{
    QMetaObject::invokeMethod(&panel, "refreshOptions");
}

QString bgr(const QColor& c)
{
    return QString::number(c.red() | c.green() << 8 | c.blue() << 16, 16);
}

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmHelp*>(w))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void layout_data()
    {
        Facts::columns();
        const auto s = modShowDigits::scaleRow({1695, 435, 15.75, 720, 585, 330, 720, 40, 40, 40},
                                               {}, 4545, 600);
        row("row scale example",
            text(s.rowHeight, s.protoWidth, s.sRatio, s.colGap, s.firstLeft, s.nameWidth,
                 s.nameHeight, s.nameFontPoints, s.numberDigitSize, s.foulsDigitSize,
                 s.pointsDigitSize),
            "702 4617 0.854701 395.865 198 1448.72 371.795 13.4615 34 34 34");

        // The panel of a scoreboard window as it opens: 5070 x 7860 twips.
        PanelFixture store;
        auto panel = store.panel(338, 524);
        Quorvel& p = *panel;
        const Widgets titles{p.txtTitleName, p.txtTitleNumber, p.txtTitleFouls, p.txtTitlePoints};
        const LineControl& line = *p.lineDivider;
        row("logo", rect(p.picTeamLogo), "0 0 765 660");
        row("team name", text(rect(p.txtTeamName), T::fontPoints(p.txtTeamName)),
            "765 0 4305 660 21.75");
        row("title widths", each(T::width, titles), "1830 1065 915 915");
        row("title lefts", each(T::left, titles), "75 1965 3105 4080");
        row("title tops, height", text(each(T::top, titles), T::height(p.txtTitleName)),
            "660 660 660 660 510");
        row("divider", text(line.x1(), line.y1(), line.x2(), line.y2()), "150 1275 4920 1275");
        row("table area", rect(p.picStats), "105 1380 4860 6165");
        row("edit line: tops, height, widths",
            text(rect(p.txtInputName).section(' ', 1, 1), T::top(p.cmdInputChange),
                 T::height(p.txtInputName),
                 each(T::width, {p.lblInputName, p.txtInputName, p.lblInputNumber, p.txtInputNumber,
                                 p.lblInputFouls, p.txtInputFouls, p.lblInputPoints,
                                 p.txtInputPoints, p.cmdInputChange})),
            "7545 7545 315 555 1065 285 405 405 285 405 405 450");
        // Every edit-line caption shows its whole text, at this size and larger.
        for (int width : {338, 500, 1280}) {
            p.resize(width, 524);
            QStringList clipped;
            for (const QLabel* c :
                 {p.lblInputName, p.lblInputNumber, p.lblInputFouls, p.lblInputPoints})
                if (c->fontMetrics().horizontalAdvance(c->text()) > c->contentsRect().width())
                    clipped << c->text();
            row(qPrintable(text("captions whole at", width)), clipped.join(' '), "");
        }
        p.resize(338, 524);
        row("rows", text(rect(p.picPlayer[0]), each(T::top, {p.picPlayer[1], p.picPlayer[4]})),
            "0 0 4860 1125 1230 4950");
        row("scale",
            text(p.SRatio(), p.nledNumber[0]->digitSize(), p.nledFouls[4]->digitSize(),
                 p.nledPoints[2]->digitSize(), rect(p.nledPoints[2]), T::width(p.nledFouls[4])),
            "1.05263 42 42 42 3945 255 750 615 345");
        row("name cell", text(rect(p.lblName[3]), T::fontPoints(p.lblName[3])),
            "150 330 1785 465 16.5");
        row("cell lefts", each(T::left, {p.nledNumber[0], p.nledFouls[0], p.nledPoints[0]}),
            "2235 3300 3945");
        row("prototype name", text(rect(p.lblPreName), T::fontPoints(p.lblPreName)),
            "0 0 1695 435 15.75");
        const Widgets prototypes{p.nledPreNumber, p.nledPreFouls, p.nledPrePoints};
        row("prototype displays",
            text(each(T::width, prototypes), each(T::height, prototypes),
                 p.nledPreNumber->digitSize(), p.nledPreFouls->digitSize(),
                 p.nledPrePoints->digitSize()),
            "720 330 720 585 585 585 40 40 40");
        row("hidden, timer",
            text(visible({p.lblPreName, p.nledPreNumber, p.nledPreFouls, p.nledPrePoints,
                          p.cmdOptions}),
                 p.tmrOptions.interval(), p.tmrOptions.isActive()),
            "00000 1000 true");

        // A display draws what it is given; a negative value shows no digits.
        NumberLED led;
        QStringList drawn;
        for (auto [name, value] : std::initializer_list<std::pair<const char*, QVariant>>{
                 {"Value", 88}, {"LitColor", QColor(Qt::cyan)}, {"BackColor", QColor(Qt::cyan)},
                 {"LedType", 1}, {"Value", -1}}) {
            const QImage before = led.grab().toImage();
            drawn << text(name, led.setProperty(name, value) && led.grab().toImage() != before);
        }
        const QImage blank = led.grab().toImage();
        led.setValue(-5);
        row("digit display", text(drawn.join(' '), led.grab().toImage() == blank),
            "Value true LitColor true BackColor true LedType true Value true true");

        // A hidden column is hidden everywhere and left where it stood.
        const QString fouls = text(rect(p.txtTitleFouls), rect(p.nledFouls[2]));
        const int points = T::left(p.txtTitlePoints);
        S::ShowPlayerFouls = 0;
        p.UpdatePlayers();
        row("fouls hidden",
            text(visible({p.txtTitleFouls, p.lblInputFouls, p.txtInputFouls, p.nledFouls[4],
                          p.txtTitlePoints, p.lblInputPoints, p.txtInputPoints, p.nledPoints[4]}),
                 rect(p.txtTitleFouls), each(T::left, {p.lblInputFouls, p.txtInputFouls}),
                 rect(p.nledFouls[2]), T::left(p.txtTitlePoints) < points),
            text("00001111 2985 660 915 510 2490 2895", fouls.section(' ', 4), true));
        S::ShowPlayerFouls = 1;
        p.UpdatePlayers();
        row("fouls shown again", text(rect(p.txtTitleFouls), rect(p.nledFouls[2])), fouls);

        // Lowering the count destroys rows; raising it copies row 0's settings.
        S::PlayerTotal = 8;
        p.UpdatePlayers();
        QPointer<QWidget> gone = p.nledPoints[7];
        S::PlayerTotal = 3;
        p.UpdatePlayers();
        row("rows destroyed",
            text(gone.isNull(), p.picStats->findChildren<FilledBox*>().size(),
                 p.picStats->findChildren<NumberLED*>().size(), T::height(p.picPlayer[0])),
            "true 3 9 1875");
        p.nledFouls[0]->setLedType(1);
        p.nledFouls[0]->setLitColor(Qt::cyan);
        p.lblName[0]->setText("Ann");
        p.nledNumber[0]->setValue(12);
        S::PlayerTotal = 6;
        p.UpdatePlayers();
        const NumberLED* copy = p.nledFouls[5];
        row("row created like row 0",
            text(p.lblName[5]->text(), copy->ledType(), copy->litColor().name(),
                 p.nledNumber[5]->value(), copy->parentWidget() == p.picPlayer[5],
                 copy->isVisible(), rect(p.picPlayer[5])),
            "Ann 1 #00ffff -1 true true 0 5115 4860 930");

        // One column: title and cells centred. The edit line: gap2 before the
        // first caption, between pairs and before the button, over count + 2.
        for (const char* shown : {"1000", "0010", "0101", "1111"}) {
            PanelFixture one(columnsStore(shown));
            const auto q = one.panel(400, 600);
            const int c = QByteArray(shown).indexOf('1');
            const QWidget* heads[] = {q->txtTitleName, q->txtTitleNumber, q->txtTitleFouls,
                                      q->txtTitlePoints};
            const QWidget* cells[] = {q->lblName[4], q->nledNumber[4], q->nledFouls[4],
                                      q->nledPoints[4]};
            if (QByteArray(shown).count('1') == 1)
                row(qPrintable(text("centred", shown)),
                    text(visible({heads[0], heads[1], heads[2], heads[3], cells[0], cells[1],
                                  cells[2], cells[3]}),
                         2 * heads[c]->x() + heads[c]->width() - 400,
                         qAbs(2 * cells[c]->x() + cells[c]->width() - q->picPlayer[4]->width()) <
                             2),
                    text(QByteArray(shown) + shown, 0, true));
            const std::pair<QWidget*, QWidget*> pairs[] = {{q->lblInputName, q->txtInputName},
                                                           {q->lblInputNumber, q->txtInputNumber},
                                                           {q->lblInputFouls, q->txtInputFouls},
                                                           {q->lblInputPoints, q->txtInputPoints}};
            // A hidden pair keeps its proportional place.
            const double hiddenAt[] = {0, 0.11, 0.335, 0.387, 0.49, 0.57, 0.645, 0.725};
            int used = T::width(q->cmdInputChange);
            for (int i = 0; i < 4; ++i)
                used += shown[i] == '1' ? T::width(pairs[i].first) + T::width(pairs[i].second) : 0;
            const int gap = T::roundHalfEven((6000.0 - used) / (QByteArray(shown).count('1') + 2));
            QStringList actual, expected;
            int cursor = gap;
            for (int i = 0; i < 4; ++i) {
                const auto [caption, box] = pairs[i];
                actual << text(caption->isVisible(), box->isVisible(), T::left(caption),
                               T::left(box));
                expected << text(shown[i] == '1', shown[i] == '1', T::readBack(cursor),
                                 T::left(caption) + T::width(caption));
                if (shown[i] == '1')
                    cursor += T::width(caption) + T::width(box) + gap;
                else
                    expected.last() = text(false, false, T::readBack(6000 * hiddenAt[2 * i]),
                                           T::readBack(6000 * hiddenAt[2 * i + 1]));
            }
            row(qPrintable(text("edit line", shown)),
                text(actual.join(", "), T::left(q->cmdInputChange)),
                text(expected.join(", "), T::readBack(cursor)));
        }
    }
    void layout() { Facts::check(); }

    void editing_data()
    {
        Facts::columns();
        PanelFixture store;
        auto panel = store.panel(400, 600);
        Quorvel& p = *panel;
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        type(p.txtInputName, "Ann");
        type(p.txtInputNumber, "23");
        type(p.txtInputFouls, "4");
        type(p.txtInputPoints, "17");
        QTest::keyClick(p.txtInputPoints, Qt::Key_Return);
        row("Enter before any click",
            text(editLine(p, 0), QApplication::focusWidget() == p.txtInputPoints),
            "Ann|23|4|17|Ann|23 4 17 true");

        p.lblName[3]->setText("Bo");
        p.nledNumber[3]->setValue(7);
        p.nledPoints[3]->setValue(0);
        for (QWidget* part : QWidgetList{p.picPlayer[3], p.lblName[3], p.nledNumber[3],
                                         p.nledFouls[3], p.nledPoints[3]}) {
            p.PlayerClick(0);
            QTest::mouseClick(part, Qt::LeftButton, {},
                              part == p.picPlayer[3] ? QPoint(2, 2) : part->rect().center());
            row(qPrintable("click on " + part->objectName()), text(p.PlayerEdit(), editLine(p, 3)),
                "3 Bo|7||0|Bo|7 -1 0");
        }

        const std::tuple<const char*, int, const char*> boxes[] = {
            {"", -1, ""},   {" ", 0, "0"},  {"-4", -4, ""}, {"5x", 5, "5"},
            {"x5", 0, "0"}, {".5", 0, "0"}, {"-", 0, "0"},  {"&H", 0, "0"}};
        for (const auto& [typed, value, reloaded] : boxes) {
            p.PlayerClick(2);
            for (QLineEdit* box : {p.txtInputNumber, p.txtInputFouls, p.txtInputPoints})
                box->setText(typed);
            QTest::mouseClick(p.cmdInputChange, Qt::LeftButton);
            p.PlayerClick(1);
            p.PlayerClick(2);
            row(qPrintable(text("box", typed)),
                text(p.nledNumber[2]->value(), p.nledPoints[2]->value(), p.txtInputPoints->text()),
                text(value, value, reloaded));
        }

        p.lblName[1]->setText("Cy");
        p.PlayerClick(1);
        p.txtInputName->clear();
        p.PlayerClick(0); // another row without applying writes nothing
        const QString kept = p.lblName[1]->text();
        p.PlayerClick(1);
        p.txtInputName->clear();
        QTest::keyClick(p.txtInputName, Qt::Key_Enter);
        row("empty name", text(kept, p.lblName[1]->text().isEmpty()), "Cy true");

        QString lengths;
        for (QLineEdit* box :
             {p.txtInputName, p.txtInputNumber, p.txtInputFouls, p.txtInputPoints}) {
            box->clear();
            box->insert("123456789012"); // as a paste does
            lengths += QString::number(box->text().size());
        }
        row("length limits", lengths, "8212");

        p.PlayerClick(2);
        p.PlayerClick(40);
        const int selected = p.PlayerEdit();
        p.setPlayerEdit(9);
        p.txtInputName->setText("Ghost");
        QTest::mouseClick(p.cmdInputChange, Qt::LeftButton);
        QString names;
        for (QLabel* name : p.lblName)
            names += name->text();
        row("rows that do not exist", text(selected, names.contains("Ghost")), "2 false");

        p.setPlayerEdit(0);
        p.txtInputName->setText("<b>Al");
        type(p.txtTeamName, "Lions");
        QTest::keyClick(p.txtTeamName, Qt::Key_Return);
        const QString teamEnter = text(p.txtTeamName->text(), p.lblName[0]->text());
        QTest::keyClick(p.txtInputName, Qt::Key_Return);
        S::PlayerTotal = 7;
        p.UpdatePlayers();
        row("Enter in the team name; names verbatim",
            text(teamEnter, p.lblName[0]->text(), p.lblName[0]->textFormat(),
                 p.lblName[6]->textFormat()),
            text("Lions Ann <b>Al", Qt::PlainText, Qt::PlainText));
    }
    void editing() { Facts::check(); }

    void keys_data()
    {
        Facts::columns();
        QStringList ascii;
        for (int code :
             {32, 13, 0, 187, 107, 189, 109, 96, 103, 105, 48, 57, 110, 190, 65, 112, 106, 47})
            ascii << QString::number(Quorvel::KeyCodeToAsci(qint16(code)));
        row("KeyCodeToAsci", ascii.join(' '),
            "32 13 0 43 43 45 45 48 55 57 48 57 46 46 -1 -1 -1 -1");

        PanelFixture store;
        auto panel = store.panel(400, 600);
        Quorvel& p = *panel;
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        for (auto mods :
             {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            QTest::keyClick(p.txtInputNumber, Qt::Key_F1, mods);
            for (int repeat = 0; repeat < 3; ++repeat) // a held key repeats its press
                QTest::keyPress(p.nledPoints[1], Qt::Key_F1, mods);
            QTest::keyClick(p.txtTitleFouls, Qt::Key_F1, mods);
            row(qPrintable(text("F1 with", mods)), text(helpWindows(), p.txtInputNumber->text()),
                "1 0");
        }

        // F2 opens the one dialog, once even from a digit display; a refresh
        // due while it is open waits for the key's handler to return.
        for (int display : {0, 1}) {
            QWidget* target = display ? static_cast<QWidget*>(p.nledNumber[3]) : p.txtInputName;
            target->setFocus();
            int opened = 0;
            QTimer closer;
            connect(&closer, &QTimer::timeout, &p, [&] {
                frmOptions* dialog = frmOptions::instance();
                if (!dialog || !dialog->isVisible())
                    return;
                opened += dialog->isModal() ? 1 : 100;
                S::PlayerTotal = 1;
                S::HomeRefreshed = false;
                tick(p);
                dialog->reject();
            });
            closer.start(0);
            QTest::keyClick(target, Qt::Key_F2, Qt::ShiftModifier);
            closer.stop();
            const int during = int(p.picPlayer.size());
            tick(p);
            row(qPrintable(text("F2, display", display)), text(opened, during, p.picPlayer.size()),
                "1 5 1");
            S::PlayerTotal = 5;
            p.UpdatePlayers();
        }

        for (int force : {2, 1, 0}) {
            FakeNumLock keyboard(force == 1 ? NumLockBackend::State::On
                                            : NumLockBackend::State::Off);
            S::NumLockForce = force;
            keyboard.press(); // the operator's press
            QTest::keyRelease(p.txtInputFouls, Qt::Key_NumLock);
            QTest::keyRelease(&p, Qt::Key_NumLock); // the panel itself runs no command
            row(qPrintable(text("NumLock released, force", force)),
                text(keyboard.sets, keyboard.state() == NumLockBackend::State::On),
                force ? text(1, force == 1) : "0 true");
        }

        // Events reach the host only from the panel's own surface and focus.
        QStringList events;
        connect(&p, &Quorvel::Click, this, [&] { events << "click"; });
        connect(&p, &Quorvel::DblClick, this, [&] { events << "double"; });
        connect(&p, &Quorvel::MouseDown, this,
                [&](qint16 b, qint16 s, float x, float y) { events << text("down", b, s, x, y); });
        connect(&p, &Quorvel::MouseUp, this, [&] { events << "up"; });
        connect(&p, &Quorvel::KeyDown, this,
                [&](qint16 code, qint16) { events << text("key", code); });
        const QPoint at(p.picStats->x() / 2, p.picStats->y() + 20);
        QTest::mouseClick(&p, Qt::LeftButton, Qt::ShiftModifier, at);
        for (QWidget* child : QWidgetList{p.lblName[0], p.nledFouls[1], p.lblInputName})
            QTest::mouseClick(child, Qt::LeftButton);
        QTest::mousePress(&p, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&p, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, at);
        QTest::keyClick(p.txtInputName, Qt::Key_Escape);
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        p.setFocus();
        QTest::keyClick(&p, Qt::Key_F2);
        row("host events", text(events.join(", "), frmOptions::instance() == nullptr),
            text(
                QString("down 1 1 %1 %2, up, click, down 1 0 %1 %2, up, click, double, up, key 113")
                    .arg(at.x() * 15)
                    .arg(at.y() * 15),
                true));

        // A held key repeats its press only: one KeyUp, on the real release.
        QStringList ups;
        connect(&p, &Quorvel::KeyUp, this, [&](qint16 code, qint16) { ups << text(code); });
        for (bool autoRepeat : {true, true, false}) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, {}, "a", autoRepeat);
            QApplication::sendEvent(&p, &release);
        }
        row("held key, one KeyUp", ups.join(' '), "65");
    }
    void keys() { Facts::check(); }

    void colours_data()
    {
        Facts::columns();
        FakeNumLock keyboard;
        PanelFixture store;
        auto home = store.panel(400, 600, true), visitor = store.panel(400, 600, false);
        Quorvel& p = *home;
        auto back = [](const QWidget* w) { return bgr(w->palette().color(w->backgroundRole())); };
        auto fore = [](const QWidget* w) { return bgr(w->palette().color(w->foregroundRole())); };
        auto editLine = [&] {
            return text(back(p.txtInputName), fore(p.txtInputName), back(p.lblInputName),
                        fore(p.lblInputName), back(p.cmdInputChange));
        };
        const QString kept = editLine();
        row("defaults",
            text(bgr(p.picStats->backColor()), bgr(p.lineDivider->borderColor()),
                 bgr(p.picPlayer[4]->backColor()), bgr(p.nledNumber[4]->litColor()),
                 bgr(p.nledFouls[4]->litColor()), bgr(p.nledPoints[4]->litColor())),
            "ff ffffff 0 80ff ff c000");
        S::FormBack = 1, S::BorderColor = 2, S::LEDBack = 3, S::NumColor = 4, S::FoulsColor = 5,
        S::PointsColor = 6;
        p.UpdateFormColors();
        row("surface, table, logo",
            text(back(&p), bgr(p.picStats->backColor()), bgr(p.picTeamLogo->backColor())), "1 1 1");
        QStringList boxes;
        for (const QWidget* t :
             {p.txtTeamName, p.txtTitleName, p.txtTitleNumber, p.txtTitleFouls, p.txtTitlePoints})
            boxes << text(back(t), fore(t));
        row("team and titles", boxes.join(' '), "1 2 1 2 1 2 1 2 1 2");
        row("divider, last row",
            text(bgr(p.lineDivider->borderColor()), bgr(p.picPlayer[4]->backColor()),
                 back(p.lblName[4]), fore(p.lblName[4])),
            "2 3 3 2");
        row("last row's digits",
            text(bgr(p.nledNumber[4]->backColor()), bgr(p.nledNumber[4]->litColor()),
                 bgr(p.nledFouls[4]->backColor()), bgr(p.nledFouls[4]->litColor()),
                 bgr(p.nledPoints[4]->backColor()), bgr(p.nledPoints[4]->litColor())),
            "3 4 3 5 3 6");
        row("edit line kept", editLine(), kept);

        QStringList order;
        for (int i = 0; i < 2; ++i) {
            connect(p.nledPoints[i], &NumberLED::backColorChanged, this,
                    [&order, i](QColor c) { order << text("back", i, bgr(c)); });
            connect(p.nledPoints[i], &NumberLED::litColorChanged, this,
                    [&order, i](QColor c) { order << text("lit", i, bgr(c)); });
        }
        S::LEDBack = 0x112233;
        modColor::ColorLeds({p.nledPoints[0], p.nledPoints[1]}, 0xFF00);
        row("ColorLeds order", order.join(", "),
            "back 0 112233, lit 0 ff00, back 1 112233, lit 1 ff00");

        // The refresh: each side's panel applies the settings once per cleared flag.
        tick(*home);
        row("first home tick", text(S::HomeRefreshed, S::VisitorRefreshed), "true false");
        tick(*visitor);
        S::PlayerTotal = 8, S::LEDType = 1, S::NumColor = 0xFF0000, S::NumLockForce = 1;
        S::VisitorPic = store.path("v.png");
        QImage(30, 10, QImage::Format_RGB32).save(S::VisitorPic);
        tick(*home);
        row("current tick does nothing", text(home->picPlayer.size(), keyboard.sets), "5 0");
        S::HomeRefreshed = S::VisitorRefreshed = false;
        tick(*visitor);
        const NumberLED* led = visitor->nledNumber[7];
        row("visitor tick",
            text(visitor->picPlayer.size(), led->ledType(), bgr(led->litColor()),
                 visitor->nledPreFouls->ledType(), keyboard.sets,
                 visitor->imgTeamLogo->hasPicture(), S::VisitorRefreshed, S::HomeRefreshed,
                 home->picPlayer.size(), home->imgTeamLogo->hasPicture()),
            "8 1 ff0000 1 1 true true false 5 false");
        auto secondHome = store.panel(400, 600, true);
        S::PlayerTotal = 3;
        tick(*home);
        tick(*secondHome);
        row("first of one side takes it",
            text(home->picPlayer.size(), secondHome->picPlayer.size()), "3 5");
    }
    void colours() { Facts::check(); }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
