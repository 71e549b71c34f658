// Prints N ports (default 1) that the system has just given out as free on
// 127.0.0.1, for end-to-end scenarios that must start servers on free ports.
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1;
    std::vector<int> sockets;
    for (int i = 0; i < count; ++i) {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return 1;
        std::printf("%d\n", ntohs(address.sin_port));
        sockets.push_back(s); // held until all are printed, so they differ
    }
    for (int s : sockets)
        close(s);
    return 0;
}
