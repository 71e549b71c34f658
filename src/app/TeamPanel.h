#pragma once

#include "app/game/GameRecord.h"

class Quorvel;

// A scoreboard panel's team, read and written through the panel's public
// children as the edit line does it: a name is the row label's text, a value
// the digit display's, -1 for none.
namespace TeamPanel {

// What the panel's boxes take at most.
GameLimits limits(const Quorvel& panel);
PlayerRow row(const Quorvel& panel, int index);
void setRow(Quorvel& panel, int index, const PlayerRow& player);
TeamRecord read(const Quorvel& panel);
// The players into the rows, top to bottom, emptying the rows below them.
// Returns how many with a name or number found no row.
int writeRows(Quorvel& panel, const QList<PlayerRow>& players);

} // namespace TeamPanel
