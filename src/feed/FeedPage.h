#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QTcpSocket;
class QWebSocket;
struct FeedLimits;

// One page connected over a WebSocket. It gets the newest state only: while
// an earlier one is still unread the new one waits, replacing any other
// waiting, so a page that reads slowly costs one state, never a queue.
class FeedPage : public QObject
{
    Q_OBJECT

public:
    FeedPage(QWebSocket* socket, QTcpSocket* connection, const FeedLimits& limits, QObject* parent);
    ~FeedPage() override;

    void send(const QByteArray& state);
    // One tick of the liveness check: false once the page has left two pings
    // in a row unanswered; otherwise it pings again.
    bool stillAnswers();
    // Unanswered for a second or more: a page that does not read.
    bool stalled() const;
    qint64 bufferedBytes() const { return m_waiting.size(); }

signals:
    void gone(FeedPage* page);

private:
    void flush();
    void checkUnread();

    QWebSocket* m_socket;
    QPointer<QTcpSocket> m_connection;
    const FeedLimits& m_limits;
    QByteArray m_waiting;
    int m_unanswered = 0;
    QElapsedTimer m_firstUnanswered;
};
