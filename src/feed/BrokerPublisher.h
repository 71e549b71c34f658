#pragma once

#include "settings/FeedSettings.h"

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

struct mosquitto;

// Publishes the state to an MQTT broker, retained, from a network thread of
// its own: a broker that is slow, down at start or gone during the game costs
// the caller nothing. The connection comes back by itself, waiting 1, 2, 4 ...
// up to 30 seconds between attempts, and the newest state is published again
// on every connection. The last will, and the last message on a normal close,
// is the offline state.
class BrokerPublisher
{
public:
    static constexpr int keepAliveSeconds = 30;
    static constexpr int firstRetrySeconds = 1;
    static constexpr int maxRetrySeconds = 30;
    static constexpr int nextRetrySeconds(int seconds)
    {
        return std::min(seconds * 2, maxRetrySeconds);
    }
    static const QByteArray offlineState;

    explicit BrokerPublisher(const FeedSettings& settings);
    ~BrokerPublisher();

    // What keeps it from starting (the TLS authority cannot be read, ...), in words.
    std::optional<QString> start();
    // Called from any thread; only the newest state matters.
    void publish(const QByteArray& state);

private:
    void run();
    void send(const QByteArray& payload);
    static void connected(mosquitto*, void* self, int result);
    static void disconnected(mosquitto*, void* self, int result);

    FeedSettings m_settings;
    QByteArray m_topic;
    mosquitto* m_client = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    QByteArray m_state; // guarded by m_mutex
    std::atomic<bool> m_connected = false;
    std::atomic<bool> m_stopping = false;
};
