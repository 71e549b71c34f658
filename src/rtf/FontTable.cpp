#include "rtf/FontTable.h"

#include <algorithm>

namespace Rtf {

void FontTable::apply(Word word, bool hasParameter, int value)
{
    switch (word) {
    case Word::Font:
        if (!hasParameter)
            return;
        m_number = value;
        m_font = Font{};
        m_name.clear();
        return;
    case Word::FontNil:
        m_font.family = FontFamily::Any;
        return;
    case Word::FontRoman:
        m_font.family = FontFamily::Roman;
        return;
    case Word::FontSwiss:
        m_font.family = FontFamily::Swiss;
        return;
    case Word::FontModern:
        m_font.family = FontFamily::Modern;
        return;
    case Word::FontScript:
        m_font.family = FontFamily::Script;
        return;
    case Word::FontDecor:
        m_font.family = FontFamily::Decorative;
        return;
    case Word::FontTech:
        m_font.family = FontFamily::Technical;
        return;
    case Word::FontCharset:
        m_font.charsetCodePage = codePageOfCharset(value);
        return;
    case Word::FontCodePage:
        m_font.codePage = std::max(value, 0);
        return;
    default:
        return;
    }
}

void FontTable::addByte(char c, CodePageDecoder& decoder, int documentCodePage)
{
    if (c == ';')
        commit(decoder, documentCodePage);
    else
        m_name.append(c);
}

// A name is in its own font's code page; a symbol font's in 1252.
void FontTable::commit(CodePageDecoder& decoder, int documentCodePage)
{
    const int codePage =
        m_font.charsetCodePage < 0 ? defaultCodePage : codePageOf(&m_font, documentCodePage);
    const QString name = decoder.decode(codePage, m_name).trimmed();
    m_name.clear();
    if (m_number < 0 || name.isEmpty())
        return;
    m_font.name = name;
    m_font.symbol = symbolFontNamed(name);
    if (m_font.symbol == SymbolFont::None && m_font.charsetCodePage < 0)
        m_font.symbol = SymbolFont::Symbol;
    m_fonts[m_number] = m_font;
}

const Font* FontTable::find(int number) const
{
    const auto found = m_fonts.find(number);
    return found == m_fonts.end() ? nullptr : &found->second;
}

int FontTable::codePageOf(const Font* font, int documentCodePage)
{
    if (!font)
        return documentCodePage;
    if (font->codePage > 0)
        return font->codePage;
    return font->charsetCodePage > 0 ? font->charsetCodePage : documentCodePage;
}

} // namespace Rtf
