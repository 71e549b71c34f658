#include "feed/FeedConnection.h"

#include "feed/FeedLimits.h"

#include <QTcpSocket>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 101:
        return "Switching Protocols";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 413:
        return "Content Too Large";
    case 414:
        return "URI Too Long";
    case 421:
        return "Misdirected Request";
    case 426:
        return "Upgrade Required";
    case 431:
        return "Request Header Fields Too Large";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Error";
    }
}

} // namespace

FeedConnection::FeedConnection(QTcpSocket* socket, const FeedLimits& limits, Router router,
                               QObject* parent)
    : QObject(parent), m_socket(socket), m_limits(limits), m_router(std::move(router))
{
    socket->setParent(this);
    // Nothing more is taken from the network than one head can hold.
    socket->setReadBufferSize(HttpRequest::maxHeadBytes + 1);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(limits.requestTimeoutMs);
    connect(&m_deadline, &QTimer::timeout, this, &FeedConnection::timedOut);
    connect(socket, &QTcpSocket::readyRead, this, &FeedConnection::readHeads);
    connect(socket, &QTcpSocket::bytesWritten, this, [this] {
        if (m_socket->bytesToWrite() > 0)
            return;
        if (m_closing)
            m_socket->disconnectFromHost();
        else
            readHeads();
    });
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    m_deadline.start();
}

void FeedConnection::readHeads()
{
    // One answer at a time: the next request waits until this one is read.
    while (!m_closing && m_socket->bytesToWrite() == 0 &&
           m_socket->state() == QAbstractSocket::ConnectedState) {
        if (m_head.isEmpty() && !m_inTransaction && m_socket->bytesAvailable() > 0) {
            m_socket->startTransaction();
            m_inTransaction = true;
        }
        m_head += m_socket->read(HttpRequest::maxHeadBytes + 1 - m_head.size());
        const std::optional<qsizetype> end = HttpRequest::headEnd(m_head, m_scanned);
        m_scanned = m_head.size();
        if (!end) {
            if (m_head.size() > HttpRequest::maxHeadBytes)
                refuse(431);
            return;
        }
        const HttpRequest request = HttpRequest::parse(QByteArrayView(m_head).first(*end));
        if (request.status() != 0) {
            refuse(request.status());
            return;
        }
        const FeedAnswer reply = m_router(request);
        if (reply.upgrade) {
            // The pages read the request again from the socket; one that came
            // behind another in the same packets cannot be given back.
            if (!m_inTransaction || *end != m_head.size() || m_socket->bytesAvailable() > 0) {
                refuse(400);
                return;
            }
            m_socket->rollbackTransaction();
            m_deadline.stop();
            disconnect(m_socket, nullptr, this, nullptr);
            m_socket->setParent(nullptr);
            emit upgradeRequested(m_socket);
            deleteLater();
            return;
        }
        if (m_inTransaction)
            m_socket->commitTransaction();
        m_inTransaction = false;
        m_head.remove(0, *end);
        m_scanned = 0;
        answer(reply, request.method() == "HEAD");
        if (request.closes())
            m_closing = true;
        if (m_closing && m_socket->bytesToWrite() == 0)
            m_socket->disconnectFromHost();
    }
}

void FeedConnection::answer(const FeedAnswer& reply, bool headOnly)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reason(reply.status) +
                     "\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (!reply.type.isEmpty())
        out += "Content-Type: " + reply.type + "\r\n";
    for (const auto& [name, value] : reply.headers)
        out += name + ": " + value + "\r\n";
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    if (reply.close) {
        out += "Connection: close\r\n";
        m_closing = true;
    }
    out += "\r\n";
    if (!headOnly)
        out += reply.body;
    m_socket->write(out);
    // The answer must be read in time; then the next request must come in time.
    m_deadline.start();
}

void FeedConnection::refuse(int status)
{
    answer({status, "text/plain; charset=utf-8", reason(status) + '\n', {}, true}, false);
    if (m_socket->bytesToWrite() == 0)
        m_socket->disconnectFromHost();
}

void FeedConnection::timedOut()
{
    if (m_socket->bytesToWrite() > 0)
        m_socket->abort(); // an answer left unread
    else if (m_head.isEmpty())
        m_socket->disconnectFromHost(); // idle between requests
    else
        refuse(408);
}
