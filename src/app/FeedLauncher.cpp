#include "app/FeedLauncher.h"

#include "feed/FeedService.h"
#include "platform/PlatformDialogs.h"
#include "settings/SettingsStore.h"
#include "settings/PanelSettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>
#include <QWidget>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FeedLauncher", text);
}

// The plugin lies beside the installed program, or in the build tree's lib folder.
QString pluginPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& path : {dir + QStringLiteral("/tallyvanefeed.so"),
                                dir + QStringLiteral("/../lib/tallyvanefeed.so")})
        if (QFileInfo::exists(path))
            return path;
    return {};
}

std::optional<QString> serve(const QString& address, const QString& portText, Quorvel* home,
                             Quorvel* visitor, QObject* owner)
{
    bool ok = false;
    const int port = portText.toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return tr("the port is not a number from 1 to 65535");
    const QString path = pluginPath();
    if (path.isEmpty())
        return tr("the feed plugin tallyvanefeed.so is not installed");
    QPluginLoader loader(path);
    auto* service = qobject_cast<FeedService*>(loader.instance());
    if (service == nullptr)
        return loader.errorString();
    return service->serve(address, quint16(port), home, visitor, owner);
}

} // namespace

namespace FeedLauncher {

void start(QWidget* owner, Quorvel* home, Quorvel* visitor)
{
    const SettingsStore store(PanelSettings::applicationName());
    const QString portText =
        store.read(QStringLiteral("Feed"), QStringLiteral("Port"), QStringLiteral("0")).trimmed();
    bool number = false;
    if (portText.toInt(&number) == 0 && number)
        return;
    const QString address =
        store.read(QStringLiteral("Feed"), QStringLiteral("Address"), QStringLiteral("127.0.0.1"))
            .trimmed();
    const QString file = store.fileName();
    // Loading the plugin and opening the port wait until the windows are up.
    QMetaObject::invokeMethod(
        owner,
        [=] {
            const std::optional<QString> failure = serve(address, portText, home, visitor, owner);
            if (!failure)
                return;
            PlatformDialogs::Message message;
            message.title = QStringLiteral("Tallyvane");
            message.icon = QMessageBox::Warning;
            message.text = tr("The live feed cannot start on address %1, port %2: %3.\n\n"
                              "The scoreboards work as usual. The feed is set in [Feed] of %4.")
                               .arg(address, portText, *failure, file);
            PlatformDialogs::instance().message(owner, message);
        },
        Qt::QueuedConnection);
}

} // namespace FeedLauncher
