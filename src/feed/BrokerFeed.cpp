#include "feed/BrokerFeed.h"

#include "feed/FeedSource.h"

BrokerFeed::BrokerFeed(const FeedSettings& settings, Quorvel* home, Quorvel* visitor,
                       QObject* parent)
    : QObject(parent), m_source(new FeedSource(home, visitor, this)), m_publisher(settings)
{
}

std::optional<QString> BrokerFeed::start()
{
    if (std::optional<QString> failure = m_publisher.start())
        return failure;
    m_publisher.publish(m_source->json());
    connect(m_source, &FeedSource::changed, this,
            [this](const QByteArray& json) { m_publisher.publish(json); });
    return std::nullopt;
}
