#pragma once

#include <QAbstractHttpServer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <optional>

class FeedListener;
class QWebSocket;

// Serves the page, its script and style, and the state document over HTTP
// (GET and HEAD only), and pushes each new state to the pages connected over
// a WebSocket.
class FeedServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    static constexpr int maxClients = 64;
    static constexpr qint64 maxUnsent = 1024 * 1024;

    explicit FeedServer(QObject* parent = nullptr);

    // The reason in words when it cannot listen.
    std::optional<QString> start(const QHostAddress& address, quint16 port);
    quint16 port() const;

    // The state document: served from now on and pushed to every page.
    void publish(const QByteArray& json);
    qsizetype clientCount() const { return m_clients.size(); }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct File
    {
        QByteArray type;
        QByteArray body;
    };

    void acceptClients();
    void send(QWebSocket* client);
    void drop(QWebSocket* client);

    FeedListener* m_listener;
    QHash<QString, File> m_files;
    QByteArray m_json;
    QList<QWebSocket*> m_clients;
};
