#pragma once

#include "settings/IniDocument.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <tuple>
#include <vector>

// Per-user key/value store of text values, addressed by application, section
// and key. On Linux it is $XDG_CONFIG_HOME/<application>/<application>.conf,
// an INI file a person can edit. Values are plain text both ways. Saving
// replaces the file atomically and keeps every line it did not write.
class SettingsStore
{
public:
    explicit SettingsStore(const QString& application);

    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    // A text holding a line break is not written; sync() then reports it.
    void write(const QString& section, const QString& key, const QString& text);
    // Writes the file; on failure returns the reason in words.
    std::optional<QString> sync();

    QString fileName() const { return m_path; }
    static QString filePath(const QString& application);
    // Tests and tools point the store somewhere else; empty restores the default.
    static void setFilePathOverride(const QString& path);

private:
    QString m_path;
    IniDocument m_document;
    std::vector<std::tuple<QString, QString, QString>> m_pending;
    std::optional<QString> m_refused;
};
