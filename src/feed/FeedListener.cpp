#include "feed/FeedListener.h"

#include <QTcpSocket>

namespace {

constexpr char Received[] = "feedReceived";

void refuseOversized(QTcpSocket* socket)
{
    const qint64 received = socket->property(Received).toLongLong() + socket->bytesAvailable();
    socket->setProperty(Received, received);
    if (received <= FeedListener::maxRequest)
        return;
    socket->readAll(); // nothing of it reaches the server
    socket->write("HTTP/1.1 431 Request Header Fields Too Large\r\n"
                  "Content-Length: 0\r\nConnection: close\r\n\r\n");
    socket->disconnectFromHost();
}

} // namespace

void FeedListener::requestAnswered(QTcpSocket* socket)
{
    socket->setProperty(Received, 0);
}

void FeedListener::incomingConnection(qintptr handle)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    // Connected before the server's own handler, so it sees each arrival first.
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { refuseOversized(socket); });
    addPendingConnection(socket);
}
