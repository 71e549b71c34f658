#pragma once

#include "feed/HttpRequest.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QTcpSocket;
struct FeedLimits;

// What the server answers a well-formed request with.
struct FeedAnswer
{
    int status = 200;
    QByteArray type;
    QByteArray body;
    QList<std::pair<QByteArray, QByteArray>> headers;
    bool close = false;
    bool upgrade = false; // hand the connection over as a WebSocket page
};

// One HTTP connection: reads request heads strictly and one at a time, and
// reads no further while an answer is unread, so a client holds at most one
// head and one answer in memory whatever it sends; a head that takes longer
// than the time limit to arrive, or an answer that long to be read, ends it.
class FeedConnection : public QObject
{
    Q_OBJECT

public:
    using Router = std::function<FeedAnswer(const HttpRequest&)>;

    FeedConnection(QTcpSocket* socket, const FeedLimits& limits, Router router, QObject* parent);

    qint64 bufferedBytes() const { return m_head.size(); }

signals:
    // The socket, with its request still unread, is the pages' now.
    void upgradeRequested(QTcpSocket* socket);

private:
    void readHeads();
    void answer(const FeedAnswer& answer, bool headOnly);
    void refuse(int status);
    void timedOut();

    QTcpSocket* m_socket;
    const FeedLimits& m_limits;
    Router m_router;
    QByteArray m_head;
    qsizetype m_scanned = 0;
    bool m_inTransaction = false;
    bool m_closing = false;
    QTimer m_deadline;
};
