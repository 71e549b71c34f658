#include "app/game/RosterCsv.h"

#include "app/game/CsvText.h"

#include <QCoreApplication>
#include <array>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("RosterCsv", text);
}

// Enough of a long text to recognise it in a message.
QString shortened(const QString& text)
{
    return text.size() > 24 ? text.left(20) + u'…' : text;
}

bool isBlank(const QStringList& texts)
{
    return std::all_of(texts.cbegin(), texts.cend(),
                       [](const QString& t) { return t.trimmed().isEmpty(); });
}

bool isNumber(const QString& text, int length)
{
    return text.size() <= length &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

class RosterReader
{
public:
    explicit RosterReader(const GameLimits& limits) : m_limits(limits) {}

    QString take(int line, const QList<QByteArray>& fields)
    {
        QStringList texts;
        for (const QByteArray& field : fields) {
            const std::optional<QString> text = CsvText::utf8(field);
            if (!text)
                return tr("Line %1 is not UTF-8 text.").arg(line);
            if (CsvText::hasControl(*text))
                return tr("Line %1 holds a control character: it is no line of a roster.")
                    .arg(line);
            texts << *text;
        }
        // Blank lines before the header are left; after it each is a row.
        if (m_columns == 0)
            return isBlank(texts) ? QString() : header(line, texts);
        if (texts.size() != m_columns)
            return tr("Line %1 has %2 fields; the header has %3.")
                .arg(line)
                .arg(texts.size())
                .arg(m_columns);
        return player(line, texts);
    }

    QString finish() const
    {
        if (m_columns == 0)
            return tr("The file is empty: a roster begins with a line naming its columns, Name "
                      "and Number.");
        const auto& players = m_roster.players;
        const bool none = std::all_of(players.cbegin(), players.cend(),
                                      [](const PlayerRow& p) { return p.isBlank(); });
        return none ? tr("The file lists no players.") : QString();
    }

    const RosterCsv::Roster& roster() const { return m_roster; }

private:
    enum Column { Team, Name, Number };

    QString header(int line, const QStringList& texts)
    {
        static const std::array<QString, 3> names{QStringLiteral("team"), QStringLiteral("name"),
                                                  QStringLiteral("number")};
        for (int i = 0; i < texts.size(); ++i) {
            const auto found =
                std::find(names.cbegin(), names.cend(), texts[i].trimmed().toLower());
            const auto column = std::distance(names.cbegin(), found);
            if (found == names.cend() || m_index[column] >= 0)
                return headerError(line, texts);
            m_index[column] = i;
        }
        if (m_index[Name] < 0 || m_index[Number] < 0)
            return headerError(line, texts);
        m_columns = int(texts.size());
        return {};
    }

    static QString headerError(int line, const QStringList& texts)
    {
        return tr("Line %1 names the columns %2; a roster has the columns Name and Number, and "
                  "Team if it names the team.")
            .arg(line)
            .arg(shortened(texts.join(QStringLiteral(", "))));
    }

    QString player(int line, const QStringList& texts)
    {
        const QString name = CsvText::textOf(texts[m_index[Name]]);
        if (name.size() > m_limits.nameLength)
            return tr("Line %1: the name \"%2\" is longer than the name box's %3 characters.")
                .arg(line)
                .arg(shortened(name))
                .arg(m_limits.nameLength);
        const QString number = texts[m_index[Number]].trimmed();
        if (!isNumber(number, m_limits.numberLength))
            return tr("Line %1: the number \"%2\" does not fit the number box (up to %3 digits).")
                .arg(line)
                .arg(shortened(number))
                .arg(m_limits.numberLength);
        if (m_index[Team] >= 0) {
            const QString team = CsvText::textOf(texts[m_index[Team]]);
            if (team.size() > m_limits.teamLength)
                return tr("Line %1: the team name is longer than the team box's %2 characters.")
                    .arg(line)
                    .arg(m_limits.teamLength);
            if (m_roster.team && *m_roster.team != team)
                return tr("Line %1 is for the team \"%2\", the lines above for \"%3\"; a roster "
                          "holds one team.")
                    .arg(line)
                    .arg(shortened(team), shortened(*m_roster.team));
            m_roster.team = team;
        }
        m_roster.players.append({name, number.isEmpty() ? -1 : number.toInt(), -1, -1});
        return {};
    }

    GameLimits m_limits;
    std::array<int, 3> m_index{-1, -1, -1};
    int m_columns = 0;
    RosterCsv::Roster m_roster;
};

} // namespace

namespace RosterCsv {

Reading read(QByteArrayView bytes, const GameLimits& limits)
{
    RosterReader reader(limits);
    QString error = CsvText::read(bytes, [&reader](int line, const QList<QByteArray>& fields) {
        return reader.take(line, fields);
    });
    if (error.isEmpty())
        error = reader.finish();
    if (!error.isEmpty())
        return {{}, error};
    return {reader.roster(), {}};
}

QByteArray write(const TeamRecord& team)
{
    QByteArray csv = CsvText::byteOrderMark + CsvText::line({"Team", "Name", "Number"});
    const QByteArray teamCell = CsvText::cell(team.name);
    for (const PlayerRow& player : team.players)
        csv +=
            CsvText::line({teamCell, CsvText::cell(player.name),
                           player.number < 0 ? QByteArray() : QByteArray::number(player.number)});
    return csv;
}

} // namespace RosterCsv
