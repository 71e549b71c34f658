#pragma once

#include "feed/FeedLimits.h"

#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <optional>

class FeedServer;
class FeedSource;
class Quorvel;

// The built-in page of both scoreboards. Its server runs on a thread of its
// own, so whatever clients send, the scoreboards answer the operator at once.
class WebFeed : public QObject
{
    Q_OBJECT

public:
    WebFeed(Quorvel* home, Quorvel* visitor, const FeedLimits& limits = {},
            QObject* parent = nullptr);
    ~WebFeed() override;

    // The reason in words when it cannot serve.
    std::optional<QString> start(const QHostAddress& address, quint16 port);
    quint16 port() const { return m_port; }

private:
    FeedSource* m_source;
    FeedServer* m_server;
    QThread m_thread;
    quint16 m_port = 0;
};
