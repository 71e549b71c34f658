#include "feed/WebFeedPlugin.h"

#include "feed/WebFeed.h"
#include "settings/FeedSettings.h"

std::optional<QString> WebFeedPlugin::start(const FeedSettings& settings, Quorvel* home,
                                            Quorvel* visitor, QObject* owner)
{
    if (!settings.pageProblem.isEmpty())
        return settings.pageProblem;
    QHostAddress address;
    if (!address.setAddress(settings.address))
        return tr("it is not an IP address");
    auto* feed = new WebFeed(home, visitor, {}, owner);
    const std::optional<QString> failure = feed->start(address, settings.port);
    if (failure)
        delete feed;
    return failure;
}
