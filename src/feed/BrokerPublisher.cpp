#include "feed/BrokerPublisher.h"

#include <QCoreApplication>
#include <mosquitto.h>
#include <pthread.h>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("BrokerPublisher", text);
}
} // namespace

const QByteArray BrokerPublisher::offlineState = QByteArrayLiteral(R"({"online":false})");

BrokerPublisher::BrokerPublisher(const FeedSettings& settings)
    : m_settings(settings), m_topic(settings.topic.toUtf8())
{
    static const int initialised = mosquitto_lib_init();
    Q_UNUSED(initialised);
}

BrokerPublisher::~BrokerPublisher()
{
    if (!m_client)
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        if (m_connected)
            send(offlineState);
        mosquitto_disconnect(m_client);
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    mosquitto_destroy(m_client);
}

std::optional<QString> BrokerPublisher::start()
{
    m_client = mosquitto_new(nullptr, true, this);
    if (!m_client)
        return tr("the MQTT client cannot be made");
    mosquitto_threaded_set(m_client, true);
    mosquitto_connect_callback_set(m_client, &BrokerPublisher::connected);
    mosquitto_disconnect_callback_set(m_client, &BrokerPublisher::disconnected);
    if (!m_settings.user.isEmpty())
        mosquitto_username_pw_set(
            m_client, m_settings.user.toUtf8().constData(),
            m_settings.password.isEmpty() ? nullptr : m_settings.password.toUtf8().constData());
    if (m_settings.tls) {
        const QByteArray caFile = m_settings.caFile.toLocal8Bit();
        const int result = caFile.isEmpty() ? mosquitto_tls_set(m_client, nullptr, "/etc/ssl/certs",
                                                                nullptr, nullptr, nullptr)
                                            : mosquitto_tls_set(m_client, caFile.constData(),
                                                                nullptr, nullptr, nullptr, nullptr);
        if (result != MOSQ_ERR_SUCCESS)
            return tr("the authority to trust for TLS cannot be read (%1)")
                .arg(QString::fromUtf8(mosquitto_strerror(result)));
    }
    mosquitto_will_set(m_client, m_topic.constData(), int(offlineState.size()),
                       offlineState.constData(), 1, true);
    m_thread = std::thread(&BrokerPublisher::run, this);
    return std::nullopt;
}

void BrokerPublisher::publish(const QByteArray& state)
{
    const std::lock_guard lock(m_mutex);
    m_state = state;
    if (m_connected)
        send(state);
}

void BrokerPublisher::send(const QByteArray& payload)
{
    mosquitto_publish(m_client, nullptr, m_topic.constData(), int(payload.size()),
                      payload.constData(), 0, true);
}

// The network thread: connect, serve the connection until it ends, wait, again.
void BrokerPublisher::run()
{
    pthread_setname_np(pthread_self(), "feed broker");
    const QByteArray host = m_settings.brokerHost.toUtf8();
    int retrySeconds = firstRetrySeconds;
    for (bool first = true; !m_stopping; first = false) {
        const int result = first ? mosquitto_connect_async(m_client, host.constData(),
                                                           m_settings.brokerPort, keepAliveSeconds)
                                 : mosquitto_reconnect_async(m_client);
        if (result == MOSQ_ERR_SUCCESS) {
            // A publish or the stop wakes the loop at once; it waits out only the
            // keep-alive's pings.
            while (!m_stopping &&
                   mosquitto_loop(m_client, keepAliveSeconds * 1000 / 3, 1) == MOSQ_ERR_SUCCESS) {
                if (m_connected)
                    retrySeconds = firstRetrySeconds;
            }
        }
        m_connected = false;
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, std::chrono::seconds(retrySeconds),
                        [this] { return bool(m_stopping); });
        retrySeconds = nextRetrySeconds(retrySeconds);
    }
    // A normal close: the offline state and the disconnection go out first.
    for (int i = 0; i < 10 && mosquitto_want_write(m_client); ++i)
        mosquitto_loop(m_client, 100, 1);
}

void BrokerPublisher::connected(mosquitto*, void* self, int result)
{
    auto* publisher = static_cast<BrokerPublisher*>(self);
    if (result != 0)
        return;
    const std::lock_guard lock(publisher->m_mutex);
    publisher->m_connected = true;
    if (!publisher->m_state.isEmpty())
        publisher->send(publisher->m_state);
}

void BrokerPublisher::disconnected(mosquitto*, void* self, int)
{
    static_cast<BrokerPublisher*>(self)->m_connected = false;
}
