#include "app/frmScoreboard.h"
#include "feed/FeedServer.h"
#include "feed/LiveFeed.h"
#include "panel/Quorvel.h"
#include "support/FakeNumLock.h"
#include "support/PanelFixture.h"
#include "support/ScriptedDialogs.h"

#include <QtTest>
#include <QtWebSockets>
#include <QtWidgets>

namespace {
// The value at a slash-separated path of a JSON document.
QJsonValue at(const QByteArray& json, const QString& path)
{
    QJsonValue value = QJsonDocument::fromJson(json).object();
    for (const QString& key : path.split(u'/'))
        value = value.isArray() ? value.toArray().at(key.toInt()) : value.toObject().value(key);
    return value;
}

QByteArray exchange(quint16 port, const QByteArray& request, const QByteArray& until)
{
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    client.write(request);
    QByteArray reply;
    QTest::qWaitFor([&] { return (reply += client.readAll()).contains(until); }, 5000);
    return reply;
}
} // namespace

class TestFeed : public QObject
{
    Q_OBJECT

    FakeNumLock m_numLock;

private slots:
    void state_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("expected");
        QTest::newRow("a dark display is null") << "home/players/0/fouls" << QJsonValue();
        QTest::newRow("hostile name") << "home/players/0/name" << QJsonValue("<b>x</b>\"\\");
        QTest::newRow("hostile team")
            << "visitor/name" << QJsonValue("<img src=x onerror=alert(1)>");
        QTest::newRow("hidden column") << "columns/fouls" << QJsonValue(false);
        QTest::newRow("colour as CSS") << "colors/number/css" << QJsonValue("#ff8000");
        QTest::newRow("colour as stored") << "colors/number/bgr" << QJsonValue(33023);
        QTest::newRow("digit style") << "digitStyle" << QJsonValue("Dots");
    }
    void state()
    {
        QFETCH(QString, path);
        QFETCH(QJsonValue, expected);
        FeedState state;
        FeedScheme scheme;
        scheme.columns[FeedScheme::Fouls] = false;
        scheme.colors[FeedScheme::NumberColor] = 33023;
        scheme.digitStyle = 1;
        QVERIFY(state.setScheme(scheme));
        QVERIFY(
            state.setTeam(FeedState::Side::Home, {"H", {{"<b>x</b>\"\\", 7, std::nullopt, 12}}}));
        QVERIFY(state.setTeam(FeedState::Side::Visitor, {"<img src=x onerror=alert(1)>", {}}));
        QVERIFY(!state.setTeam(FeedState::Side::Visitor, {"<img src=x onerror=alert(1)>", {}}));
        QCOMPARE(at(state.json(), path), expected);
    }

    void http_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("until");
        QTest::addColumn<QByteArrayList>("expected");
        const QByteArray host = " HTTP/1.1\r\nHost: localhost\r\n\r\n";
        QTest::newRow("page") << "GET /?team=home" + host << QByteArray("</html>")
                              << QByteArrayList{"200 OK", "Content-Type: text/html"};
        QTest::newRow("state") << "GET /state.json" + host << QByteArray("}}")
                               << QByteArrayList{"200 OK", "Access-Control-Allow-Origin: *"};
        QTest::newRow("HEAD has no body")
            << "HEAD /feed.js" + host + "GET /x" + host << QByteArray("Not found")
            << QByteArrayList{"200 OK", "\r\n\r\nHTTP/1.1 404"};
        QTest::newRow("POST refused")
            << "POST /" + host << QByteArray("\r\n\r\n")
            << QByteArrayList{"405 Method Not Allowed", "Allow: GET, HEAD"};
        QTest::newRow("unknown path") << "GET /index.html" + host << QByteArray("\r\n\r\n")
                                      << QByteArrayList{"404 Not Found"};
        QTest::newRow("oversized headers")
            << "GET / HTTP/1.1\r\nX: " + QByteArray(20000, 'x') + "\r\n\r\n"
            << QByteArray("\r\n\r\n") << QByteArrayList{"HTTP/1.1 431"};
    }
    void http()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, until);
        QFETCH(QByteArrayList, expected);
        FeedServer server;
        QVERIFY(!server.start(QHostAddress::LocalHost, 0));
        server.publish(R"({"home":{}})");
        const QByteArray reply = exchange(server.port(), request, until);
        if (!expected[0].startsWith("HTTP"))
            expected << "Cache-Control: no-store"
                     << "X-Content-Type-Options: nosniff";
        for (const QByteArray& part : expected)
            QVERIFY2(reply.contains(part), reply.left(300));
    }

    void stateFollowsPanels()
    {
        PanelFixture store;
        frmScoreboard home(frmScoreboard::Team::Home);
        home.show();
        Quorvel* panel = home.Quorvel1;
        LiveFeed feed(panel, home.partner()->Quorvel1);
        QVERIFY(!feed.start(QHostAddress::LocalHost, 0));
        panel->txtInputName->setText("Ann");
        panel->txtInputFouls->clear();
        panel->txtInputPoints->setText("12");
        panel->cmdInputChange->click();
        home.partner()->Quorvel1->txtTeamName->setText("Owls");
        const QByteArray reply =
            exchange(feed.server()->port(), "GET /state.json HTTP/1.1\r\n\r\n", "}}}");
        const QByteArray json = reply.mid(reply.indexOf("\r\n\r\n") + 4);
        QCOMPARE(
            at(json, "home/players/0").toObject(),
            (QJsonObject{{"name", "Ann"}, {"number", 0}, {"fouls", QJsonValue()}, {"points", 12}}));
        QCOMPARE(at(json, "home/players").toArray().size(), PanelSettings::defaultPlayerTotal);
        QCOMPARE(at(json, "visitor/name"), QJsonValue("Owls"));
        delete home.partner();
    }

    void limits()
    {
        FeedServer server;
        QVERIFY(!server.start(QHostAddress::LocalHost, 0));
        std::vector<std::unique_ptr<QWebSocket>> pages(FeedServer::maxClients + 1);
        for (auto& page : pages)
            (page = std::make_unique<QWebSocket>())
                ->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(server.port())));
        QTRY_COMPARE(server.clientCount(), FeedServer::maxClients);
        pages.clear();
        QTRY_COMPARE(server.clientCount(), 0);

        // A page that reads nothing: its socket's buffers fill, then its unsent data.
        QTcpSocket stalled;
        stalled.setReadBufferSize(1);
        stalled.connectToHost(QHostAddress::LocalHost, server.port());
        stalled.write(
            "GET / HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QTRY_COMPARE(server.clientCount(), 1);
        for (int i = 0; i < 2000 && server.clientCount() == 1; ++i) {
            server.publish(QByteArray(64 * 1024, char('a' + i % 26)));
            QCoreApplication::processEvents();
        }
        QCOMPARE(server.clientCount(), 0);
    }

    void cannotStart_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("port in use") << "Port=%1" << QStringList{"port %1:", "in use"};
        QTest::newRow("address not here")
            << "Port=%1\nAddress=192.0.2.1" << QStringList{"address 192.0.2.1,", "not available"};
        QTest::newRow("no port") << "Port=70000" << QStringList{"port 70000:", "65535"};
        QTest::newRow("off") << "Port=0" << QStringList{};
    }
    void cannotStart()
    {
        QFETCH(QString, feed);
        QFETCH(QStringList, told);
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        const QString port = QString::number(taken.serverPort());
        PanelFixture store("[Feed]\n" + feed.replace("%1", port).toLatin1() + "\n");
        ScriptedDialogs dialogs;
        frmScoreboard home(frmScoreboard::Team::Home);
        QCoreApplication::sendPostedEvents(&home, QEvent::MetaCall); // where the feed starts
        QCOMPARE(dialogs.messages.size(), told.isEmpty() ? 0 : 1);
        for (const QString& part : told)
            QVERIFY2(dialogs.messages[0].text.contains(QString(part).replace("%1", port)),
                     qPrintable(dialogs.messages[0].text));
        delete home.partner();

        // The options dialog's OK saves the record and keeps the feed's keys.
        PanelSettings::saveAll();
        QCOMPARE(SettingsStore(PanelSettings::applicationName()).read("Feed", "Port", ""),
                 feed.section(u'\n', 0, 0).mid(5));
    }
};

QTEST_MAIN(TestFeed)
#include "test_feed.moc"
