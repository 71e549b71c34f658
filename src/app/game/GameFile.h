#pragma once

#include "app/game/GameRecord.h"

#include <QDateTime>
#include <QLockFile>
#include <memory>
#include <optional>

// The game of the running program, kept in a small JSON file of the user's
// state folder so that a crash loses nothing. A lock beside it tells the
// file of a run that ended abnormally from the file of a run still going.
class GameFile
{
public:
    enum class Claim { Ours, Busy, Failed };

    // What a kept file held: a game, or why it is unusable.
    struct Found
    {
        std::optional<GameRecord> game;
        QDateTime saved;
        QString error;
    };

    explicit GameFile(const QString& folder);
    ~GameFile();

    // $XDG_STATE_HOME/Tallyvane, or ~/.local/state/Tallyvane.
    static QString defaultFolder();
    QString path() const;

    // Takes the folder for this run; Busy while another live run holds it.
    Claim claim();
    bool exists() const;
    // Replaces the file atomically; the reason on failure, else empty.
    QString write(const GameRecord& game, const QDateTime& saved);
    Found read(const GameLimits& limits) const;
    void remove();
    // The run ends normally: the file goes, the lock with it, and the folder
    // when nothing else is in it.
    void release();

    static QByteArray encode(const GameRecord& game, const QDateTime& saved);
    static Found decode(const QByteArray& bytes, const GameLimits& limits);

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};
