#pragma once

#include "app/game/GameRecord.h"

#include <QByteArray>
#include <QDateTime>

class QIODevice;

// The box score of a game: both teams, every row with its number, fouls and
// points, and each team's totals; as CSV for spreadsheets and as a one-page
// PDF for the officials to print and sign.
namespace BoxScore {

struct Totals
{
    int fouls = 0;
    int points = 0;
};

// Only values a display shows count.
Totals totals(const TeamRecord& team);

// Labels the total line of each team; longer than a name can be, so it is
// no player's.
QString totalLabel();

QByteArray csv(const GameRecord& game);
// Returns false when the device cannot take the document.
bool writePdf(const GameRecord& game, const QDateTime& when, QIODevice* device);

} // namespace BoxScore
