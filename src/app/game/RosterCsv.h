#pragma once

#include "app/game/GameRecord.h"

#include <QByteArray>
#include <optional>

// A team's roster as CSV: a header line with the columns Team, Name and Number,
// then one line per row of the scoreboard, top to bottom. Spreadsheets open
// it as a table; a list typed in a spreadsheet loads (Team may be left out).
namespace RosterCsv {

struct Roster
{
    std::optional<QString> team; // none when the file has no Team column
    QList<PlayerRow> players;    // names and numbers; no fouls or points
};

// A roster, or why the bytes are none (naming the line), never both.
struct Reading
{
    Roster roster;
    QString error;
};

// Larger than this, a file is surely no roster and is not read.
inline constexpr qint64 maxBytes = 16 << 20;

Reading read(QByteArrayView bytes, const GameLimits& limits);
QByteArray write(const TeamRecord& team);

} // namespace RosterCsv
