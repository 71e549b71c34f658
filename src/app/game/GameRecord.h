#pragma once

#include <QList>
#include <QString>

// One player row as the scoreboard holds it: values are the digit displays'
// own, -1 (or any negative) where a display shows nothing.
struct PlayerRow
{
    QString name;
    int number = -1;
    int fouls = -1;
    int points = -1;

    bool operator==(const PlayerRow&) const = default;
    // Nothing a roster would list: no name and no number.
    bool isBlank() const { return name.isEmpty() && number < 0; }
};

// One team: its name, its rows top to bottom and the selected row.
struct TeamRecord
{
    QString name;
    QList<PlayerRow> players;
    int selected = 0;

    bool operator==(const TeamRecord&) const = default;
};

// Both teams of a game.
struct GameRecord
{
    enum class Side { Home, Visitor };

    TeamRecord home;
    TeamRecord visitor;

    TeamRecord& team(Side side) { return side == Side::Home ? home : visitor; }
    const TeamRecord& team(Side side) const { return side == Side::Home ? home : visitor; }
    bool operator==(const GameRecord&) const = default;
};

// What the edit line's boxes hold at most: a file that asks for more is not
// one of ours.
struct GameLimits
{
    int nameLength;
    int numberLength;
    int teamLength;
};
