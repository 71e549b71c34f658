#pragma once

#include "feed/FeedState.h"

#include <QHostAddress>
#include <QObject>
#include <optional>

class FeedServer;
class Quorvel;

// The feed of one pair of scoreboards: keeps the state of both panels as they
// announce changes, and has the server publish each new state.
class LiveFeed : public QObject
{
    Q_OBJECT

public:
    LiveFeed(Quorvel* home, Quorvel* visitor, QObject* parent = nullptr);

    // The reason in words when it cannot serve.
    std::optional<QString> start(const QHostAddress& address, quint16 port);
    FeedServer* server() const { return m_server; }

private:
    void collect(const Quorvel* panel, FeedState::Side side);

    FeedState m_state;
    FeedServer* m_server;
};
