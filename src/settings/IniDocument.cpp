#include "settings/IniDocument.h"

namespace {
// A value that would not read back as it was written (blanks at either end, a
// leading quote) is written in quotes; reading removes one pair.
bool needsQuotes(const QString& text)
{
    return text != text.trimmed() || text.startsWith(u'"');
}

bool isComment(const QString& trimmed)
{
    return trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// Splits "key = value" into its trimmed key and its value as stored.
std::optional<std::pair<QString, QString>> keyValue(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype eq = trimmed.indexOf(u'=');
    if (isComment(trimmed) || trimmed.startsWith(u'[') || eq <= 0)
        return std::nullopt;
    QString value = trimmed.mid(eq + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return std::pair(trimmed.left(eq).trimmed(), value);
}
} // namespace

IniDocument IniDocument::fromUtf8(const QByteArray& text)
{
    IniDocument doc;
    QByteArray all = text;
    if (all.startsWith("\xef\xbb\xbf")) {
        doc.m_bom = all.left(3);
        all.remove(0, 3);
    }
    doc.m_lines = all.split('\n');
    if (!doc.m_lines.isEmpty() && doc.m_lines.last().isEmpty())
        doc.m_lines.removeLast();
    doc.m_crlf = !doc.m_lines.isEmpty() && doc.m_lines.first().endsWith('\r');
    return doc;
}

QString IniDocument::textOf(qsizetype line) const
{
    return QString::fromUtf8(m_lines[line]);
}

QByteArray IniDocument::withLineEnd(const QString& line) const
{
    return m_crlf ? line.toUtf8() + '\r' : line.toUtf8();
}

QString IniDocument::sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return {};
}

qsizetype IniDocument::find(const QString& section, const QString& key, bool* found) const
{
    *found = false;
    qsizetype header = -1;
    qsizetype lastKey = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString text = textOf(i);
        const QString name = sectionOf(text);
        if (!name.isEmpty()) {
            if (inSection)
                break; // a section named twice: the first one counts
            inSection = name == section;
            if (inSection)
                header = lastKey = i;
            continue;
        }
        if (!inSection)
            continue;
        if (const auto kv = keyValue(text)) {
            lastKey = i;
            if (kv->first == key) {
                *found = true;
                return i;
            }
        }
    }
    return header < 0 ? -1 : lastKey;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    bool found = false;
    const qsizetype line = find(section, key, &found);
    if (!found)
        return std::nullopt;
    return keyValue(textOf(line))->second;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& text)
{
    const QString line = key + u'=' + (needsQuotes(text) ? u'"' + text + u'"' : text);
    bool found = false;
    const qsizetype at = find(section, key, &found);
    if (found) {
        // The line keeps its own line end.
        m_lines[at] = m_lines[at].endsWith('\r') ? line.toUtf8() + '\r' : line.toUtf8();
    } else if (at >= 0) {
        m_lines.insert(at + 1, withLineEnd(line));
    } else {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(withLineEnd(QString()));
        m_lines.append(withLineEnd(u'[' + section + u']'));
        m_lines.append(withLineEnd(line));
    }
}

QByteArray IniDocument::toUtf8() const
{
    QByteArray out = m_bom;
    for (const QByteArray& line : m_lines)
        out += line + '\n';
    return out;
}
