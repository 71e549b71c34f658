#include "rtf/Tokenizer.h"

#include <algorithm>
#include <limits>

namespace Rtf {
namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token make(Token::Kind kind, int value = 0, QByteArrayView bytes = {})
{
    Token token;
    token.kind = kind;
    token.value = value;
    token.bytes = bytes;
    return token;
}

} // namespace

Token Tokenizer::next()
{
    if (m_pos >= m_in.size())
        return {};
    const char c = m_in[m_pos];
    if (c == '{' || c == '}') {
        ++m_pos;
        return make(c == '{' ? Token::Kind::Open : Token::Kind::Close);
    }
    if (c != '\\') {
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && m_in[m_pos] != '{' && m_in[m_pos] != '}' &&
               m_in[m_pos] != '\\')
            ++m_pos;
        return make(Token::Kind::Text, 0, m_in.sliced(start, m_pos - start));
    }
    if (++m_pos >= m_in.size())
        return {};
    const char symbol = m_in[m_pos];
    if (isLetter(symbol))
        return controlWord();
    ++m_pos;
    if (symbol == '\'')
        return hexByte();
    return make(Token::Kind::Symbol, static_cast<unsigned char>(symbol));
}

Token Tokenizer::controlWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
        ++m_pos;
    Token token = make(Token::Kind::Word);
    token.word = std::string_view(m_in.data() + start, std::size_t(m_pos - start));

    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    long long parameter = 0;
    while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
        token.hasParameter = true;
        parameter = std::min(parameter * 10 + (m_in[m_pos] - '0'), 1LL << 40);
        ++m_pos;
    }
    if (m_pos < m_in.size() && m_in[m_pos] == ' ')
        ++m_pos;
    token.value = static_cast<int>(std::clamp<long long>(negative ? -parameter : parameter,
                                                         std::numeric_limits<int>::min(),
                                                         std::numeric_limits<int>::max()));
    if (token.word == "bin") {
        // Raw bytes follow that may hold anything, braces included.
        const qsizetype length = std::clamp<qsizetype>(token.value, 0, m_in.size() - m_pos);
        token = make(Token::Kind::Binary, 0, m_in.sliced(m_pos, length));
        m_pos += length;
    }
    return token;
}

// The two digits of \'hh; a digit that is missing makes the value -1 and
// leaves what stands there to be read as text.
Token Tokenizer::hexByte()
{
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_pos < m_in.size()) {
        const int digit = hexDigit(m_in[m_pos]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++digits;
        ++m_pos;
    }
    return make(Token::Kind::Hex, digits == 2 ? value : -1);
}

} // namespace Rtf
