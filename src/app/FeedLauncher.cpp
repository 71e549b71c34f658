#include "app/FeedLauncher.h"

#include "feed/FeedService.h"
#include "platform/DeliverableFolders.h"
#include "platform/PlatformDialogs.h"
#include "settings/FeedSettings.h"
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

// A plugin lies beside the installed program, or in the build tree's lib folder.
QString pluginPath(const QString& name)
{
    const QString dir = DeliverableFolders::programFolder();
    for (const QString& path : {dir + u'/' + name + QStringLiteral(".so"),
                                dir + QStringLiteral("/../lib/") + name + QStringLiteral(".so")})
        if (QFileInfo::exists(path))
            return path;
    return {};
}

std::optional<QString> startPlugin(const QString& name, const FeedSettings& settings, Quorvel* home,
                                   Quorvel* visitor, QObject* owner)
{
    const QString path = pluginPath(name);
    if (path.isEmpty())
        return tr("the feed plugin %1.so is not installed").arg(name);
    QPluginLoader loader(path);
    auto* service = qobject_cast<FeedService*>(loader.instance());
    if (service == nullptr)
        return loader.errorString();
    return service->start(settings, home, visitor, owner);
}

void tell(QWidget* owner, const QString& what)
{
    PlatformDialogs::Message message;
    message.title = QStringLiteral("Tallyvane");
    message.icon = QMessageBox::Warning;
    message.text = what + tr("\n\nThe scoreboards work as usual. The feed is set in [Feed] of %1.")
                              .arg(PanelSettings::storeFileName());
    PlatformDialogs::instance().message(owner, message);
}

} // namespace

namespace FeedLauncher {

void start(QWidget* owner, Quorvel* home, Quorvel* visitor)
{
    const FeedSettings settings = FeedSettings::load();
    if (!settings.pageOn() && !settings.brokerOn())
        return;
    // Loading the plugins and opening sockets wait until the windows are up.
    QMetaObject::invokeMethod(
        owner,
        [=] {
            if (settings.pageOn()) {
                if (const auto failure = startPlugin(QStringLiteral("tallyvanefeed"), settings,
                                                     home, visitor, owner))
                    tell(owner, tr("The live feed cannot start on address %1, port %2: %3.")
                                    .arg(settings.address, settings.portText, *failure));
            }
            if (settings.brokerOn()) {
                if (const auto failure = startPlugin(QStringLiteral("tallyvanebroker"), settings,
                                                     home, visitor, owner))
                    tell(owner, tr("The live feed cannot publish to the broker %1: %2.")
                                    .arg(settings.brokerText, *failure));
            }
        },
        Qt::QueuedConnection);
}

} // namespace FeedLauncher
