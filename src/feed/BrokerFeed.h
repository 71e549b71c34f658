#pragma once

#include "feed/BrokerPublisher.h"

#include <QObject>

class FeedSource;
class Quorvel;

// Both scoreboards published to an MQTT broker at every change.
class BrokerFeed : public QObject
{
    Q_OBJECT

public:
    BrokerFeed(const FeedSettings& settings, Quorvel* home, Quorvel* visitor,
               QObject* parent = nullptr);

    // The reason in words when it cannot start.
    std::optional<QString> start();

private:
    FeedSource* m_source;
    BrokerPublisher m_publisher;
};
