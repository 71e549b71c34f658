#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The text of an INI file that a person may also edit: "[Section]" headers and
// "key=value" lines. Values are plain text, never decoded further. Setting a
// value rewrites only its own line, so comments, blank lines and keys this
// program does not know keep their text and order.
class IniDocument
{
public:
    static IniDocument fromUtf8(const QByteArray& text);

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& text);
    QByteArray toUtf8() const;

private:
    // Index of the key's line in its section, or of the section's header when
    // the key is not there; -1 when the section is missing.
    qsizetype find(const QString& section, const QString& key, bool* found) const;
    static QString sectionOf(const QString& line);

    QStringList m_lines;
};
