#include "display/NumberLED.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"
#include "panel/modColor.h"
#include "panel/modShowDigits.h"
#include "platform/ImageControl.h"
#include "platform/LineControl.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QtTest>
#include <QtWidgets>

using Facts::row;
using Facts::text;
using S = PanelSettings;

namespace {

QByteArray columnsStore(const char* shown, int players = 5)
{
    return QString("[Display]\nShowPlayerName=%1\nShowPlayerNumber=%2\nShowPlayerFouls=%3\n"
                   "ShowPlayerPoints=%4\nPlayerTotal=%5\n")
        .arg(shown[0])
        .arg(shown[1])
        .arg(shown[2])
        .arg(shown[3])
        .arg(players)
        .toLatin1();
}

QString rect(const QWidget* w)
{
    return text(Twips::left(w), Twips::top(w), Twips::width(w), Twips::height(w));
}

QString hundredths(double value)
{
    return QString::number(value, 'f', 2);
}

void type(QLineEdit* box, const QString& typed)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
}

// The selected row's values as the edit line and the row show them.
QString editLine(const Quorvel& p)
{
    return QStringList{p.txtInputName->text(), p.txtInputNumber->text(), p.txtInputFouls->text(),
                       p.txtInputPoints->text()}
        .join('|');
}
QString playerRow(const Quorvel& p, int i)
{
    return text(p.lblName[i]->text(), p.nledNumber[i]->value(), p.nledFouls[i]->value(),
                p.nledPoints[i]->value());
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

// What a panel, opened with `store`, shows of its columns: title, caption,
// box and the last row's cell, each visible or not, in column order.
QString shownColumns(const Quorvel& p)
{
    QString shown;
    const QWidget* parts[4][4] = {
        {p.txtTitleName, p.lblInputName, p.txtInputName, p.lblName.back()},
        {p.txtTitleNumber, p.lblInputNumber, p.txtInputNumber, p.nledNumber.back()},
        {p.txtTitleFouls, p.lblInputFouls, p.txtInputFouls, p.nledFouls.back()},
        {p.txtTitlePoints, p.lblInputPoints, p.txtInputPoints, p.nledPoints.back()}};
    for (const auto& column : parts) {
        for (const QWidget* w : column)
            shown += w->isVisible() ? '1' : '0';
        shown += ' ';
    }
    return shown.trimmed();
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
        const modShowDigits::Prototype proto{1695, 435, 15.75, 720, 585, 330, 720, 40, 40, 40};
        for (auto [tag, w, h, expected] :
             {std::tuple("row scale: worked example", 4545.0, 600.0,
                         "702 4617 0.854701 395.87 198 1448.72 371.79 13.46 34 34 34"),
              std::tuple("row scale: tall narrow", 2000.0, 900.0,
                         "702 4617 0.433182 124.76 62 734.24 188.43 6.82 17 17 17"),
              std::tuple("row scale: wide short", 9000.0, 351.0,
                         "702 4617 0.500000 1816.88 908 847.50 217.50 7.88 20 20 20")}) {
            const auto s = modShowDigits::scaleRow(proto, {}, w, h);
            row(tag,
                text(s.rowHeight, s.protoWidth, QString::number(s.sRatio, 'f', 6),
                     hundredths(s.colGap), s.firstLeft, hundredths(s.nameWidth),
                     hundredths(s.nameHeight), hundredths(s.nameFontPoints), s.numberDigitSize,
                     s.foulsDigitSize, s.pointsDigitSize),
                expected);
        }

        // The panel of a scoreboard window as it opens: 5070 x 7860 twips.
        PanelFixture store;
        auto panel = store.panel(338, 524);
        Quorvel& p = *panel;
        row("logo", rect(p.picTeamLogo), "0 0 765 660");
        row("team name", text(rect(p.txtTeamName), Twips::fontPoints(p.txtTeamName)),
            "765 0 4305 660 21.75");
        row("title widths",
            text(Twips::width(p.txtTitleName), Twips::width(p.txtTitleNumber),
                 Twips::width(p.txtTitleFouls), Twips::width(p.txtTitlePoints)),
            "1830 1065 915 915");
        row("title lefts",
            text(Twips::left(p.txtTitleName), Twips::left(p.txtTitleNumber),
                 Twips::left(p.txtTitleFouls), Twips::left(p.txtTitlePoints)),
            "75 1965 3105 4080");
        row("title top and height",
            text(Twips::top(p.txtTitlePoints), Twips::height(p.txtTitleName)), "660 510");
        row("divider",
            text(p.lineDivider->x1(), p.lineDivider->y1(), p.lineDivider->x2(),
                 p.lineDivider->y2()),
            "150 1275 4920 1275");
        row("table area", rect(p.picStats), "105 1380 4860 6165");
        row("edit line on the bottom edge",
            text(Twips::top(p.txtInputName), Twips::height(p.txtInputName),
                 Twips::top(p.cmdInputChange) + Twips::height(p.cmdInputChange)),
            "7545 315 7860");
        row("rows",
            text(rect(p.picPlayer[0]), Twips::top(p.picPlayer[1]), Twips::top(p.picPlayer[4])),
            "0 0 4860 1125 1230 4950");
        row("scale",
            text(QString::number(p.SRatio(), 'f', 6), p.nledNumber[0]->digitSize(),
                 p.nledFouls[4]->digitSize(), p.nledPoints[2]->digitSize(),
                 Twips::width(p.nledPoints[2]), Twips::height(p.nledPoints[2]),
                 Twips::width(p.nledFouls[4])),
            "1.052632 42 42 42 750 615 345");
        row("name cell", text(rect(p.lblName[3]), Twips::fontPoints(p.lblName[3])),
            "150 330 1785 465 16.5");
        row("cell lefts",
            text(Twips::left(p.nledNumber[0]), Twips::left(p.nledFouls[0]),
                 Twips::left(p.nledPoints[0])),
            "2235 3300 3945");
        row("prototype name",
            text(rect(p.lblPreName), Twips::fontPoints(p.lblPreName), p.lblPreName->isVisible()),
            "0 0 1695 435 15.75 false");
        row("prototype displays",
            text(Twips::width(p.nledPreNumber), Twips::width(p.nledPreFouls),
                 Twips::width(p.nledPrePoints), Twips::height(p.nledPrePoints),
                 p.nledPreNumber->digitSize(), p.nledPreFouls->digitSize(),
                 p.nledPrePoints->digitSize(), p.nledPreFouls->isVisible()),
            "720 330 720 585 40 40 40 false");
        row("options button and timer",
            text(p.cmdOptions->isVisible(), p.tmrOptions.interval(), p.tmrOptions.isActive()),
            "false 1000 true");

        // A digit display sizes itself, shows nothing for a negative value,
        // and takes its colours and style by name.
        NumberLED led;
        led.setDigitSize(80);
        const QImage blank = led.grab().toImage();
        QStringList effects{text(led.width(), led.height())};
        const std::pair<const char*, QVariant> changes[] = {{"Value", 88},
                                                            {"Value", -5},
                                                            {"LitColor", QColor(Qt::cyan)},
                                                            {"BackColor", QColor(Qt::cyan)},
                                                            {"LedType", 1}};
        for (const auto& [name, value] : changes) {
            const QImage before = led.grab().toImage();
            const bool set = led.setProperty(name, value);
            const QImage after = led.grab().toImage();
            effects << text(name, set, after != before, after == blank);
            if (value == -5)
                led.setValue(88);
        }
        row("digit display", effects.join(", "),
            "96 78, Value true true false, Value true true true, LitColor true true false, "
            "BackColor true true false, LedType true true false");

        // Hiding a column hides it everywhere and leaves it where it stood.
        const QString fouls = text(rect(p.txtTitleFouls), rect(p.nledFouls[2]));
        const int pointsTitle = Twips::left(p.txtTitlePoints);
        S::ShowPlayerFouls = 0;
        p.UpdatePlayers();
        row("fouls hidden", text(shownColumns(p), Twips::left(p.txtTitlePoints) < pointsTitle),
            "1111 1111 0000 1111 true");
        row("hidden cell unmoved",
            text(rect(p.txtTitleFouls).section(' ', 2), rect(p.nledFouls[2])),
            text(fouls.section(' ', 2)));
        S::ShowPlayerFouls = 1;
        p.UpdatePlayers();
        row("fouls shown again", text(rect(p.txtTitleFouls), rect(p.nledFouls[2])), fouls);

        // Lowering the count destroys rows, cells first; raising it copies row 0.
        S::PlayerTotal = 8;
        p.UpdatePlayers();
        const int height = p.picPlayer[0]->height();
        QPointer<QWidget> gone = p.nledPoints[7];
        S::PlayerTotal = 3;
        p.UpdatePlayers();
        row("rows destroyed",
            text(gone.isNull(), p.picStats->findChildren<PictureBox*>().size(),
                 p.picStats->findChildren<NumberLED*>().size(), p.picPlayer[0]->height() > height),
            "true 3 9 true");
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
                 copy->isVisible(), p.picPlayer[5]->height() == p.picPlayer[0]->height()),
            "Ann 1 #00ffff -1 true true true");
        row("row tops", text(Twips::top(p.picPlayer[5]), Twips::height(p.picPlayer[0])),
            "5115 930");

        // One column: its title and cells are centred.
        for (const char* shown : {"1000", "0010"}) {
            PanelFixture one(columnsStore(shown));
            const auto q = one.panel(400, 600);
            const int c = QByteArray(shown).indexOf('1');
            const QWidget* titles[] = {q->txtTitleName, q->txtTitleNumber, q->txtTitleFouls,
                                       q->txtTitlePoints};
            const QWidget* cells[] = {q->lblName[4], q->nledNumber[4], q->nledFouls[4],
                                      q->nledPoints[4]};
            row(qPrintable(QString("centred ") + shown),
                text(shownColumns(*q).remove("0000").trimmed(),
                     qAbs(titles[c]->geometry().center().x() - 200) <= 1,
                     qAbs(cells[c]->geometry().center().x() - q->picPlayer[4]->width() / 2) <= 1),
                "1111 true true");
        }

        // The edit line: gap2 before the first caption, between pairs and
        // before the button, over count + 2; each caption before its box.
        for (const char* shown : {"1111", "0101", "1000"}) {
            PanelFixture edit(columnsStore(shown));
            const auto q = edit.panel(400, 600);
            const std::pair<QWidget*, QWidget*> pairs[] = {{q->lblInputName, q->txtInputName},
                                                           {q->lblInputNumber, q->txtInputNumber},
                                                           {q->lblInputFouls, q->txtInputFouls},
                                                           {q->lblInputPoints, q->txtInputPoints}};
            QList<std::pair<QWidget*, QWidget*>> used;
            int usedWidth = Twips::width(q->cmdInputChange);
            for (int c = 0; c < 4; ++c)
                if (shown[c] == '1') {
                    used << pairs[c];
                    usedWidth += Twips::width(pairs[c].first) + Twips::width(pairs[c].second);
                }
            const int gap = Twips::roundHalfEven((6000.0 - usedWidth) / (used.size() + 2));
            QStringList actual, expected;
            int cursor = gap;
            for (auto [caption, box] : used) {
                actual << text(Twips::left(caption), Twips::left(box));
                expected << text(Twips::readBack(cursor),
                                 Twips::left(caption) + Twips::width(caption));
                cursor += Twips::width(caption) + Twips::width(box) + gap;
            }
            actual << text(Twips::left(q->cmdInputChange), q->cmdInputChange->isVisible());
            expected << text(Twips::readBack(cursor), true);
            row(qPrintable(QString("edit line ") + shown), actual.join(", "), expected.join(", "));
        }

        // Beyond the layout's limits the panel stays alive and in order.
        for (auto [tag, size, shown] :
             {std::tuple("0 x 0", QSize(0, 0), "1111"),
              std::tuple("60000 x 40000 twips", QSize(4000, 2667), "1111"),
              std::tuple("no column", QSize(400, 600), "0000")}) {
            PanelFixture odd(columnsStore(shown, 15));
            const auto q = odd.panel(size.width(), size.height());
            row(tag,
                text(q->picPlayer.size(), q->txtInputName->geometry().bottom() == q->height() - 1,
                     size.height() < 100 || QRect(QPoint(), q->picStats->size())
                                                .contains(q->picPlayer[14]->geometry())),
                "15 true true");
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
        row("Enter before any click writes row 0",
            text(playerRow(p, 0), editLine(p), QApplication::focusWidget() == p.txtInputPoints),
            "Ann 23 4 17 Ann|23|4|17 true");

        p.lblName[3]->setText("Bo");
        p.nledNumber[3]->setValue(7);
        p.nledPoints[3]->setValue(0);
        QWidget* parts[] = {p.picPlayer[3], p.lblName[3], p.nledNumber[3], p.nledFouls[3],
                            p.nledPoints[3]};
        for (QWidget* part : parts) {
            p.PlayerClick(0);
            QTest::mouseClick(part, Qt::LeftButton, {},
                              part == p.picPlayer[3] ? QPoint(2, 2) : part->rect().center());
            row(qPrintable("click on " + part->objectName()), text(p.PlayerEdit(), editLine(p)),
                "3 Bo|7||0");
        }

        for (auto [typed, value, reloaded] :
             {std::tuple("", -1, ""), std::tuple(" ", 0, "0"), std::tuple("-4", -4, ""),
              std::tuple("5x", 5, "5"), std::tuple("x5", 0, "0"), std::tuple(".5", 0, "0"),
              std::tuple("-", 0, "0"), std::tuple("&H", 0, "0")}) {
            p.PlayerClick(2);
            p.txtInputNumber->setText(typed);
            p.txtInputPoints->setText(typed);
            p.txtInputFouls->setText(QString(typed).left(1));
            QTest::mouseClick(p.cmdInputChange, Qt::LeftButton);
            p.PlayerClick(1);
            p.PlayerClick(2);
            row(qPrintable(QString("box '%1'").arg(typed)),
                text(p.nledNumber[2]->value(), p.nledPoints[2]->value(), p.txtInputPoints->text()),
                text(value, value, QString(reloaded)));
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
            names += name->text() + ' ';
        row("rows that do not exist", text(selected, names.contains("Ghost")), "2 false");

        p.setPlayerEdit(0);
        p.txtInputName->setText("<b>Al");
        type(p.txtTeamName, "Lions");
        QTest::keyClick(p.txtTeamName, Qt::Key_Return);
        row("Enter in the team name", text(p.txtTeamName->text(), p.lblName[0]->text()),
            "Lions Ann");
        QTest::keyClick(p.txtInputName, Qt::Key_Return);
        S::PlayerTotal = 7;
        p.UpdatePlayers();
        row("names verbatim",
            text(p.lblName[0]->text(), p.lblName[0]->textFormat() == Qt::PlainText,
                 p.lblName[6]->textFormat() == Qt::PlainText),
            "<b>Al true true");
    }
    void editing() { Facts::check(); }

    void keys_data()
    {
        Facts::columns();
        QStringList ascii;
        for (int code :
             {32, 13, 0, 187, 107, 189, 109, 96, 103, 105, 48, 57, 110, 190, 65, 112, 106, 47, 191})
            ascii << QString::number(Quorvel::KeyCodeToAsci(qint16(code)));
        row("KeyCodeToAsci", ascii.join(' '),
            "32 13 0 43 43 45 45 48 55 57 48 57 46 46 -1 -1 -1 -1 -1");

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
            row(qPrintable(QString("F1 with modifiers %1").arg(mods)),
                text(helpWindows(), p.txtInputNumber->text()), "1 0");
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
            const int rowsDuring = int(p.picPlayer.size());
            tick(p);
            row(display ? "F2 on a digit display" : "F2 in an input box",
                text(opened, rowsDuring, p.picPlayer.size()), text(1, 5, 1));
            S::PlayerTotal = 5;
            p.UpdatePlayers();
        }

        for (auto [force, sets, on] :
             {std::tuple(2, 1, false), std::tuple(1, 1, true), std::tuple(0, 0, true)}) {
            FakeNumLock keyboard(force == 1 ? NumLockBackend::State::On
                                            : NumLockBackend::State::Off);
            S::NumLockForce = force;
            keyboard.press(); // the operator's press
            QTest::keyRelease(p.txtInputFouls, Qt::Key_NumLock);
            QTest::keyRelease(&p, Qt::Key_NumLock); // the panel itself runs no command
            row(qPrintable(QString("NumLock released, force %1").arg(force)),
                text(keyboard.sets, keyboard.state() == NumLockBackend::State::On), text(sets, on));
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
        const QPoint surface(p.picStats->x() / 2, p.picStats->y() + 20);
        QTest::mouseClick(&p, Qt::LeftButton, Qt::ShiftModifier, surface);
        QTest::mouseClick(p.lblName[0], Qt::LeftButton);
        QTest::mouseClick(p.nledFouls[1], Qt::LeftButton);
        QTest::mouseClick(p.lblInputName, Qt::LeftButton);
        row("click", events.join(", "),
            QString("down 1 1 %1 %2, up, click").arg(surface.x() * 15).arg(surface.y() * 15));
        events.clear();
        QTest::mousePress(&p, Qt::LeftButton, {}, surface);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, surface);
        QTest::mouseDClick(&p, Qt::LeftButton, {}, surface);
        QTest::mouseRelease(&p, Qt::LeftButton, {}, surface);
        row("double click", events.join(", ").remove(QRegularExpression(" [-\\d][^,]*")),
            "down, up, click, double, up");
        events.clear();
        QTest::keyClick(p.txtInputName, Qt::Key_Escape);
        p.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        p.setFocus();
        QTest::keyClick(&p, Qt::Key_F2);
        row("keys", text(events.join(", "), frmOptions::instance() == nullptr), "key 113 true");
    }
    void keys() { Facts::check(); }

    void colours_data()
    {
        Facts::columns();
        FakeNumLock keyboard;
        PanelFixture store;
        auto home = store.panel(400, 600, true), visitor = store.panel(400, 600, false);
        Quorvel& p = *home;
        auto editLineColours = [&p] {
            return text(p.txtInputName->palette().color(QPalette::Base).name(),
                        p.txtInputName->palette().color(QPalette::Text).name(),
                        p.lblInputName->palette().color(QPalette::Window).name(),
                        p.lblInputName->palette().color(QPalette::WindowText).name());
        };
        const QString editLine = editLineColours();
        row("defaults",
            text(bgr(p.picStats->backColor()), bgr(p.lineDivider->borderColor()),
                 bgr(p.picPlayer[4]->backColor()), bgr(p.nledNumber[4]->litColor()),
                 bgr(p.nledFouls[4]->litColor()), bgr(p.nledPoints[4]->litColor())),
            "ff ffffff 0 80ff ff c000");
        S::FormBack = 1, S::BorderColor = 2, S::LEDBack = 3, S::NumColor = 4, S::FoulsColor = 5,
        S::PointsColor = 6;
        p.UpdateFormColors();
        auto back = [](const QWidget* w) { return bgr(w->palette().color(w->backgroundRole())); };
        auto colours = [](const QLineEdit* t) {
            return text(bgr(t->palette().color(QPalette::Base)),
                        bgr(t->palette().color(QPalette::Text)));
        };
        row("surface, table, logo",
            text(back(&p), bgr(p.picStats->backColor()), bgr(p.picTeamLogo->backColor())), "1 1 1");
        row("team and titles",
            text(colours(p.txtTeamName), colours(p.txtTitleName), colours(p.txtTitleNumber),
                 colours(p.txtTitleFouls), colours(p.txtTitlePoints)),
            "1 2 1 2 1 2 1 2 1 2");
        row("divider", bgr(p.lineDivider->borderColor()), "2");
        row("last row",
            text(bgr(p.picPlayer[4]->backColor()), back(p.lblName[4]),
                 bgr(p.lblName[4]->palette().color(QPalette::WindowText))),
            "3 3 2");
        row("last row's digits",
            text(bgr(p.nledNumber[4]->backColor()), bgr(p.nledNumber[4]->litColor()),
                 bgr(p.nledFouls[4]->backColor()), bgr(p.nledFouls[4]->litColor()),
                 bgr(p.nledPoints[4]->backColor()), bgr(p.nledPoints[4]->litColor())),
            "3 4 3 5 3 6");
        row("edit line kept", editLineColours(), editLine);

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
                 visitor->nledPreFouls->ledType(), keyboard.state() == NumLockBackend::State::On,
                 visitor->imgTeamLogo->hasPicture(), S::VisitorRefreshed, S::HomeRefreshed,
                 home->picPlayer.size(), home->imgTeamLogo->hasPicture()),
            "8 1 ff0000 1 true true true false 5 false");
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
