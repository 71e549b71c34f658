#include "app/GameActions.h"
#include "app/GameKeeper.h"
#include "app/frmScoreboard.h"
#include "app/game/BoxScore.h"
#include "app/game/RosterCsv.h"
#include "panel/Quorvel.h"
#include "support/Facts.h"
#include "support/PanelFixture.h"
#include "support/ScriptedDialogs.h"

#include <QtTest>
#include <QtWidgets>

using Facts::facts;
using Side = GameRecord::Side;

namespace {

QString shown(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) >= 0 ? path : QString();
}

// Both scoreboards as the program opens them, over a settings store of their
// own, keeping the game in `state` (nowhere when empty).
struct Board
{
    explicit Board(const QString& state = {})
    {
        GameKeeper::configure({state, {}, {}});
        home = new frmScoreboard(frmScoreboard::Team::Home);
        home->show();
        (void)QTest::qWaitForWindowExposed(home); // one that never shows fails the facts
        QCoreApplication::processEvents();        // the keeper's look at the state folder
    }
    ~Board() { delete (home ? home->partner() : nullptr), delete home; } // as a crash does
    Quorvel& panel(Side s) const
    {
        return *(s == Side::Home ? home.get() : home->partner())->Quorvel1;
    }
    GameActions& actions(Side side) const { return *home->findChild<GameKeeper*>()->actions(side); }
    // Selects a row, fills the edit line ("name number fouls points") and presses Enter.
    void edit(Side side, int row, const QString& texts) const
    {
        Quorvel& p = panel(side);
        p.PlayerClick(qint16(row));
        int i = 0;
        for (QLineEdit* box : {p.txtInputName, p.txtInputNumber, p.txtInputFouls, p.txtInputPoints})
            box->setText(texts.split(' ').value(i++));
        QTest::keyClick(p.txtInputName, Qt::Key_Return);
    }
    // The first rows as "name number fouls points|...", blank where a display
    // is dark, then "/" and the team name.
    QString rows(Side side, int count = 15) const
    {
        const TeamRecord team = home->findChild<GameKeeper*>()->record().team(side);
        QStringList rows;
        for (const PlayerRow& r : team.players.mid(0, count))
            rows << QStringList{r.name, shown(r.number), shown(r.fouls), shown(r.points)}.join(' ');
        return rows.join('|') + '/' + team.name;
    }

    PanelFixture store;
    QPointer<frmScoreboard> home;
};

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

    std::optional<ScriptedDialogs> m_dialogs;
    QTemporaryDir m_dir;

    // What the dialogs were told since the last call: "title: text ...".
    QString messages()
    {
        return Facts::each(std::exchange(m_dialogs->messages, {}),
                           [](const auto& m) { return m.title + ": " + m.text; })
            .replace(m_dir.path(), "DIR");
    }

private slots:
    void init() { m_dialogs.emplace(); }

    // A roster as "team name#number ...", "-" for no team; or the start of the
    // message that names the wrong line (text not in UTF-8: rosters).
    void rosterReading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("roster");
        const QByteArray head = "Name,Number\n";
        const std::pair<const char*, QByteArray> rows[] = {
            {"- Ann#4 Bo# Cy \"C\"#12", "Name,Number\r\nAnn,4\r\nBo,\r\n\"Cy \"\"C\"\"\",12"},
            {"K =SUM(1)#7 #", "\xEF\xBB\xBFTeam,Name,Number\n\"K\",\"'=SUM(1)\",7\n\"K\",\"\",\n"},
            {"Hawks Müller#5", "\n number;NAME;Team\n05;Müller;Hawks\n"}, // after a blank line
            {"Line 1 names the columns Player, Number; a roster has the", "Player,Number"},
            {"Line 3: the number \"123\" does not fit the number box", head + "A,4\nB,123"},
            {"Line 2: the number \"-4\" does", head + "Ann,-4\n"},
            {"Line 2: the name \"Christoph\" is longer than the name box's 8", head + "Christoph,"},
            {"Line 2: the name \"AAAAAAAAAAAAAAAAAAAA…\" is", head + QByteArray(1e4, 'A') + ",4"},
            {"Line 2 has 3 fields; the header has 2.", head + "Ann,4,9\n"},
            {"Line 3 is for the team \"B\", the lines above", "Team,Name,Number\nA,,1\nB,,2"},
            {"The file lists no players.", head + ",\n"}};
        for (const auto& [roster, bytes] : rows)
            QTest::newRow(roster) << bytes << QString(roster);
    }
    void rosterReading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, roster);
        const RosterCsv::Reading reading = RosterCsv::read(bytes, {8, 2, 32767}); // the boxes
        QStringList parts{reading.roster.team.value_or("-")};
        for (const PlayerRow& p : reading.roster.players)
            parts << p.name + '#' + shown(p.number);
        const QString read = reading.error.isEmpty() ? parts.join(' ') : reading.error;
        QCOMPARE(read.left(roster.size()), roster);
    }

    // Formula-like names stay text; totals count what the displays show.
    void boxScore()
    {
        const GameRecord game{{"K", {{"@Ann", 23, 4, 17}, {"=x", -1, -1, -4}, {"+Bo", 7, 1, 9}}},
                              {"R", {{"-Cy", 5, -1, 3}}}};
        CHECK_FACTS(BoxScore::csv(game), "\xEF\xBB\xBFTeam,Name,Number,Fouls,Points\n"
                                         "\"K\",\"'@Ann\",23,4,17\n\"K\",\"'=x\",,,\n"
                                         "\"K\",\"'+Bo\",7,1,9\n\"K\",\"Team total\",,5,26\n"
                                         "\"R\",\"'-Cy\",5,,3\n\"R\",\"Team total\",,0,3\n");
        GameRecord full{{"K", QList<PlayerRow>(15, {"Wwwwwwww", 99, 9, 99})}, game.visitor};
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly) && BoxScore::writePdf(full, {}, &pdf));
        QCOMPARE(pdf.data().count("/Type /Page\n"), 1); // one page for the most rows
    }

    // An operator's game, crashed and started again: a sequence. That every
    // value comes back is in e2e/game.sh.
    void keepAndRestore()
    {
        const QString state = m_dir.filePath("state"), file = state + "/game.json";
        auto board = std::make_unique<Board>(state);
        QVERIFY(!QFile::exists(file)); // nothing to keep yet
        board->edit(Side::Visitor, 2, "=Cy 5  -4");
        board->panel(Side::Visitor).txtTeamName->setText("Ravens");
        board->panel(Side::Home).PlayerClick(3);
        QTRY_VERIFY(QFile::exists(file)); // written a moment after the first change
        board.reset();                    // a crash: the windows go without closing
        m_dialogs->setNextAnswer(QMessageBox::Yes);
        board = std::make_unique<Board>(state);
        const Quorvel& visitor = board->panel(Side::Visitor);
        CHECK_FACTS(facts("selected", board->panel(Side::Home).PlayerEdit(), "visitor's",
                          visitor.PlayerEdit(), "box", visitor.txtInputName->text()) +
                        '\n' + messages().replace(QRegularExpression("20[\\d-]+ [\\d:]+"), "TIME"),
                    "selected=3 visitor's=2 box==Cy\nRestore Game: Tallyvane did not end normally "
                    "during a game: Home Team against Ravens, kept at TIME.\n\nRestore that game?");
        board->home->close();
        QVERIFY(!QFileInfo::exists(state)); // a normal close leaves nothing

        // A foreign file is discarded; No discards a good one.
        QDir().mkpath(state);
        writeFile(file, R"({"format":"a spreadsheet"})");
        m_dialogs->setNextAnswer(QMessageBox::No);
        board = std::make_unique<Board>(state);
        board->edit(Side::Home, 0, "Bo 1");
        QTRY_VERIFY(QFile::exists(file));
        board.reset();
        board = std::make_unique<Board>(state);
        CHECK_FACTS(facts("kept", QFile::exists(file), "row", board->rows(Side::Home, 1)) + '\n' +
                        messages().section('.', 0, 1),
                    "kept=false row=Name   /Home Team\nRestore Game: The game kept in "
                    "DIR/state/game.json cannot be restored: it is not a game Tallyvane kept");

        // Another program runs on the same folder: its game is left alone.
        board.reset();
        QLockFile running(state + "/game.lock");
        QVERIFY(running.tryLock(0));
        board = std::make_unique<Board>(writeFile(file, "theirs").section('/', 0, -2));
        board->edit(Side::Home, 0, "Bo 1");
        board->home->close();
        CHECK_FACTS(facts("kept", QFile::exists(file)) + ' ' + messages().section(':', 0, 1),
                    "kept=true Tallyvane: Another Tallyvane is running and keeps its game in "
                    "DIR/state. This one keeps none");
    }

    // Each key runs its action once delivered: the text box that has it keeps
    // its text and cursor, and the panel raises KeyDown (for the modifier too).
    // Other keys stay the box's own: e2e/game.sh types over Ctrl+A.
    void keys()
    {
        QStringList after;
        for (const QKeyCombination key :
             {Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_P,
              Qt::CTRL | Qt::Key_N, Qt::ALT | Qt::Key_Backspace}) {
            init();
            Board board;
            Quorvel& panel = board.panel(Side::Home);
            QSignalSpy raised(&panel, &Quorvel::KeyDown);
            panel.txtTeamName->setCursorPosition(2);
            for (QWidget* target : std::initializer_list<QWidget*>{panel.txtTeamName, &panel}) {
                target->setFocus();
                QTest::keyClick(target, key.key(), key.keyboardModifiers());
                QCoreApplication::processEvents();
            }
            after << facts("cursor", panel.txtTeamName->cursorPosition(), "raised", raised.size(),
                           "asked", m_dialogs->fileFilters.join(',')) +
                         Facts::each(m_dialogs->messages, [](auto& m) { return m.title; });
        }
        CHECK_FACTS(after.join('|'), // each action once per press
                    "cursor=2 raised=2 asked=Rosters|*.csv,Rosters|*.csv|cursor=2 raised=2 "
                    "asked=Rosters|*.csv,Rosters|*.csv|cursor=2 raised=2 asked=Box "
                    "score|*.pdf;*.csv,Box score|*.pdf;*.csv|cursor=2 raised=2 asked=New Game New "
                    "Game|cursor=2 raised=2 asked=Undo Last Edit Undo Last Edit");
    }

    // An operator's corrections, then a new game: a sequence.
    void undoAndNewGame()
    {
        Board board;
        QSignalSpy announced(&board.panel(Side::Home), &Quorvel::statsChanged);
        for (const char* texts : {"Ann 23 1 2", "Bo 7  5", "Ann 23 2 4", "Ann 23 2 4"})
            board.edit(Side::Home, texts[0] == 'B', texts); // the last changes nothing
        board.edit(Side::Visitor, 0, "Cy 5 1 1");
        board.panel(Side::Home).txtInputName->setText("typed");
        QStringList steps;
        for (int i = 0; i < 4; ++i) {
            board.actions(Side::Home).undoLastEdit();
            steps << board.rows(Side::Home, 2);
        }
        steps << facts("box", board.panel(Side::Home).txtInputName->text(), "announced",
                       announced.size());
        board.edit(Side::Home, 2, "Di 9 3 8");
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            m_dialogs->setNextAnswer(answer);
            board.actions(Side::Visitor).newGame();
            steps << board.rows(Side::Home, 3).section('|', 2) + board.rows(Side::Visitor, 1);
        }
        CHECK_FACTS(steps.join('\n') + '\n' + m_dialogs->messages.value(1).text,
                    "Ann 23 1 2|Bo 7  5/Home Team\nAnn 23 1 2|Name   /Home Team\nName   |Name   "
                    "/Home Team\nName   |Name   /Home Team\nbox=typed announced=7\nDi 9 3 8/Home "
                    "TeamCy 5 1 1/Visitor Team\nDi 9  /Home TeamCy 5  /Visitor Team\n"
                    "Start a new game? The fouls and points of both teams are emptied; names and "
                    "numbers stay.");
    }

    // A user's path: a roster saved in one window loads in the other, every
    // name as it was, and the box score is written; then a hostile file leaves
    // the board as it was, and a roster longer than the board fills it and
    // tells how to show more.
    void rosters()
    {
        Board board;
        int row = 0;
        for (const char* name : {"=SUM(A1)", "+1", "@me", "'quoted", "a,\"b\""})
            board.edit(Side::Home, row++, QString(name) + " 9 4 17");
        board.panel(Side::Home).txtTeamName->setText("-Hawks");
        for (const char* file : {"hawks.csv", "hawks.csv", "game.pdf"})
            m_dialogs->setNextFile(m_dir.filePath(file));
        board.actions(Side::Home).saveRoster();
        board.actions(Side::Visitor).chooseRoster();
        board.actions(Side::Visitor).exportGame();
        QStringList after{board.rows(Side::Visitor) + '\n' + messages()};
        const QByteArray many = "Name,Number\n" + QByteArray("Bo,7\n").repeated(99999);
        for (const QByteArray& bytes :
             {QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), many, QByteArray((16 << 20) + 1, ',')}) {
            board.actions(Side::Visitor).loadRoster(writeFile(m_dir.filePath("r.csv"), bytes));
            after << board.rows(Side::Visitor, 2) + '\n' + messages();
        }
        CHECK_FACTS(
            after.join('\n'),
            "=SUM(A1) 9  |+1 9  |@me 9  |'quoted 9  |a,\"b\" 9  /-Hawks\nExport Game: The box "
            "score is in DIR/game.csv and DIR/game.pdf.\n=SUM(A1) 9  |+1 9  /-Hawks\nLoad Roster: "
            "DIR/r.csv is no roster the scoreboard can show.\n\nLine 1 is not UTF-8 "
            "text.\n\nNothing has changed.\nBo 7  |Bo 7  /-Hawks\nLoad Roster: 99994 more players "
            "are on the roster than the scoreboard has rows; they were left out. To show more "
            "rows, press F2 and raise Number of Players on the tab Other Settings (up to 15), then "
            "load the roster again.\nBo 7  |Bo 7  /-Hawks\nLoad Roster: DIR/r.csv is no roster the "
            "scoreboard can show.\n\nThe file is larger than 16 MiB; a roster is far "
            "smaller.\n\nNothing has changed.");
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
