#pragma once

#include <QtGlobal>

// What the feed lets any client on the network hold; the README states these.
struct FeedLimits
{
    int maxConnections = 256;          // of every kind, well below a desktop's 1,024 files
    int maxConnectionsPerAddress = 32; // one computer cannot take them all
    int maxPages = 64;                 // WebSocket pages at a time
    int requestTimeoutMs = 10'000;     // to send a whole request head, and to read an answer
    int pingIntervalMs = 5'000;        // a page that misses two pongs in a row is dropped
    qint64 maxUnsent = 64 * 1024;      // bytes a page may leave unread before it is dropped
};
