#include "feed/FeedPlugin.h"

#include "feed/LiveFeed.h"

#include <QHostAddress>

std::optional<QString> FeedPlugin::serve(const QString& address, quint16 port, Quorvel* home,
                                         Quorvel* visitor, QObject* owner)
{
    QHostAddress host;
    if (!host.setAddress(address))
        return tr("it is not an IP address");
    auto* feed = new LiveFeed(home, visitor, owner);
    const std::optional<QString> failure = feed->start(host, port);
    if (failure)
        delete feed;
    return failure;
}
