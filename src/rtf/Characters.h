#pragma once

#include <QByteArrayView>
#include <QString>
#include <unordered_map>

namespace Rtf {

// Fonts whose characters are not letters: their bytes are pictures of signs,
// which Unicode mostly has too.
enum class SymbolFont { None, Symbol, Wingdings };

constexpr int defaultCodePage = 1252;

// The Windows code page a font's \fcharset stands for; 0 for the document's
// own code page, -1 for a symbol character set.
int codePageOfCharset(int charset);

SymbolFont symbolFontNamed(const QString& name);

// The Unicode character a symbol font's byte (or its U+F0xx private-use
// form) shows, or 0 where Unicode has none or the byte is a plain letter.
char16_t symbolCharacter(SymbolFont font, char16_t c);

// Decodes bytes in a Windows code page, double-byte ones included, with the
// C library's converters. Bytes that are not characters of the page are
// dropped; an unknown page reads as 1252.
class CodePageDecoder
{
public:
    CodePageDecoder() = default;
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;
    ~CodePageDecoder();

    QString decode(int codePage, QByteArrayView bytes);

private:
    void* converter(int codePage);

    std::unordered_map<int, void*> m_converters;
};

} // namespace Rtf
