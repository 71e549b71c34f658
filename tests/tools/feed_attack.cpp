// A hostile client of the live feed, from one address: it keeps up to
// <connections> connections open (opening new ones as the feed closes them),
// each doing one of the things a client on a hall's network can do to a
// server, and never reading an answer:
//   slow       a request head sent one byte every 3 s
//   pipeline   requests sent without end
//   pings      a page that upgrades, then sends WebSocket pings without end
//   idle page  a page that upgrades and sits there
//   malformed  oversized, broken and body-announcing requests
//   endless    a Content-Length larger than what arrives
//
//   feed_attack <port> <seconds> [connections] [source address]
#ifndef _GNU_SOURCE
#define _GNU_SOURCE // POLLRDHUP
#endif
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum Kind { Slow, Pipeline, Pings, IdlePage, Malformed, Endless, Kinds };

struct Connection
{
    int fd = -1;
    Kind kind = Slow;
    std::string pending; // what is still to be sent
    Clock::time_point next;
};

const std::string host = "Host: 127.0.0.1\r\n";
const std::string upgrade = "GET /live HTTP/1.1\r\n" + host +
                            "Origin: http://127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                            "Sec-WebSocket-Version: 13\r\n\r\n";

std::string opening(Kind kind, int n)
{
    switch (kind) {
    case Slow: return "GET / HTTP/1.1\r\n" + host + "X-Slow: " + std::string(100, 's');
    case Pipeline: return "";
    case Pings:
    case IdlePage: return upgrade;
    case Malformed:
        switch (n % 4) {
        case 0: return "GET / HTTP/1.1\r\nX: " + std::string(20000, 'x') + "\r\n\r\n";
        case 1: return "GET / HTTP/3.0\r\n" + host + "\r\n";
        case 2: return "GET / HTTP/1.1\r\n" + host + "Content-Length: 18446744073709551616\r\n\r\n";
        default: return "GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n";
        }
    case Endless: return "GET / HTTP/1.1\r\n" + host + "Content-Length: 100000\r\n\r\nabc";
    case Kinds: break;
    }
    return "";
}

// What a connection of this kind sends once its opening is out.
std::string more(Kind kind)
{
    static const std::string requests = [] {
        std::string r;
        for (int i = 0; i < 100; ++i)
            r += "GET /state.json HTTP/1.1\r\n" + host + "\r\n";
        return r;
    }();
    static const std::string pings = [] {
        std::string p;
        for (int i = 0; i < 1000; ++i)
            p += std::string("\x89\x80\x01\x02\x03\x04", 6); // masked, empty
        return p;
    }();
    return kind == Pipeline ? requests : kind == Pings ? pings : "";
}

int open(const sockaddr_in& to, const char* from)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    const int small = 4096; // never reads: keep its own buffers small
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    if (from) {
        sockaddr_in source{};
        source.sin_family = AF_INET;
        inet_pton(AF_INET, from, &source.sin_addr);
        bind(fd, reinterpret_cast<const sockaddr*>(&source), sizeof source);
    }
    connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <port> <seconds> [connections] [source address]\n", argv[0]);
        return 2;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(std::atoi(argv[1]));
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    const auto end = Clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    const int count = argc > 3 ? std::atoi(argv[3]) : 200;
    const char* from = argc > 4 ? argv[4] : nullptr;

    std::vector<Connection> pool(count);
    long opened = 0, closed = 0;
    while (Clock::now() < end) {
        std::vector<pollfd> watched;
        for (std::size_t i = 0; i < pool.size(); ++i) {
            Connection& c = pool[i];
            if (c.fd < 0) {
                c.kind = Kind(i % Kinds);
                c.fd = open(to, from);
                c.pending = opening(c.kind, int(opened));
                c.next = Clock::now();
                ++opened;
            }
            // Only what is due to be sent is waited for; the feed closing is always.
            const bool due = !c.pending.empty() || !more(c.kind).empty();
            const bool wanted = due && (c.kind != Slow || Clock::now() >= c.next);
            watched.push_back({c.fd, short(POLLRDHUP | (wanted ? POLLOUT : 0)), 0});
        }
        poll(watched.data(), watched.size(), 20);
        const auto now = Clock::now();
        for (std::size_t i = 0; i < pool.size(); ++i) {
            Connection& c = pool[i];
            if (watched[i].revents & (POLLERR | POLLHUP | POLLNVAL | POLLRDHUP)) {
                close(c.fd);
                c.fd = -1;
                ++closed;
                continue;
            }
            if (!(watched[i].revents & POLLOUT) || now < c.next)
                continue;
            if (c.pending.empty())
                c.pending = more(c.kind);
            const std::size_t chunk = c.kind == Slow ? 1 : c.pending.size();
            const ssize_t sent = send(c.fd, c.pending.data(), chunk, MSG_NOSIGNAL);
            if (sent > 0)
                c.pending.erase(0, std::size_t(sent));
            if (c.kind == Slow)
                c.next = now + std::chrono::seconds(3);
        }
    }
    std::printf("connections opened %ld, closed by the feed %ld\n", opened, closed);
    return 0;
}
