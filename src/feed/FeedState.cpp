#include "feed/FeedState.h"

#include "toolkit/BgrColor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue orNull(const std::optional<int>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject teamObject(const FeedTeam& team)
{
    QJsonArray players;
    for (const FeedPlayer& p : team.players)
        players.append(QJsonObject{{QStringLiteral("name"), p.name},
                                   {QStringLiteral("number"), orNull(p.number)},
                                   {QStringLiteral("fouls"), orNull(p.fouls)},
                                   {QStringLiteral("points"), orNull(p.points)}});
    return {{QStringLiteral("name"), team.name}, {QStringLiteral("players"), players}};
}

QJsonObject schemeObject(const FeedScheme& scheme)
{
    static const char* const columnKeys[] = {"name", "number", "fouls", "points"};
    static const char* const colorKeys[] = {"formBack", "border", "ledBack",
                                            "number",   "fouls",  "points"};
    QJsonObject columns;
    for (int i = 0; i < 4; ++i)
        columns.insert(QLatin1String(columnKeys[i]), scheme.columns[i]);
    QJsonObject colors;
    for (int i = 0; i < 6; ++i) {
        const qint32 bgr = scheme.colors[i];
        colors.insert(QLatin1String(colorKeys[i]),
                      QJsonObject{{QStringLiteral("css"), BgrColor::toColor(bgr).name()},
                                  {QStringLiteral("bgr"), qint64(bgr)}});
    }
    return {{QStringLiteral("columns"), columns},
            {QStringLiteral("colors"), colors},
            {QStringLiteral("digitStyle"),
             scheme.digitStyle == 1 ? QStringLiteral("Dots") : QStringLiteral("Lines")}};
}

} // namespace

FeedState::FeedState()
{
    rebuild();
}

bool FeedState::setTeam(Side side, const FeedTeam& team)
{
    (side == Side::Home ? m_home : m_visitor) = team;
    return rebuild();
}

bool FeedState::setScheme(const FeedScheme& scheme)
{
    m_scheme = scheme;
    return rebuild();
}

bool FeedState::rebuild()
{
    QJsonObject root = schemeObject(m_scheme);
    root.insert(QStringLiteral("home"), teamObject(m_home));
    root.insert(QStringLiteral("visitor"), teamObject(m_visitor));
    QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    if (json == m_json)
        return false;
    m_json = std::move(json);
    return true;
}
