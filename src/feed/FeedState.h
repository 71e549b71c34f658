#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// One player row as the scoreboard shows it; no value where a display is dark.
struct FeedPlayer
{
    QString name;
    std::optional<int> number;
    std::optional<int> fouls;
    std::optional<int> points;
};

struct FeedTeam
{
    QString name;
    QList<FeedPlayer> players;
};

// What both scoreboards share: shown columns, colours (0x00BBGGRR) and digit style.
struct FeedScheme
{
    enum Column { Name, Number, Fouls, Points };
    enum Color { FormBack, Border, LedBack, NumberColor, FoulsColor, PointsColor };
    std::array<bool, 4> columns{true, true, true, true};
    std::array<qint32, 6> colors{};
    int digitStyle = 0; // 0 Lines, 1 Dots
};

// The feed's picture of both teams, kept as the JSON document pages receive;
// a change is a change of that document.
class FeedState
{
public:
    enum class Side { Home, Visitor };

    FeedState();

    // Each returns whether the document changed.
    bool setTeam(Side side, const FeedTeam& team);
    bool setScheme(const FeedScheme& scheme);

    const QByteArray& json() const { return m_json; }

private:
    bool rebuild();

    FeedTeam m_home;
    FeedTeam m_visitor;
    FeedScheme m_scheme;
    QByteArray m_json;
};
