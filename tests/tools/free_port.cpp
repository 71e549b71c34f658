// Prints N ports (default 1) that the system has just given out as free on
// 127.0.0.1, for end-to-end scenarios that must start servers on free ports.
#include <QTcpServer>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::unique_ptr<QTcpServer>> held; // until all are printed, so they differ
    for (int i = 0; i < (argc > 1 ? std::atoi(argv[1]) : 1); ++i) {
        held.push_back(std::make_unique<QTcpServer>());
        if (!held.back()->listen(QHostAddress::LocalHost, 0))
            return 1;
        std::printf("%d\n", held.back()->serverPort());
    }
    return 0;
}
