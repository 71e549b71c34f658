#include "feed/FeedPage.h"

#include "feed/FeedLimits.h"

#include <QTcpSocket>
#include <QWebSocket>

FeedPage::FeedPage(QWebSocket* socket, QTcpSocket* connection, const FeedLimits& limits,
                   QObject* parent)
    : QObject(parent), m_socket(socket), m_connection(connection), m_limits(limits)
{
    socket->setParent(this);
    // Pages only listen.
    socket->setMaxAllowedIncomingFrameSize(1024);
    socket->setMaxAllowedIncomingMessageSize(1024);
    connect(socket, &QWebSocket::disconnected, this, [this] { emit gone(this); });
    connect(socket, &QWebSocket::bytesWritten, this, &FeedPage::flush);
    connect(socket, &QWebSocket::pong, this, [this] { m_unanswered = 0; });
    // After the socket's own handler: what it answered (pongs) is counted.
    if (connection)
        connect(connection, &QTcpSocket::readyRead, this, &FeedPage::checkUnread);
}

FeedPage::~FeedPage()
{
    m_socket->abort();
}

void FeedPage::send(const QByteArray& state)
{
    m_waiting = state;
    flush();
}

void FeedPage::flush()
{
    if (m_waiting.isEmpty() || m_socket->bytesToWrite() > 0)
        return;
    m_socket->sendTextMessage(QString::fromUtf8(std::exchange(m_waiting, {})));
    checkUnread();
}

void FeedPage::checkUnread()
{
    if (m_socket->bytesToWrite() > m_limits.maxUnsent)
        emit gone(this);
}

bool FeedPage::stillAnswers()
{
    if (m_unanswered >= 2)
        return false;
    if (m_unanswered++ == 0)
        m_firstUnanswered.start();
    m_socket->ping();
    return true;
}

bool FeedPage::stalled() const
{
    return m_unanswered > 0 && m_firstUnanswered.elapsed() >= 1000;
}
