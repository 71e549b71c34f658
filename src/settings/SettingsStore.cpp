#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>

namespace {
QString& pathOverride()
{
    static QString path;
    return path;
}

// A missing file reads as empty; one that exists but cannot be read gives
// nothing, so that saving does not replace what it could not see.
std::optional<IniDocument> readDocument(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return IniDocument();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniDocument::fromUtf8(file.readAll());
}

QString failureReason(const QString& path, const QString& error)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("a folder stands where the file should be");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("its folder does not exist and cannot be created");
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("permission denied");
    return QStringLiteral("the file could not be written (%1)").arg(error);
}
} // namespace

SettingsStore::SettingsStore(const QString& application)
    : m_path(filePath(application)), m_document(readDocument(m_path).value_or(IniDocument()))
{
}

QString SettingsStore::filePath(const QString& application)
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + u'/' + application + u'/' + application + QStringLiteral(".conf");
}

void SettingsStore::setFilePathOverride(const QString& path)
{
    pathOverride() = path;
}

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    return m_document.value(section, key).value_or(defaultValue);
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text)
{
    // A line cannot hold a line break: written, the rest of the value would
    // stand as lines of its own, even sections. Such a value is left out and
    // the save says so.
    if (text.contains(u'\n')) {
        if (!m_refused)
            m_refused = QStringLiteral("the value of %1 holds a line break").arg(key);
        return;
    }
    m_document.setValue(section, key, text);
    m_pending.emplace_back(section, key, text);
}

std::optional<QString> SettingsStore::sync()
{
    // Written over the file as it is now, so an edit made by hand since this
    // store read it is kept.
    std::optional<IniDocument> current = readDocument(m_path);
    if (!current)
        return failureReason(m_path, QStringLiteral("it cannot be read"));
    for (const auto& [section, key, text] : m_pending)
        current->setValue(section, key, text);

    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (QFileInfo(m_path).isDir() || !file.open(QIODevice::WriteOnly) ||
        file.write(current->toUtf8()) < 0 || !file.commit())
        return failureReason(m_path, file.errorString());
    m_document = std::move(*current);
    m_pending.clear();
    return std::exchange(m_refused, std::nullopt);
}
