#include "app/game/GameFile.h"

#include "app/game/AtomicWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

const QString format = QStringLiteral("Tallyvane game");
constexpr int version = 1;
// A kept game is a few kilobytes; anything much larger is not one.
constexpr qint64 maxBytes = 1 << 20;

QString tr(const char* text)
{
    return QCoreApplication::translate("GameFile", text);
}

QJsonObject teamObject(const TeamRecord& team)
{
    QJsonArray players;
    for (const PlayerRow& p : team.players)
        players.append(QJsonObject{
            {"name", p.name}, {"number", p.number}, {"fouls", p.fouls}, {"points", p.points}});
    return {{"name", team.name}, {"selected", team.selected}, {"players", players}};
}

// The values a panel's 16-bit properties hold.
std::optional<int> smallInteger(const QJsonValue& value)
{
    const double number = value.toDouble(NAN);
    if (!value.isDouble() || number != std::floor(number) || number < -32768 || number > 32767)
        return std::nullopt;
    return int(number);
}

std::optional<QString> text(const QJsonValue& value, int length)
{
    if (!value.isString() || value.toString().size() > length)
        return std::nullopt;
    return value.toString();
}

std::optional<PlayerRow> playerOf(const QJsonValue& value, const GameLimits& limits)
{
    const QJsonObject o = value.toObject();
    const auto name = text(o.value("name"), limits.nameLength);
    const auto number = smallInteger(o.value("number")), fouls = smallInteger(o.value("fouls")),
               points = smallInteger(o.value("points"));
    if (!value.isObject() || !name || !number || !fouls || !points)
        return std::nullopt;
    return PlayerRow{*name, *number, *fouls, *points};
}

std::optional<TeamRecord> teamOf(const QJsonValue& value, const GameLimits& limits)
{
    const QJsonObject o = value.toObject();
    const auto name = text(o.value("name"), limits.teamLength);
    const auto selected = smallInteger(o.value("selected"));
    if (!value.isObject() || !name || !selected || !o.value("players").isArray())
        return std::nullopt;
    TeamRecord team{*name, {}, *selected};
    for (const QJsonValue& entry : o.value("players").toArray()) {
        const auto player = playerOf(entry, limits);
        if (!player)
            return std::nullopt;
        team.players.append(*player);
    }
    return team;
}

} // namespace

GameFile::GameFile(const QString& folder) : m_folder(folder) {}

GameFile::~GameFile() = default;

QString GameFile::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tallyvane");
}

QString GameFile::path() const
{
    return m_folder + QStringLiteral("/game.json");
}

GameFile::Claim GameFile::claim()
{
    QDir().mkpath(m_folder);
    m_lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/game.lock"));
    // Only a live process holds the lock; a crashed one's is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Claim::Ours;
    return m_lock->error() == QLockFile::LockFailedError ? Claim::Busy : Claim::Failed;
}

bool GameFile::exists() const
{
    return QFile::exists(path());
}

QString GameFile::write(const GameRecord& game, const QDateTime& saved)
{
    const QByteArray bytes = encode(game, saved);
    return writeAtomically(path(), [&bytes](QIODevice& file) { return file.write(bytes) >= 0; });
}

GameFile::Found GameFile::read(const GameLimits& limits) const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {}, file.errorString()};
    return decode(file.read(maxBytes + 1), limits);
}

void GameFile::remove()
{
    QFile::remove(path());
}

void GameFile::release()
{
    remove();
    if (m_lock)
        m_lock->unlock();
    QDir().rmdir(m_folder); // when nothing else is in it
}

QByteArray GameFile::encode(const GameRecord& game, const QDateTime& saved)
{
    const QJsonObject root{{"format", format},
                           {"version", version},
                           {"saved", saved.toString(Qt::ISODate)},
                           {"home", teamObject(game.home)},
                           {"visitor", teamObject(game.visitor)}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

GameFile::Found GameFile::decode(const QByteArray& bytes, const GameLimits& limits)
{
    if (bytes.size() > maxBytes)
        return {{}, {}, tr("it is far larger than a kept game")};
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    if (root.value("format") != format)
        return {{}, {}, tr("it is not a game Tallyvane kept")};
    if (root.value("version") != version)
        return {{}, {}, tr("another version of Tallyvane kept it")};
    const auto home = teamOf(root.value("home"), limits);
    const auto visitor = teamOf(root.value("visitor"), limits);
    if (!home || !visitor)
        return {{}, {}, tr("it is damaged")};
    return {GameRecord{*home, *visitor},
            QDateTime::fromString(root.value("saved").toString(), Qt::ISODate),
            {}};
}
