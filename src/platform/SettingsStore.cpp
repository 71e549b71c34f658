#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {
QString& pathOverride()
{
    static QString path;
    return path;
}

QString keyOf(const QString& section, const QString& key) { return section + u'/' + key; }

QString failureReason(const QString& path, QSettings::Status status)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("a folder stands where the file should be");
    if (status == QSettings::FormatError)
        return QStringLiteral("the file is not in a format that can be written");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("its folder does not exist and cannot be created");
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("permission denied");
    return QStringLiteral("the file could not be written (the disk may be full)");
}
} // namespace

SettingsStore::SettingsStore(const QString& application)
    : m_settings(std::make_unique<QSettings>(filePath(application), QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::filePath(const QString& application)
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + u'/' + application + u'/' + application + QStringLiteral(".conf");
}

void SettingsStore::setFilePathOverride(const QString& path) { pathOverride() = path; }

QString SettingsStore::fileName() const { return m_settings->fileName(); }

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const QVariant value = m_settings->value(keyOf(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted "a, b" written by hand comes back as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text)
{
    m_settings->setValue(keyOf(section, key), text);
}

std::optional<QString> SettingsStore::sync()
{
    QDir().mkpath(QFileInfo(m_settings->fileName()).absolutePath());
    m_settings->sync();
    QSettings::Status status = m_settings->status();
    // A damaged file is reported as a format error when it is read, and
    // QSettings keeps only its first error: a fresh reader tells whether the
    // write itself went through (it retries a write that did not).
    if (status == QSettings::FormatError)
        status = QSettings(m_settings->fileName(), QSettings::IniFormat).status();
    if (status == QSettings::NoError)
        return std::nullopt;
    return failureReason(m_settings->fileName(), status);
}
