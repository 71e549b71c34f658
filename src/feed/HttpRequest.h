#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

// The head of one HTTP/1.x request (RFC 9112), read strictly: the feed serves
// GET and HEAD without bodies, so anything else a client sends is refused with
// its status before the request reaches a route.
class HttpRequest
{
public:
    // Longer heads are refused (431), as are longer targets (414) and more fields.
    static constexpr qsizetype maxHeadBytes = 16 * 1024;
    static constexpr qsizetype maxTargetBytes = 2048;
    static constexpr int maxFields = 100;

    // Where the head ends in `bytes` (just after its empty line), or nothing
    // while it is incomplete. `from` is how far an earlier call has looked.
    static std::optional<qsizetype> headEnd(QByteArrayView bytes, qsizetype from = 0);

    // Reads a complete head. On a malformed one, status() is the status to
    // answer with (400, 414, 431, 505) and the fields are not to be trusted.
    static HttpRequest parse(QByteArrayView head);

    int status() const { return m_status; } // 0: a well-formed request
    // A body is announced: its status (413 Content Too Large, 501 for a
    // transfer coding), as no body is taken; 0 without one.
    int bodyStatus() const { return m_bodyStatus; }
    const QByteArray& method() const { return m_method; }
    const QByteArray& target() const { return m_target; }
    QByteArray path() const; // the target without its query
    bool isHttp10() const { return m_http10; }

    // The field's value, blanks around it dropped; nothing when it is absent.
    std::optional<QByteArray> field(QByteArrayView name) const;
    // Whether a comma-separated field (Connection, Upgrade) lists `token`.
    bool lists(QByteArrayView name, QByteArrayView token) const;
    // Whether the client wants the connection closed after the answer.
    bool closes() const;

private:
    bool readRequestLine(QByteArrayView line);
    bool readField(QByteArrayView line);
    void checkFraming();
    int count(QByteArrayView name) const;

    int m_status = 0;
    int m_bodyStatus = 0;
    QByteArray m_method;
    QByteArray m_target;
    bool m_http10 = false;
    QList<std::pair<QByteArray, QByteArray>> m_fields;
};
