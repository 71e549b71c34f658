// A hostile client of the live feed, from one address: it keeps up to
// <connections> connections open (opening new ones as the feed closes them),
// each doing one of the things a client on a hall's network can do to a
// server, and never reading an answer:
//   slow       a request head sent one byte every 3 s
//   pipeline   requests sent without end
//   pings      a page that upgrades, then sends WebSocket pings without end
//   idle page  a page that upgrades and sits there
//   malformed  oversized, broken, misdirected and body-announcing requests
//
//   feed_attack <port> <seconds> [connections] [source address]
#ifndef _GNU_SOURCE
#define _GNU_SOURCE // POLLRDHUP
#endif
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
enum Kind { Slow, Pipeline, Pings, IdlePage, Malformed, Kinds };

struct Connection
{
    int fd = -1;
    Kind kind = Slow;
    std::string pending; // what is still to be sent
    Clock::time_point next;
};

const std::string get = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
const std::string malformed[] = {
    "GET / HTTP/1.1\r\nX: " + std::string(20000, 'x') + "\r\n\r\n", "GET / HTTP/3.0\r\n\r\n",
    get + "Content-Length: 18446744073709551616\r\n\r\n", get + "Content-Length: 99999\r\n\r\nab",
    "GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n"};

std::string repeated(const std::string& part, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += part;
    return all;
}

// What a connection sends first, and what it sends again whenever that is out.
std::string opening(Kind kind, long n)
{
    if (kind == Pings || kind == IdlePage)
        return "GET /live HTTP/1.1\r\nHost: 127.0.0.1\r\nOrigin: http://127.0.0.1\r\n"
               "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n";
    return kind == Slow        ? get + "X-Slow: " + std::string(100, 's')
           : kind == Malformed ? malformed[n % 5]
                               : "";
}
std::string more(Kind kind)
{
    static const std::string requests = repeated(get + "\r\n", 100);
    static const std::string pings = repeated(std::string("\x89\x80\x01\x02\x03\x04", 6), 1000);
    return kind == Pipeline ? requests : kind == Pings ? pings : "";
}

int open(const sockaddr_in& to, const char* from)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const int small = 4096; // it never reads: its own buffers stay small
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in source{};
    source.sin_family = AF_INET;
    if (from && inet_pton(AF_INET, from, &source.sin_addr) == 1)
        bind(fd, reinterpret_cast<const sockaddr*>(&source), sizeof source);
    connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <port> <seconds> [connections] [source address]\n",
                     argv[0]);
        return 2;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(std::atoi(argv[1]));
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    const auto end = Clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    std::vector<Connection> pool(argc > 3 ? std::atoi(argv[3]) : 200);
    long opened = 0, closed = 0;
    while (Clock::now() < end) {
        std::vector<pollfd> watched;
        for (std::size_t i = 0; i < pool.size(); ++i) {
            Connection& c = pool[i];
            if (c.fd < 0) {
                c = {open(to, argc > 4 ? argv[4] : nullptr), Kind(i % Kinds), {}, Clock::now()};
                c.pending = opening(c.kind, opened++);
            }
            // Only what is due is waited for; the feed closing always is.
            const bool due =
                (!c.pending.empty() || !more(c.kind).empty()) && Clock::now() >= c.next;
            watched.push_back({c.fd, short(POLLRDHUP | (due ? POLLOUT : 0)), 0});
        }
        poll(watched.data(), watched.size(), 20);
        for (std::size_t i = 0; i < pool.size(); ++i) {
            Connection& c = pool[i];
            if (watched[i].revents & (POLLERR | POLLHUP | POLLNVAL | POLLRDHUP)) {
                close(c.fd);
                c.fd = -1;
                ++closed;
            } else if (watched[i].revents & POLLOUT) {
                if (c.pending.empty())
                    c.pending = more(c.kind);
                const ssize_t sent = send(c.fd, c.pending.data(),
                                          c.kind == Slow ? 1 : c.pending.size(), MSG_NOSIGNAL);
                c.pending.erase(0, sent > 0 ? std::size_t(sent) : 0);
                if (c.kind == Slow)
                    c.next = Clock::now() + std::chrono::seconds(3);
            }
        }
    }
    std::printf("connections opened %ld, closed by the feed %ld\n", opened, closed);
    return 0;
}
