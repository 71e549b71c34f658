#include "settings/FeedSettings.h"

#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <optional>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FeedSettings", text);
}

// A port number from 1 to 65535, or nothing.
std::optional<quint16> portNumber(const QString& text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535 || text.startsWith(u'+'))
        return std::nullopt;
    return quint16(port);
}

} // namespace

FeedSettings FeedSettings::load()
{
    const SettingsStore store(PanelSettings::applicationName());
    return parse([&](const QString& key) {
        return store.read(QStringLiteral("Feed"), key, QString()).trimmed();
    });
}

bool FeedSettings::pageOn() const
{
    bool number = false;
    return !portText.isEmpty() && !(portText.toInt(&number) == 0 && number);
}

void FeedSettings::readPage(const QString& portValue, const QString& addressValue)
{
    portText = portValue.trimmed();
    if (!addressValue.trimmed().isEmpty())
        address = addressValue.trimmed();
    if (!pageOn())
        return;
    if (const auto number = portNumber(portText))
        port = *number;
    else
        pageProblem = tr("the port is not a number from 1 to 65535");
}

void FeedSettings::readBroker(const QString& broker, const QString& topicValue,
                              const QString& tlsValue)
{
    brokerText = broker.trimmed();
    tls = tlsValue.trimmed() == QLatin1String("1");
    brokerPort = tls ? defaultBrokerTlsPort : defaultBrokerPort;
    if (!topicValue.trimmed().isEmpty())
        topic = topicValue.trimmed();
    if (!brokerOn())
        return;
    // HOST, HOST:PORT, [IPv6] or [IPv6]:PORT; a bare IPv6 address has no port.
    QString portPart;
    if (brokerText.startsWith(u'[')) {
        const qsizetype close = brokerText.indexOf(u']');
        brokerHost = brokerText.mid(1, close - 1);
        if (close < 0 || (close + 1 < brokerText.size() && brokerText[close + 1] != u':'))
            brokerHost.clear();
        portPart = close < 0 ? QString() : brokerText.mid(close + 2);
    } else if (brokerText.count(u':') == 1) {
        brokerHost = brokerText.section(u':', 0, 0);
        portPart = brokerText.section(u':', 1);
    } else {
        brokerHost = brokerText;
    }
    const auto number = portPart.isEmpty() ? std::optional(brokerPort) : portNumber(portPart);
    if (brokerHost.isEmpty() || brokerHost.contains(u' '))
        brokerProblem = tr("the broker is not a host name or address");
    else if (!number)
        brokerProblem = tr("the broker's port is not a number from 1 to 65535");
    else if (topic.contains(u'+') || topic.contains(u'#') || topic.contains(QChar(0)))
        brokerProblem = tr("the topic may not hold + or #");
    brokerPort = number.value_or(brokerPort);
}
