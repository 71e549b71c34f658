#include "feed/WebFeed.h"

#include "feed/FeedServer.h"
#include "feed/FeedSource.h"

WebFeed::WebFeed(Quorvel* home, Quorvel* visitor, const FeedLimits& limits, QObject* parent)
    : QObject(parent), m_source(new FeedSource(home, visitor, this)),
      m_server(new FeedServer(limits))
{
    m_thread.setObjectName(QStringLiteral("feed server"));
    m_server->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    connect(m_source, &FeedSource::changed, m_server, &FeedServer::publish);
    m_thread.start();
}

WebFeed::~WebFeed()
{
    m_thread.quit();
    m_thread.wait();
}

std::optional<QString> WebFeed::start(const QHostAddress& address, quint16 port)
{
    std::optional<QString> failure;
    const QByteArray json = m_source->json();
    QMetaObject::invokeMethod(
        m_server,
        [&] {
            failure = m_server->start(address, port);
            m_port = m_server->port();
            m_server->publish(json);
        },
        Qt::BlockingQueuedConnection);
    return failure;
}
