#pragma once

#include <QByteArrayView>
#include <string_view>

namespace Rtf {

struct Token
{
    enum class Kind { End, Open, Close, Word, Symbol, Hex, Text, Binary };
    Kind kind = Kind::End;
    std::string_view word; // Word: its name
    bool hasParameter = false;
    int value = 0;        // Word: its parameter; Symbol: the character; Hex: the byte or -1
    QByteArrayView bytes; // Text and Binary: the bytes as they stand in the file
};

// Splits RTF into groups, control words, control symbols, \'hh bytes and
// stretches of plain text. Never fails: every input is some sequence of tokens.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView in) : m_in(in) {}

    Token next();

private:
    Token controlWord();
    Token hexByte();

    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

} // namespace Rtf
