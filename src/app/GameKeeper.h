#pragma once

#include "app/game/GameFile.h"
#include "app/game/GameRecord.h"

#include <QMessageBox>
#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

class GameActions;
class QWidget;
class Quorvel;

// The game of the two scoreboards: kept on disk while it runs (each change a
// moment later, off the editing path), offered back after a crash, removed
// when the scoreboards close normally; and what acts on both teams at once.
class GameKeeper : public QObject
{
    Q_OBJECT

public:
    struct Setup
    {
        QString folder; // empty: nothing is kept on disk
        QString homeRoster;
        QString visitorRoster;
    };
    // Set by the program before the scoreboards open; they keep nothing else.
    static void configure(const Setup& setup);

    // How long after a change the game is written; changes within it are
    // written together.
    static constexpr int keepDelayMs = 100;

    GameKeeper(QWidget* homeWindow, Quorvel* home, QWidget* visitorWindow, Quorvel* visitor);
    ~GameKeeper() override;

    GameActions* actions(GameRecord::Side side) const { return m_actions[index(side)]; }
    GameRecord record() const;
    QString filePath() const { return m_file ? m_file->path() : QString(); }

    // A change of a player or a team name, to be kept.
    void changed();
    void newGame(QWidget* asking);
    void exportGame(QWidget* asking);
    // The scoreboards close normally: nothing stays on disk.
    void end();

private:
    static int index(GameRecord::Side side) { return side == GameRecord::Side::Home ? 0 : 1; }
    void opened();
    bool offerRestore();
    void restore(const GameRecord& game);
    void keep();
    void tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon);

    std::array<Quorvel*, 2> m_panels;
    std::array<GameActions*, 2> m_actions;
    std::unique_ptr<GameFile> m_file;
    GameFile::Claim m_claim = GameFile::Claim::Failed;
    bool m_keeping = false;
    bool m_ended = false;
    bool m_toldFailure = false;
    QTimer m_timer;
};
