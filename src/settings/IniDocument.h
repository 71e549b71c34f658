#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <optional>

// The text of an INI file that a person may also edit: "[Section]" headers and
// "key=value" lines. Values are plain text, never decoded further. Setting a
// value rewrites only its own line, so every other line keeps its bytes and
// its place: comments, blank lines, keys this program does not know, a
// byte-order mark, CRLF line ends and text that is not UTF-8.
class IniDocument
{
public:
    static IniDocument fromUtf8(const QByteArray& text);

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& text);
    QByteArray toUtf8() const;

private:
    // Index of the key's line in its section, or of the section's last key (or
    // header) when the key is not there; -1 when the section is missing.
    qsizetype find(const QString& section, const QString& key, bool* found) const;
    // A line as text, without its line end.
    QString textOf(qsizetype line) const;
    static QString sectionOf(const QString& line);
    // Adds the file's line end to a line written by this program.
    QByteArray withLineEnd(const QString& line) const;

    QByteArray m_bom;
    bool m_crlf = false;
    QByteArrayList m_lines; // as read, without '\n'; a '\r' before it stays
};
