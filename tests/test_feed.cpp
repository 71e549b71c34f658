#include "feed/BrokerPublisher.h"
#include "feed/FeedHosts.h"
#include "feed/FeedServer.h"
#include "feed/FeedSource.h"
#include "feed/HttpRequest.h"
#include "feed/WebFeed.h"
#include "settings/FeedSettings.h"
#include "support/Facts.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"

#include <QtTest>
#include <QtWebSockets>
#include <QtWidgets>

using Facts::facts;
using S = PanelSettings;

namespace {

const QByteArray host = "Host: 127.0.0.1\r\n";

// A client that sends `request` and reads until `until` arrives or the server closes.
QByteArray exchange(quint16 port, const QByteArray& request, const QByteArray& until = "\r\n\r\n")
{
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    client.write(request);
    QByteArray reply;
    const bool got = QTest::qWaitFor(
        [&] {
            reply += client.readAll();
            return reply.contains(until) || client.state() == QAbstractSocket::UnconnectedState;
        },
        10000);
    return got ? reply : "no answer";
}

QByteArray upgrade(const QByteArray& path, const QByteArray& origin)
{
    return "GET " + path + " HTTP/1.1\r\n" + host +
           "Upgrade: websocket\r\nConnection: Upgrade\r\n" +
           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n" + origin +
           "\r\n";
}

// A server on a free port of this computer, as the feed's own thread runs it.
struct Server
{
    explicit Server(FeedLimits limits = {}) : server(limits)
    {
        if (server.start(QHostAddress::LocalHost, 0))
            qFatal("the feed cannot listen");
        server.publish(R"({"home":{}})");
    }
    QByteArray status(const QByteArray& request)
    {
        const QByteArray reply = exchange(server.port(), request);
        return reply.left(reply.indexOf("\r\n"));
    }
    FeedServer server;
};

// A page that completes its upgrade and then reads nothing.
std::unique_ptr<QTcpSocket> deafPage(quint16 port)
{
    auto page = std::make_unique<QTcpSocket>();
    page->setReadBufferSize(1);
    page->connectToHost(QHostAddress::LocalHost, port);
    page->write(upgrade("/live", "Origin: http://127.0.0.1\r\n"));
    return page;
}

FeedLimits quick()
{
    FeedLimits limits;
    limits.requestTimeoutMs = 300;
    limits.pingIntervalMs = 100;
    return limits;
}

} // namespace

class TestFeed : public QObject
{
    Q_OBJECT

    FakeNumLock m_numLock;

private slots:
    // What the README promises of the feed's limits and defaults.
    void promises()
    {
        const FeedLimits l;
        CHECK_FACTS(facts("connections", l.maxConnections, "per computer",
                          l.maxConnectionsPerAddress, "pages", l.maxPages, "request s",
                          l.requestTimeoutMs / 1000, "ping s", l.pingIntervalMs / 1000,
                          "unread KiB", l.maxUnsent / 1024, "head KiB",
                          HttpRequest::maxHeadBytes / 1024, "target", HttpRequest::maxTargetBytes,
                          "retry s", BrokerPublisher::firstRetrySeconds, "up to",
                          BrokerPublisher::nextRetrySeconds(16)),
                    "connections=256 per computer=32 pages=64 request s=10 ping s=5 "
                    "unread KiB=64 head KiB=16 target=2048 retry s=1 up to=30");
        // The broker's default topic and offline state are e2e/broker.sh's.
    }

    void settings_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("read");
        const std::pair<const char*, const char*> rows[] = {
            {"Port=8080|Address= 0.0.0.0 ", "page=8080 at=0.0.0.0 "},
            {"Port=0", "page=off at=127.0.0.1 "},
            {"Port=70000", "page=0 at=127.0.0.1 problem"},
            {"Port=80a", "page=0 at=127.0.0.1 problem"},
            {"Broker=hall.local", "broker=hall.local:1883 tls=false "},
            {"Broker=10.0.0.2:1884", "broker=10.0.0.2:1884 tls=false "},
            {"Broker=hall|BrokerTls=1", "broker=hall:8883 tls=true "},
            {"Broker=[::1]:1999", "broker=::1:1999 tls=false "},
            {"Broker=::1", "broker=::1:1883 tls=false "},
            {"Broker=hall:0", "broker=hall:1883 tls=false problem"},
            {"Broker=hall|Topic=a/#", "broker=hall:1883 tls=false problem"}};
        for (auto [section, read] : rows)
            QTest::newRow(section) << section << read;
    }
    void settings()
    {
        QFETCH(QString, section);
        QHash<QString, QString> values;
        for (const QString& line : section.split(u'|'))
            values.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        const auto s = FeedSettings::parse([&](const QString& key) { return values.value(key); });
        const QString problem = s.brokerOn() ? s.brokerProblem : s.pageProblem;
        QTEST((s.brokerOn() ? QString("broker=%1:%2 tls=%3 ")
                                  .arg(s.brokerHost)
                                  .arg(s.brokerPort)
                                  .arg(Facts::shown(s.tls))
                            : QString("page=%1 at=%2 ")
                                  .arg(s.pageOn() ? QString::number(s.port) : "off", s.address)) +
                  (problem.isEmpty() ? "" : "problem"),
              "read");
    }

    void heads_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("status");
        QByteArray fields(HttpRequest::maxFields * 6, 'x');
        const std::tuple<const char*, QByteArray, int> rows[] = {
            {"well formed", "GET / HTTP/1.1\r\nHost: a\r\n", 0},
            {"HTTP/1.0 with a Host", "GET / HTTP/1.0\r\nHost: a\r\n", 0},
            {"any method token", "BREW / HTTP/1.1\r\nHost: a\r\n", 0},
            {"Content-Length 0", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 0\r\n", 0},
            {"no Host", "GET / HTTP/1.1\r\n", 400},
            {"two Hosts", "GET / HTTP/1.1\r\nHost: a\r\nHost: a\r\n", 400},
            {"Host with a blank", "GET / HTTP/1.1\r\nHost: a b\r\n", 400},
            {"HTTP/3.0", "GET / HTTP/3.0\r\nHost: a\r\n", 505},
            {"not HTTP", "GET / HTCPCP/1.0\r\nHost: a\r\n", 400},
            {"two blanks", "GET  / HTTP/1.1\r\nHost: a\r\n", 400},
            {"absolute target", "GET http://a/ HTTP/1.1\r\nHost: a\r\n", 400},
            {"long target", "GET /" + QByteArray(2048, 'a') + " HTTP/1.1\r\nHost: a\r\n", 414},
            {"field without colon", "GET / HTTP/1.1\r\nHost: a\r\nUpgrade\r\n", 400},
            {"blank before colon", "GET / HTTP/1.1\r\nHost: a\r\nUpgrade : x\r\n", 400},
            {"NUL in a value", QByteArray("GET / HTTP/1.1\r\nHost: a\r\nX: a") + '\0' + "b\r\n",
             400},
            {"folded line", "GET / HTTP/1.1\r\nHost: a\r\nX: a\r\n b\r\n", 400},
            {"length 2^64", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 18446744073709551616\r\n",
             400},
            {"length -1", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: -1\r\n", 400},
            {"length twice",
             "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 0\r\nContent-Length: 0\r\n", 400},
            {"a body", "GET / HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n", 413},
            {"a coded body", "GET / HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n", 501},
            {"coded and a length",
             "GET / HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\nContent-Length: 3\r\n",
             400},
            {"101 fields", "GET / HTTP/1.1\r\nHost: a\r\n" + fields.replace("xxxxxx", "X: y\r\n"),
             431},
            {"17 KiB", "GET / HTTP/1.1\r\nHost: a\r\nX: " + QByteArray(17 * 1024, 'x') + "\r\n",
             431}};
        for (const auto& [tag, head, status] : rows)
            QTest::newRow(tag) << head << status;
    }
    void heads()
    {
        QFETCH(QByteArray, head);
        const HttpRequest request = HttpRequest::parse(head + "\r\n");
        QTEST(request.status() ? request.status() : request.bodyStatus(), "status");
    }

    // Host, then a page's Origin, and whether each is allowed.
    void hosts_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QByteArray>("origin");
        QTest::addColumn<QString>("allowed");
        const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
            {"localhost", "localhost:8080", "http://localhost:8080", "host=true origin=true"},
            {"case", "LocalHost:8080", "http://localhost:8080", "host=true origin=true"},
            {"no port", "127.0.0.1", "http://127.0.0.1", "host=true origin=true"},
            {"IPv6", "[::1]:8080", "http://[::1]:8080", "host=true origin=true"},
            {"name, https", "scorer.local:8080", "https://scorer.local:8080",
             "host=true origin=false"},
            {"another port", "localhost:8081", "http://localhost:8081", "host=false origin=false"},
            {"rebinding", "evil.example:8080", "http://evil.example:8080",
             "host=false origin=false"},
            {"foreign page", "scorer:8080", "http://scores:8080", "host=true origin=false"},
            {"no origin", "192.168.1.20:8080", "null", "host=true origin=false"}};
        for (auto [tag, host, origin, allowed] : rows)
            QTest::newRow(tag) << QByteArray(host) << QByteArray(origin) << QString(allowed);
    }
    void hosts()
    {
        QFETCH(QByteArray, host);
        QFETCH(QByteArray, origin);
        const FeedHosts hosts(
            {"localhost", "127.0.0.1", "::1", "scorer", "scorer.local", "192.168.1.20"}, 8080);
        QTEST(facts("host", hosts.allows(host), "origin", hosts.allowsOrigin(origin, host)),
              "allowed");
    }

    void routes_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArrayList>("expected");
        const QByteArrayList plain{"Cache-Control: no-store", "X-Content-Type-Options: nosniff"};
        QTest::newRow("page") << "GET /?team=home&transparent=1 HTTP/1.1\r\n" + host + "\r\n"
                              << plain +
                                     QByteArrayList{"200 OK", "Content-Type: text/html",
                                                    "Content-Security-Policy: default-src 'none'"};
        QTest::newRow("state for any origin")
            << "GET /state.json HTTP/1.1\r\n" + host + "\r\n"
            << plain + QByteArrayList{"200 OK", "application/json",
                                      "Access-Control-Allow-Origin: *", "{\"home\":{}}"};
        QTest::newRow("unknown path, HEAD without a body, one after the other")
            << "GET /nope HTTP/1.1\r\n" + host + "\r\nHEAD /state.json HTTP/1.1\r\n" + host +
                   "\r\nGET /state.json HTTP/1.1\r\n" + host + "\r\n"
            << QByteArrayList{"404 Not Found", "Content-Length: 11\r\n",
                              "nosniff\r\n\r\nHTTP/1.1 200", "{\"home\":{}}"};
        for (const char* method : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "TRACE", "CONNECT"})
            QTest::newRow(method) << QByteArray(method) + " / HTTP/1.1\r\n" + host + "\r\n"
                                  << QByteArrayList{"405 Method Not Allowed", "Allow: GET, HEAD"};
        QTest::newRow("POST with a body")
            << "POST / HTTP/1.1\r\n" + host + "Content-Length: 1\r\n\r\nx"
            << QByteArrayList{"405 Method Not Allowed", "Connection: close"};
        QTest::newRow("another name") << QByteArray("GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n")
                                      << QByteArrayList{"421 Misdirected", "Connection: close"};
        QTest::newRow("malformed") << QByteArray("GET / HTTP/1.1\r\nHost\r\n\r\n")
                                   << QByteArrayList{"400 Bad Request", "Connection: close"};
        QTest::newRow("too large") << "GET / HTTP/1.1\r\nX: " + QByteArray(20000, 'x') + "\r\n"
                                   << QByteArrayList{"431 Request Header Fields Too Large"};
        QTest::newRow("page upgrade elsewhere")
            << upgrade("/state.json", "Origin: http://127.0.0.1\r\n") << QByteArrayList{"200 OK"};
        QTest::newRow("upgrade without Connection")
            << "GET /live HTTP/1.1\r\n" + host + "Upgrade: websocket\r\n\r\n"
            << QByteArrayList{"426 Upgrade Required", "Upgrade: websocket"};
        QTest::newRow("foreign page") << upgrade("/live", "Origin: http://evil.example\r\n")
                                      << QByteArrayList{"403 Forbidden"};
        QTest::newRow("no origin") << upgrade("/live", "") << QByteArrayList{"403 Forbidden"};
        QTest::newRow("own page") << upgrade("/live", "Origin: http://127.0.0.1\r\n")
                                  << QByteArrayList{"101 Switching Protocols"};
    }
    void routes()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArrayList, expected);
        Server s;
        const QByteArray reply = exchange(s.server.port(), request, expected.last());
        for (const QByteArray& part : expected)
            QVERIFY2(reply.contains(part), reply.left(400));
    }

    // A client that sends without end and never reads the answers holds at
    // most a head and an answer of the server's memory.
    void unreadAnswers()
    {
        Server s;
        QTcpSocket client;
        client.setReadBufferSize(1);
        client.connectToHost(QHostAddress::LocalHost, s.server.port());
        QVERIFY(client.waitForConnected());
        const QByteArray request = "GET /state.json HTTP/1.1\r\n" + host + "\r\n";
        for (int i = 0; i < 500'000; ++i) // more than the system's buffers take
            client.write(request);
        qint64 most = 0;
        bool stalled = false; // latched: the macro tests its condition once more after the wait
        QTRY_VERIFY_WITH_TIMEOUT(
            stalled = stalled || ((most = std::max(most, s.server.bufferedBytes())) > 0 &&
                                  client.bytesToWrite() > 0 && !client.waitForBytesWritten(100)),
            30000);
        QCOMPARE_LE(most, 2 * HttpRequest::maxHeadBytes + 1024);
    }

    // A head that never ends is answered 408; a connection that sends nothing just ends.
    void timeLimits()
    {
        Server s(quick());
        const QByteArray slow = exchange(s.server.port(), "GET / HTTP/1.1\r\nHost: 127", "never");
        const QByteArray silent = exchange(s.server.port(), "", "never");
        QTRY_COMPARE(s.server.connectionCount(), 0);
        CHECK_FACTS(facts("slow", slow.mid(9, 3), "silent", silent), "slow=408 silent=");
    }

    void connectionLimits()
    {
        FeedLimits limits;
        limits.maxConnections = 6;
        limits.maxConnectionsPerAddress = 4;
        Server s(limits);
        auto client = [&](const char* from) {
            auto c = std::make_unique<QTcpSocket>();
            c->bind(QHostAddress(from));
            c->connectToHost(QHostAddress::LocalHost, s.server.port());
            return c;
        };
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 5; ++i)
            clients.push_back(client("127.0.0.1"));
        QTRY_COMPARE(s.server.connectionCount(), 4);
        // A fifth from one computer is refused.
        QTRY_COMPARE(clients[4]->state(), QAbstractSocket::UnconnectedState);
        clients.push_back(client("127.0.0.2"));
        clients.push_back(client("127.0.0.2"));
        QTRY_COMPARE(s.server.connectionCount(), 6);
        // Full: the next waits in the system's queue until one leaves.
        const auto waiting = client("127.0.0.2");
        waiting->write("GET /state.json HTTP/1.1\r\n" + host + "\r\n");
        QVERIFY(waiting->waitForBytesWritten());
        QCoreApplication::processEvents();
        const bool answeredWhileFull = waiting->bytesAvailable() > 0;
        clients[0]->abort();
        QTRY_VERIFY(waiting->bytesAvailable() > 0);
        CHECK_FACTS(facts("answered while full", answeredWhileFull, "connections",
                          s.server.connectionCount()),
                    "answered while full=false connections=6");
    }

    // Pages: 64 at most; one that does not answer pings gives way to a new one.
    void pages()
    {
        FeedLimits limits = quick();
        limits.maxPages = 2;
        limits.pingIntervalMs = 800;
        Server s(limits);
        const auto stalled = deafPage(s.server.port());
        QWebSocket page(QString("http://127.0.0.1:%1").arg(s.server.port()));
        page.open(QUrl(QString("ws://127.0.0.1:%1/live").arg(s.server.port())));
        QTRY_COMPARE(s.server.pageCount(), 2);
        QVERIFY(s.status(upgrade("/live", "Origin: http://127.0.0.1\r\n")).contains("503"));
        QTRY_COMPARE_WITH_TIMEOUT(
            s.status(upgrade("/live", "Origin: http://127.0.0.1\r\n")).mid(9, 3), "101", 5000);
        QCOMPARE(page.state(), QAbstractSocket::ConnectedState);
    }

    // States that come faster than a page reads reach it as the newest, not as a queue.
    void newestState()
    {
        Server s;
        QWebSocket page(QString("http://127.0.0.1:%1").arg(s.server.port()));
        QStringList got;
        connect(&page, &QWebSocket::textMessageReceived, this, [&](const QString& m) { got << m; });
        page.open(QUrl(QString("ws://127.0.0.1:%1/live").arg(s.server.port())));
        QTRY_COMPARE(got.size(), 1);
        for (int i = 1; i <= 100; ++i)
            s.server.publish(QByteArray::number(i));
        QTRY_COMPARE(got.last(), "100");
        QCOMPARE_LE(got.size(), 3);
    }

    // A page that sits there, answering no ping, leaves after two; one that
    // leaves states unread is dropped before it holds much of the server's memory.
    void deafPages()
    {
        Server s(quick());
        const auto silent = deafPage(s.server.port());
        QTRY_COMPARE(s.server.pageCount(), 1);
        QTRY_COMPARE(s.server.pageCount(), 0);
        const auto piling = deafPage(s.server.port());
        QTRY_COMPARE(s.server.pageCount(), 1);
        qint64 most = 0;
        for (int i = 0; i < 500 && s.server.pageCount() == 1; ++i) {
            s.server.publish(QByteArray(64 * 1024, char('a' + i % 26)));
            QCoreApplication::processEvents();
            most = std::max(most, s.server.bufferedBytes());
        }
        QTRY_COMPARE(s.server.pageCount(), 0);
        QCOMPARE_LE(most, 2 * 64 * 1024 + 4096);
    }

    // The state document whole (tests/data/feed/state.json): fields sorted, names
    // as typed, a dark display null.
    void state()
    {
        FeedState state;
        FeedScheme scheme;
        scheme.columns[FeedScheme::Fouls] = false;
        scheme.colors = {255, 16777215, 0, 33023, 255, 49152};
        scheme.digitStyle = 1;
        QVERIFY(state.setScheme(scheme));
        QVERIFY(
            state.setTeam(FeedState::Side::Home, {"H", {{"<b>x</b>\"\\", 7, std::nullopt, 12}}}));
        QVERIFY(state.setTeam(FeedState::Side::Visitor, {"<img src=x onerror=alert(1)>", {}}));
        QVERIFY(!state.setTeam(FeedState::Side::Visitor, {"<img src=x onerror=alert(1)>", {}}));
        QFile expected(qEnvironmentVariable("TV_TEST_DATA") + "/feed/state.json");
        QVERIFY(expected.open(QIODevice::ReadOnly));
        CHECK_FACTS(state.json(), expected.readAll().trimmed());
    }

    // The feed follows the panels: a player applied, a team name typed, and the
    // options dialog's OK at the panels' next refresh.
    void followsPanels()
    {
        PanelFixture store;
        const auto home = store.panel(338, 524, true), visitor = store.panel(338, 524, false);
        QMetaObject::invokeMethod(home.get(), "refreshOptions");
        WebFeed feed(home.get(), visitor.get());
        QVERIFY(!feed.start(QHostAddress::LocalHost, 0));
        home->txtInputName->setText("Ann");
        home->txtInputFouls->clear();
        home->txtInputPoints->setText("12");
        home->cmdInputChange->click();
        visitor->txtTeamName->setText("Owls");
        S::NumColor = 0x0000FF, S::ShowPlayerFouls = 0, S::PlayerTotal = 3, S::LEDType = 1;
        S::HomeRefreshed = false; // as the options dialog's OK leaves it
        QMetaObject::invokeMethod(home.get(), "refreshOptions");
        QByteArray json;
        QTRY_VERIFY(
            (json = exchange(feed.port(), "GET /state.json HTTP/1.0\r\n" + host + "\r\n", "no end"))
                .contains("\"digitStyle\":\"Dots\""));
        json = json.mid(json.indexOf("\r\n\r\n") + 4);
        const QJsonObject state = QJsonDocument::fromJson(json).object();
        CHECK_FACTS(facts("player",
                          QJsonDocument(state["home"]["players"][0].toObject())
                              .toJson(QJsonDocument::Compact),
                          "rows", state["home"]["players"].toArray().size(), "team",
                          state["visitor"]["name"].toString(), "fouls shown",
                          state["columns"]["fouls"].toBool(), "number colour",
                          state["colors"]["number"]["css"].toString()),
                    "player={\"fouls\":null,\"name\":\"Ann\",\"number\":0,\"points\":12} "
                    "rows=3 team=Owls fouls shown=false number colour=#ff0000");
    }
};

QTEST_MAIN(TestFeed)
#include "test_feed.moc"
