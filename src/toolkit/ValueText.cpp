#include "toolkit/ValueText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ValueText {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Walks the text skipping blanks, as the conversion sees it.
class Cursor
{
public:
    explicit Cursor(QStringView text) : m_text(text) { skipBlanks(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    void next()
    {
        ++m_pos;
        skipBlanks();
    }
    bool take(char16_t c)
    {
        if (peek().toUpper() != QChar(c))
            return false;
        next();
        return true;
    }

private:
    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
    }
    QStringView m_text;
    qsizetype m_pos = 0;
};

int digitValue(QChar c, int radix)
{
    const int d = c.isDigit() ? c.digitValue() : (c.toUpper().unicode() - u'A' + 10);
    return (d >= 0 && d < radix && (c.isDigit() || radix == 16)) ? d : -1;
}

double radixNumber(Cursor& in, int radix)
{
    quint64 value = 0;
    int digits = 0;
    for (int d; !in.atEnd() && (d = digitValue(in.peek(), radix)) >= 0; in.next()) {
        if (value <= (std::numeric_limits<quint64>::max() >> 4))
            value = value * radix + d;
        ++digits;
    }
    // Like the classic conversion, values that fill a 16-bit or 32-bit word
    // read as negative two's-complement numbers.
    if (value <= 0xFFFF && value > 0x7FFF && (radix == 16 ? digits <= 4 : digits <= 6))
        return static_cast<double>(value) - 65536.0;
    if (value <= 0xFFFFFFFFu && value > 0x7FFFFFFFu)
        return static_cast<double>(value) - 4294967296.0;
    return static_cast<double>(value);
}

double decimalNumber(Cursor& in)
{
    QString text;
    if (in.peek() == u'+' || in.peek() == u'-') {
        text += in.peek();
        in.next();
    }
    bool digits = false;
    for (; in.peek().isDigit() && in.peek().unicode() < 128; in.next(), digits = true)
        text += in.peek();
    if (in.peek() == u'.') {
        text += u'.';
        in.next();
        for (; in.peek().isDigit() && in.peek().unicode() < 128; in.next(), digits = true)
            text += in.peek();
    }
    if (!digits)
        return 0.0;
    if (in.take(u'E') || in.take(u'D')) {
        QString exponent;
        if (in.peek() == u'+' || in.peek() == u'-') {
            exponent += in.peek();
            in.next();
        }
        for (; in.peek().isDigit() && in.peek().unicode() < 128 && exponent.size() < 8; in.next())
            exponent += in.peek();
        if (exponent.size() > 0 && exponent.back().isDigit())
            text += u'e' + exponent;
    }
    const double value = text.toDouble();
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

double textToNumber(QStringView text)
{
    Cursor in(text);
    if (in.peek() == u'&') {
        in.next();
        if (in.take(u'H'))
            return radixNumber(in, 16);
        if (in.take(u'O'))
            return radixNumber(in, 8);
        return 0.0;
    }
    return decimalNumber(in);
}

qint16 floorToInt16(double value)
{
    if (std::isnan(value))
        return 0;
    const double floored = std::floor(value);
    return static_cast<qint16>(std::clamp(floored, -32768.0, 32767.0));
}

std::optional<bool> toBoolean(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0.0;
}

} // namespace ValueText
