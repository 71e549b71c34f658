#include "feed/FeedServer.h"

#include "feed/FeedListener.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

using Status = QHttpServerResponder::StatusCode;
using Headers = QList<std::pair<QByteArray, QByteArray>>;

QByteArray resource(const QString& name)
{
    QFile file(QStringLiteral(":/feed/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

FeedServer::FeedServer(QObject* parent)
    : QAbstractHttpServer(parent), m_listener(new FeedListener(this))
{
    m_files = {
        {QStringLiteral("/"), {"text/html; charset=utf-8", resource("index.html")}},
        {QStringLiteral("/feed.js"), {"text/javascript; charset=utf-8", resource("feed.js")}},
        {QStringLiteral("/feed.css"), {"text/css; charset=utf-8", resource("feed.css")}}};
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &FeedServer::acceptClients);
}

std::optional<QString> FeedServer::start(const QHostAddress& address, quint16 port)
{
    if (!m_listener->listen(address, port))
        return m_listener->errorString();
    bind(m_listener);
    return std::nullopt;
}

quint16 FeedServer::port() const
{
    return m_listener->serverPort();
}

bool FeedServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    using Method = QHttpServerRequest::Method;
    // Taken without an answer, the server hands the connection over as a
    // WebSocket; any path will do.
    if (request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return true;
    const bool head = request.method() == Method::Head;
    const QString path = request.url().path();
    Status status = Status::Ok;
    File file{"text/plain; charset=utf-8", {}};
    Headers headers;
    if (!head && request.method() != Method::Get) {
        status = Status::MethodNotAllowed;
        file.body = "Only GET and HEAD\n";
        headers = {{"Allow", "GET, HEAD"}};
    } else if (!request.body().isEmpty()) {
        status = Status::PayloadTooLarge;
    } else if (path == QLatin1String("/state.json")) {
        file = {"application/json", m_json};
        headers = {{"Access-Control-Allow-Origin", "*"}};
    } else if (m_files.contains(path)) {
        file = m_files.value(path);
    } else {
        status = Status::NotFound;
        file.body = "Not found\n";
    }

    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(status);
    headers += Headers{{"Content-Type", file.type},
                       {"Content-Length", QByteArray::number(file.body.size())},
                       {"Cache-Control", "no-store"},
                       {"X-Content-Type-Options", "nosniff"},
                       {"Content-Security-Policy",
                        "default-src 'none'; script-src 'self'; style-src 'self'; "
                        "connect-src 'self'; img-src data:"}};
    for (const auto& [name, value] : headers)
        responder.writeHeader(name, value);
    responder.writeBody(head ? QByteArray() : file.body);
    FeedListener::requestAnswered(socket);
    return true;
}

void FeedServer::missingHandler(const QHttpServerRequest&, QTcpSocket*) {}

void FeedServer::publish(const QByteArray& json)
{
    m_json = json;
    for (QWebSocket* client : QList(m_clients))
        send(client);
}

void FeedServer::acceptClients()
{
    while (hasPendingWebSocketConnections()) {
        QWebSocket* client = nextPendingWebSocketConnection().release();
        client->setParent(this);
        if (m_clients.size() >= maxClients) {
            client->close(QWebSocketProtocol::CloseCodePolicyViolated,
                          QStringLiteral("Too many pages"));
            connect(client, &QWebSocket::disconnected, client, &QObject::deleteLater);
            continue;
        }
        // Pages only listen.
        client->setMaxAllowedIncomingMessageSize(1024);
        client->setMaxAllowedIncomingFrameSize(1024);
        connect(client, &QWebSocket::disconnected, this, [this, client] { drop(client); });
        m_clients.append(client);
        send(client);
    }
}

void FeedServer::send(QWebSocket* client)
{
    // A page that stopped reading would hold every state sent since.
    if (client->bytesToWrite() + m_json.size() > maxUnsent) {
        drop(client);
        return;
    }
    client->sendTextMessage(QString::fromUtf8(m_json));
}

void FeedServer::drop(QWebSocket* client)
{
    if (!m_clients.removeOne(client))
        return;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}
