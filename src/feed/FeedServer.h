#pragma once

#include "feed/FeedHosts.h"
#include "feed/FeedLimits.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocketServer>
#include <optional>

class FeedConnection;
class FeedPage;
class HttpRequest;
struct FeedAnswer;
class QTcpSocket;

// Serves the page, its script and style and the state document over HTTP (GET
// and HEAD only), and pushes each new state to the pages connected at /live.
// It bounds what any client can hold: connections of every kind, per
// computer, pages, time to send a request or read an answer, unread data.
class FeedServer : public QObject
{
    Q_OBJECT

public:
    explicit FeedServer(const FeedLimits& limits = {}, QObject* parent = nullptr);

    // The reason in words when it cannot listen.
    std::optional<QString> start(const QHostAddress& address, quint16 port);
    quint16 port() const { return m_listener->serverPort(); }
    const FeedLimits& limits() const { return m_limits; }

    // The state document: served from now on and pushed to every page.
    void publish(const QByteArray& json);

    qsizetype connectionCount() const { return m_connections; }
    qsizetype pageCount() const { return m_pages.size(); }
    // What the server holds for its clients in memory: requests read, answers
    // and states not yet taken by the system.
    qint64 bufferedBytes() const;

private:
    void acceptConnections();
    void track(QTcpSocket* socket);
    void untrack(const QHostAddress& peer);
    FeedAnswer route(const HttpRequest& request);
    FeedAnswer openPage(const HttpRequest& request);
    bool roomForPage();
    void adoptPages();
    void drop(FeedPage* page);
    void checkPages();

    FeedLimits m_limits;
    // Children, so the server moves to another thread whole.
    QTcpServer* m_listener;
    QWebSocketServer* m_pageServer;
    QTimer* m_pingTimer;
    std::optional<FeedHosts> m_hosts;
    QHash<QString, QByteArray> m_files; // path to Content-Type and body
    QHash<QString, QByteArray> m_types;
    QByteArray m_json;
    int m_connections = 0;
    QHash<QHostAddress, int> m_perAddress;
    QList<QTcpSocket*> m_handedOver;
    QList<FeedPage*> m_pages;
};
