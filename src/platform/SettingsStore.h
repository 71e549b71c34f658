#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

// Per-user key/value store of text values, addressed by application, section
// and key. On Linux it is $XDG_CONFIG_HOME/<application>/<application>.conf,
// an INI file a person can edit. Saving replaces the file atomically and keeps
// every key it did not write.
class SettingsStore
{
public:
    explicit SettingsStore(const QString& application);
    ~SettingsStore();

    QString read(const QString& section, const QString& key, const QString& defaultValue) const;
    void write(const QString& section, const QString& key, const QString& text);
    // Flushes the writes; on failure returns the reason in words.
    std::optional<QString> sync();

    QString fileName() const;
    static QString filePath(const QString& application);
    // Tests and tools point the store somewhere else; empty restores the default.
    static void setFilePathOverride(const QString& path);

private:
    std::unique_ptr<QSettings> m_settings;
};
