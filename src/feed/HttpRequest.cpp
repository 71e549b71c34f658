#include "feed/HttpRequest.h"

#include <QByteArrayList>

namespace {

constexpr QByteArrayView crlf("\r\n");

bool isTokenChar(char c)
{
    static constexpr QByteArrayView others("!#$%&'*+-.^_`|~");
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           others.contains(c);
}

bool isToken(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

// Field values: visible characters, blanks, tabs and bytes of other encodings;
// no NUL, CR, LF or other control character.
bool isValueChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u == '\t' || (u >= 0x20 && u != 0x7F);
}

bool isDigits(QByteArrayView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// host [":" port], the host a name, an IPv4 address or a bracketed IPv6 one.
bool isHostField(QByteArrayView host)
{
    qsizetype portAt = host.lastIndexOf(':');
    if (host.startsWith('[')) {
        const qsizetype close = host.indexOf(']');
        if (close < 2)
            return false;
        const QByteArrayView literal = host.sliced(1, close - 1);
        if (!std::all_of(literal.begin(), literal.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
            }))
            return false;
        portAt = close + 1 < host.size() ? close + 1 : -1;
        if (portAt > 0 && host[portAt] != ':')
            return false;
    } else {
        const QByteArrayView name = portAt < 0 ? host : host.first(portAt);
        if (name.isEmpty() || !std::all_of(name.begin(), name.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' ||
                       c == '_' || c == '~';
            }))
            return false;
    }
    return portAt < 0 || (host.size() - portAt - 1 <= 5 && isDigits(host.sliced(portAt + 1)));
}

} // namespace

std::optional<qsizetype> HttpRequest::headEnd(QByteArrayView bytes, qsizetype from)
{
    const qsizetype at = bytes.indexOf("\r\n\r\n", std::max<qsizetype>(0, from - 3));
    if (at < 0)
        return std::nullopt;
    return at + 4;
}

HttpRequest HttpRequest::parse(QByteArrayView head)
{
    HttpRequest request;
    if (head.size() > maxHeadBytes) {
        request.m_status = 431;
        return request;
    }
    if (head.endsWith("\r\n\r\n"))
        head.chop(4);
    qsizetype lineEnd = head.indexOf(crlf);
    if (!request.readRequestLine(lineEnd < 0 ? head : head.first(lineEnd)))
        return request;
    while (lineEnd >= 0) {
        const qsizetype start = lineEnd + 2;
        lineEnd = head.indexOf(crlf, start);
        const QByteArrayView line =
            lineEnd < 0 ? head.sliced(start) : head.sliced(start, lineEnd - start);
        if (!request.readField(line))
            return request;
    }
    request.checkFraming();
    return request;
}

bool HttpRequest::readRequestLine(QByteArrayView line)
{
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0 || line.indexOf(' ', second + 1) >= 0) {
        m_status = 400;
        return false;
    }
    const QByteArrayView method = line.first(first);
    const QByteArrayView target = line.sliced(first + 1, second - first - 1);
    const QByteArrayView version = line.sliced(second + 1);
    const bool visible = std::all_of(target.begin(), target.end(), [](char c) {
        return static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!isToken(method) || target.isEmpty() || !visible ||
        !(target.startsWith('/') || target == "*") || !version.startsWith("HTTP/"))
        m_status = 400;
    else if (target.size() > maxTargetBytes)
        m_status = 414;
    else if (version == "HTTP/1.1" || version == "HTTP/1.0")
        m_http10 = version == "HTTP/1.0";
    else
        m_status = version.size() == 8 && std::isdigit(static_cast<unsigned char>(version[5])) &&
                           version[6] == '.' && std::isdigit(static_cast<unsigned char>(version[7]))
                       ? 505
                       : 400;
    m_method = method.toByteArray();
    m_target = target.toByteArray();
    return m_status == 0;
}

bool HttpRequest::readField(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    // No folded lines, no blank before the colon, nothing a value may not hold.
    if (colon <= 0 || !isToken(line.first(colon)) ||
        !std::all_of(line.begin() + colon + 1, line.end(), isValueChar)) {
        m_status = 400;
        return false;
    }
    if (m_fields.size() == maxFields) {
        m_status = 431;
        return false;
    }
    m_fields.append({line.first(colon).toByteArray().toLower(),
                     trimmedBlanks(line.sliced(colon + 1)).toByteArray()});
    return true;
}

// An unclear frame is a bad request. No body is taken: one announced by its
// length is too large, one in a transfer coding is not implemented.
void HttpRequest::checkFraming()
{
    const std::optional<QByteArray> length = field("content-length");
    const std::optional<QByteArray> host = field("host");
    const bool coded = field("transfer-encoding").has_value();
    if (count("host") != 1 || !isHostField(*host) || (coded && length) ||
        (length && (count("content-length") > 1 || !isDigits(*length) || length->size() > 18)))
        m_status = 400;
    else if (coded)
        m_bodyStatus = 501;
    else if (length && length->toLongLong() > 0)
        m_bodyStatus = 413;
}

int HttpRequest::count(QByteArrayView name) const
{
    return int(std::count_if(m_fields.cbegin(), m_fields.cend(),
                             [&](const auto& f) { return f.first == name; }));
}

std::optional<QByteArray> HttpRequest::field(QByteArrayView name) const
{
    for (const auto& [fieldName, value] : m_fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

bool HttpRequest::lists(QByteArrayView name, QByteArrayView token) const
{
    for (const auto& [fieldName, value] : m_fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray& item : value.split(','))
            if (trimmedBlanks(item).compare(token, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

bool HttpRequest::closes() const
{
    return m_http10 || lists("connection", "close");
}

QByteArray HttpRequest::path() const
{
    const qsizetype query = m_target.indexOf('?');
    return query < 0 ? m_target : m_target.first(query);
}
