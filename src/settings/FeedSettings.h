#pragma once

#include <QString>
#include <QStringList>

// The [Feed] section of the settings file: the built-in web page and the MQTT
// broker, each off unless the file turns it on. The options dialog neither
// shows nor writes it.
struct FeedSettings
{
    static constexpr quint16 defaultBrokerPort = 1883;
    static constexpr quint16 defaultBrokerTlsPort = 8883;

    // Port=1..65535 serves the page; Address is where it listens.
    QString portText;
    quint16 port = 0;
    QString address = QStringLiteral("127.0.0.1");

    // Broker=HOST[:PORT] publishes the state there, under Topic.
    QString brokerText;
    QString brokerHost;
    quint16 brokerPort = defaultBrokerPort;
    QString topic = QStringLiteral("tallyvane/scoreboard");
    QString user;
    QString password;
    bool tls = false; // BrokerTls=1
    QString caFile;   // BrokerCaFile: the only authority trusted, instead of the system's

    // What makes each unusable, in words; empty when it can start.
    QString pageProblem;
    QString brokerProblem;

    bool pageOn() const;
    bool brokerOn() const { return !brokerText.isEmpty(); }

    // `value(key)` is the section's text for a key, empty when it is absent.
    template <typename Lookup> static FeedSettings parse(Lookup value);
    // From the per-user settings file.
    static FeedSettings load();

private:
    void readPage(const QString& portValue, const QString& addressValue);
    void readBroker(const QString& broker, const QString& topicValue, const QString& tlsValue);
};

template <typename Lookup> FeedSettings FeedSettings::parse(Lookup value)
{
    FeedSettings s;
    s.readPage(value(QStringLiteral("Port")), value(QStringLiteral("Address")));
    s.user = value(QStringLiteral("User"));
    s.password = value(QStringLiteral("Password"));
    s.caFile = value(QStringLiteral("BrokerCaFile"));
    s.readBroker(value(QStringLiteral("Broker")), value(QStringLiteral("Topic")),
                 value(QStringLiteral("BrokerTls")));
    return s;
}
