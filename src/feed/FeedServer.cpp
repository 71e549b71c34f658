#include "feed/FeedServer.h"

#include "feed/FeedConnection.h"
#include "feed/FeedPage.h"
#include "feed/HttpRequest.h"

#include <QFile>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

QByteArray resource(const QString& name)
{
    QFile file(QStringLiteral(":/feed/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FeedAnswer refusal(int status, const QByteArray& text,
                   QList<std::pair<QByteArray, QByteArray>> headers = {})
{
    return {status, "text/plain; charset=utf-8", text + '\n', std::move(headers), true};
}

} // namespace

FeedServer::FeedServer(const FeedLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_listener(new QTcpServer(this)),
      m_pageServer(
          new QWebSocketServer(QStringLiteral("Tallyvane"), QWebSocketServer::NonSecureMode, this)),
      m_pingTimer(new QTimer(this))
{
    m_files = {{QStringLiteral("/"), resource(QStringLiteral("index.html"))},
               {QStringLiteral("/feed.js"), resource(QStringLiteral("feed.js"))},
               {QStringLiteral("/feed.css"), resource(QStringLiteral("feed.css"))}};
    m_types = {{QStringLiteral("/"), "text/html; charset=utf-8"},
               {QStringLiteral("/feed.js"), "text/javascript; charset=utf-8"},
               {QStringLiteral("/feed.css"), "text/css; charset=utf-8"}};
    connect(m_listener, &QTcpServer::newConnection, this, &FeedServer::acceptConnections);
    // Out of file handles: wait a moment instead of trying again at once.
    connect(m_listener, &QTcpServer::acceptError, this, [this] {
        m_listener->pauseAccepting();
        QTimer::singleShot(1000, this, [this] {
            if (m_connections < m_limits.maxConnections)
                m_listener->resumeAccepting();
        });
    });
    m_pageServer->setMaxPendingConnections(m_limits.maxPages);
    connect(m_pageServer, &QWebSocketServer::newConnection, this, &FeedServer::adoptPages);
    m_pingTimer->setInterval(m_limits.pingIntervalMs);
    connect(m_pingTimer, &QTimer::timeout, this, &FeedServer::checkPages);
}

std::optional<QString> FeedServer::start(const QHostAddress& address, quint16 port)
{
    if (!m_listener->listen(address, port))
        return m_listener->errorString();
    m_hosts = FeedHosts::ofThisComputer(m_listener->serverPort());
    m_pingTimer->start();
    return std::nullopt;
}

void FeedServer::publish(const QByteArray& json)
{
    m_json = json;
    for (FeedPage* page : QList(m_pages))
        page->send(json);
}

qint64 FeedServer::bufferedBytes() const
{
    qint64 bytes = 0;
    for (const QTcpSocket* socket : findChildren<QTcpSocket*>())
        bytes += socket->bytesAvailable() + socket->bytesToWrite();
    for (const FeedConnection* connection : findChildren<FeedConnection*>())
        bytes += connection->bufferedBytes();
    for (const FeedPage* page : m_pages)
        bytes += page->bufferedBytes();
    return bytes;
}

void FeedServer::acceptConnections()
{
    while (m_listener->hasPendingConnections()) {
        QTcpSocket* socket = m_listener->nextPendingConnection();
        if (m_perAddress.value(socket->peerAddress()) >= m_limits.maxConnectionsPerAddress) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        track(socket);
        auto* connection = new FeedConnection(
            socket, m_limits, [this](const HttpRequest& request) { return route(request); }, this);
        connect(connection, &FeedConnection::upgradeRequested, this, [this](QTcpSocket* raw) {
            raw->setParent(this);
            m_handedOver.append(raw);
            m_pageServer->handleConnection(raw);
        });
    }
    // Further clients wait in the system's queue until one leaves.
    if (m_connections >= m_limits.maxConnections)
        m_listener->pauseAccepting();
}

void FeedServer::track(QTcpSocket* socket)
{
    const QHostAddress peer = socket->peerAddress();
    ++m_connections;
    ++m_perAddress[peer];
    connect(socket, &QObject::destroyed, this, [this, peer, socket] {
        m_handedOver.removeOne(socket);
        untrack(peer);
    });
}

void FeedServer::untrack(const QHostAddress& peer)
{
    --m_connections;
    if (--m_perAddress[peer] <= 0)
        m_perAddress.remove(peer);
    if (m_connections < m_limits.maxConnections)
        m_listener->resumeAccepting();
}

FeedAnswer FeedServer::route(const HttpRequest& request)
{
    if (!m_hosts->allows(*request.field("host")))
        return refusal(421, "Not this computer's name");
    // A body that is not read leaves the connection unusable: it ends there.
    if (request.method() != "GET" && request.method() != "HEAD")
        return {405,
                "text/plain; charset=utf-8",
                "Only GET and HEAD\n",
                {{"Allow", "GET, HEAD"}},
                request.bodyStatus() != 0};
    if (request.bodyStatus() != 0)
        return refusal(request.bodyStatus(), "No request body");
    const QString path = QString::fromLatin1(request.path());
    if (path == QLatin1String("/live"))
        return openPage(request);
    const QList<std::pair<QByteArray, QByteArray>> policy = {
        {"Content-Security-Policy", "default-src 'none'; script-src 'self'; style-src 'self'; "
                                    "connect-src 'self'; img-src data:"}};
    if (path == QLatin1String("/state.json"))
        return {200, "application/json", m_json, {{"Access-Control-Allow-Origin", "*"}}};
    if (m_files.contains(path))
        return {200, m_types.value(path), m_files.value(path), policy};
    return {404, "text/plain; charset=utf-8", "Not found\n", policy};
}

// Only the feed's own pages may connect: a WebSocket at /live, asked for from
// a page this server gave out, while a page slot is free.
FeedAnswer FeedServer::openPage(const HttpRequest& request)
{
    const QList<std::pair<QByteArray, QByteArray>> upgrade = {{"Upgrade", "websocket"}};
    if (request.method() != "GET" || request.isHttp10() || !request.lists("upgrade", "websocket") ||
        !request.lists("connection", "upgrade"))
        return refusal(426, "Only WebSocket", upgrade);
    if (request.field("sec-websocket-version") != "13")
        return refusal(426, "Only WebSocket version 13", {{"Sec-WebSocket-Version", "13"}});
    const QByteArray key = request.field("sec-websocket-key").value_or(QByteArray());
    const auto decoded =
        QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != 16)
        return refusal(400, "Bad WebSocket key");
    const std::optional<QByteArray> origin = request.field("origin");
    if (!origin || !m_hosts->allowsOrigin(*origin, *request.field("host")))
        return refusal(403, "Only the feed's own pages");
    if (!roomForPage())
        return refusal(503, "Too many pages", {{"Retry-After", "5"}});
    FeedAnswer answer;
    answer.upgrade = true;
    return answer;
}

// A page that has left a ping unanswered does not read: a new page takes its
// place.
bool FeedServer::roomForPage()
{
    if (m_pages.size() + m_handedOver.size() < m_limits.maxPages)
        return true;
    for (FeedPage* page : QList(m_pages)) {
        if (page->stalled()) {
            drop(page);
            return true;
        }
    }
    return false;
}

void FeedServer::adoptPages()
{
    while (m_pageServer->hasPendingConnections()) {
        QWebSocket* socket = m_pageServer->nextPendingConnection();
        QTcpSocket* raw = nullptr;
        for (QTcpSocket* candidate : std::as_const(m_handedOver)) {
            if (candidate->peerPort() == socket->peerPort() &&
                candidate->peerAddress() == socket->peerAddress())
                raw = candidate;
        }
        m_handedOver.removeOne(raw);
        auto* page = new FeedPage(socket, raw, m_limits, this);
        connect(page, &FeedPage::gone, this, &FeedServer::drop);
        m_pages.append(page);
        page->send(m_json);
    }
}

void FeedServer::drop(FeedPage* page)
{
    if (!m_pages.removeOne(page))
        return;
    page->disconnect(this);
    page->deleteLater();
}

void FeedServer::checkPages()
{
    for (FeedPage* page : QList(m_pages)) {
        if (!page->stillAnswers())
            drop(page);
    }
}
