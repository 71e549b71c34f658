#include "rtf/Characters.h"

#include <QSysInfo>
#include <cerrno>
#include <iconv.h>

namespace Rtf {
namespace {

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

// glibc's names for the pages that are not simply "CP" and their number.
QByteArray converterName(int codePage)
{
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 10000:
        return "MACINTOSH";
    case 10007:
        return "MAC-CYRILLIC";
    case 10029:
        return "MAC-CENTRALEUROPE";
    case 20127:
        return "ASCII";
    default:
        if (codePage >= 28591 && codePage <= 28605)
            return "ISO-8859-" + QByteArray::number(codePage - 28590);
        return "CP" + QByteArray::number(codePage);
    }
}

// Symbol's letters are Greek, its other bytes mathematical signs; 0 is the
// byte's own character.
constexpr char16_t symbolLow[0x60] = {
    0,      0,      0x2200, 0,      0x2203, 0,      0,      0x220B, 0,      0,      0x2217, 0,
    0,      0x2212, 0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
    0,      0,      0,      0,      0,      0,      0,      0,      0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0,
    0x2234, 0,      0x22A5, 0,      0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0,      0,      0,      0x223C, 0};
constexpr char16_t symbolHigh[0x60] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194,
    0x2190, 0x2191, 0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118,
    0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, 0,      0x232A, 0x222B, 0x2320,
    0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0};

// The Wingdings signs word processors use as bullets and check marks.
char16_t wingdings(char16_t byte)
{
    switch (byte) {
    case 0x4A:
        return 0x263A;
    case 0x4C:
        return 0x2639;
    case 0x6C:
        return 0x25CF;
    case 0x6E:
        return 0x25A0;
    case 0x6F:
        return 0x25A1;
    case 0x71:
        return 0x2751;
    case 0x75:
        return 0x25C6;
    case 0x76:
        return 0x2756;
    case 0xA7:
        return 0x25AA;
    case 0xA8:
        return 0x25FB;
    case 0xD8:
        return 0x27A2;
    case 0xE8:
        return 0x2794;
    case 0xF0:
        return 0x21E8;
    case 0xFB:
        return 0x2718;
    case 0xFC:
        return 0x2714;
    case 0xFD:
        return 0x2612;
    case 0xFE:
        return 0x2611;
    default:
        return 0xFFFD;
    }
}

} // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return -1;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

SymbolFont symbolFontNamed(const QString& name)
{
    if (name.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return SymbolFont::Symbol;
    if (name.startsWith(u"Wingdings", Qt::CaseInsensitive))
        return SymbolFont::Wingdings;
    return SymbolFont::None;
}

char16_t symbolCharacter(SymbolFont font, char16_t c)
{
    if (c >= 0xF020 && c <= 0xF0FF)
        c -= 0xF000;
    if (c <= 0x20 || c > 0xFF || font == SymbolFont::None)
        return 0;
    if (font == SymbolFont::Wingdings)
        return wingdings(c);
    if (c < 0x80)
        return symbolLow[c - 0x20];
    return c >= 0xA0 ? symbolHigh[c - 0xA0] : 0;
}

CodePageDecoder::~CodePageDecoder()
{
    for (const auto& [page, converter] : m_converters)
        if (converter != noConverter)
            iconv_close(converter);
}

// Each page's converter is opened once; an unknown page borrows 1252's.
void* CodePageDecoder::converter(int codePage)
{
    auto [entry, added] = m_converters.try_emplace(codePage, noConverter);
    if (added) {
        const char* utf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
        entry->second = iconv_open(utf16, converterName(codePage).constData());
    }
    if (entry->second == noConverter && codePage != defaultCodePage)
        return converter(defaultCodePage);
    return entry->second;
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes)
{
    const auto cd = static_cast<iconv_t>(converter(codePage));
    if (cd == noConverter)
        return QString::fromLatin1(bytes);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // No code page makes more than two UTF-16 units of a byte.
    QString out(2 * bytes.size() + 2, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = std::size_t(bytes.size());
    char* to = reinterpret_cast<char*>(out.data());
    std::size_t toLeft = std::size_t(out.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &to, &toLeft) != std::size_t(-1))
            break;
        if (errno != EILSEQ || toLeft < 2 * sizeof(char16_t))
            break; // a character cut off at the end, or no room: the rest is dropped
        ++in;      // not a character of this page
        --inLeft;
    }
    iconv(cd, nullptr, nullptr, &to, &toLeft); // a page that composes keeps back its last character
    out.truncate(qsizetype(out.size() - toLeft / sizeof(char16_t)));
    return out;
}

} // namespace Rtf
