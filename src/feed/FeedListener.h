#pragma once

#include <QTcpServer>

class QTcpSocket;

// The feed's listening socket. The HTTP server buffers whatever a request
// carries; this refuses a request once it grows past maxRequest, before the
// server has read it.
class FeedListener : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr qint64 maxRequest = 16 * 1024;

    using QTcpServer::QTcpServer;

    // The connection's request has been answered; its next one counts afresh.
    static void requestAnswered(QTcpSocket* socket);

protected:
    void incomingConnection(qintptr handle) override;
};
