#include "feed/BrokerFeedPlugin.h"

#include "feed/BrokerFeed.h"

std::optional<QString> BrokerFeedPlugin::start(const FeedSettings& settings, Quorvel* home,
                                               Quorvel* visitor, QObject* owner)
{
    if (!settings.brokerProblem.isEmpty())
        return settings.brokerProblem;
    auto* feed = new BrokerFeed(settings, home, visitor, owner);
    const std::optional<QString> failure = feed->start();
    if (failure)
        delete feed;
    return failure;
}
