// Many subscribers of the scoreboards' topic on one MQTT broker, in one
// process. Each message carries the state; for every home player name of the
// form p<N> that all subscribers have received, it prints "p<N> <time>", the
// time (ms since the epoch) at which the last of them got it.
//
//   broker_subscribers <port> <subscribers> <topic>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mosquitto.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

struct Arrivals
{
    int subscribers = 0;
    std::map<std::string, int> seen; // name to the subscribers that got it
};

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void received(mosquitto*, void* data, const mosquitto_message* message)
{
    auto* arrivals = static_cast<Arrivals*>(data);
    const std::string state(static_cast<const char*>(message->payload), message->payloadlen);
    const std::size_t at = state.find("\"name\":\"p");
    if (at == std::string::npos)
        return;
    const std::string name = state.substr(at + 8, state.find('"', at + 8) - at - 8);
    if (++arrivals->seen[name] == arrivals->subscribers) {
        std::printf("%s %lld\n", name.c_str(), nowMs());
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const int port = std::atoi(argv[1]);
    Arrivals arrivals;
    arrivals.subscribers = std::atoi(argv[2]);
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = std::max<rlim_t>(files.rlim_cur, std::min<rlim_t>(files.rlim_max, 65536));
    setrlimit(RLIMIT_NOFILE, &files);

    mosquitto_lib_init();
    std::vector<mosquitto*> clients;
    for (int i = 0; i < arrivals.subscribers; ++i) {
        mosquitto* client = mosquitto_new(nullptr, true, &arrivals);
        mosquitto_message_callback_set(client, received);
        if (mosquitto_connect(client, "127.0.0.1", port, 60) != MOSQ_ERR_SUCCESS ||
            mosquitto_subscribe(client, nullptr, argv[3], 0) != MOSQ_ERR_SUCCESS) {
            std::fprintf(stderr, "subscriber %d cannot connect\n", i);
            return 1;
        }
        clients.push_back(client);
    }
    std::fprintf(stderr, "%d subscribers connected\n", arrivals.subscribers);
    auto misc = std::chrono::steady_clock::now();
    for (;;) {
        std::vector<pollfd> sockets;
        for (mosquitto* c : clients)
            sockets.push_back({mosquitto_socket(c),
                               short(POLLIN | (mosquitto_want_write(c) ? POLLOUT : 0)), 0});
        poll(sockets.data(), sockets.size(), 1000);
        for (std::size_t i = 0; i < clients.size(); ++i) {
            if (sockets[i].revents & POLLIN)
                mosquitto_loop_read(clients[i], 1);
            if (sockets[i].revents & POLLOUT)
                mosquitto_loop_write(clients[i], 1);
        }
        if (std::chrono::steady_clock::now() - misc > std::chrono::seconds(1)) {
            misc = std::chrono::steady_clock::now();
            for (mosquitto* c : clients)
                mosquitto_loop_misc(c);
        }
    }
}
