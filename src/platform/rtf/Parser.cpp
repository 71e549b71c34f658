#include "platform/rtf/Parser.h"

#include "platform/RtfReader.h"

#include <algorithm>
#include <utility>

namespace Rtf {
namespace {

// Deeper groups are skipped whole: real documents nest a few dozen levels, and
// a fixed stack keeps hostile input from growing it.
constexpr std::size_t MaxGroupDepth = 256;

constexpr char16_t Replacement = 0xFFFD;
constexpr char16_t LineSeparator = 0x2028;
constexpr char16_t ObjectReplacement = 0xFFFC;
constexpr int MaxTwips = 31680;

bool startsDestination(Word word)
{
    switch (word) {
    case Word::FontTable:
    case Word::ColorTable:
    case Word::Picture:
    case Word::PictureAlternative:
    case Word::TableProperties:
    case Word::SkippedDestination:
        return true;
    default:
        return false;
    }
}

} // namespace

Document read(QByteArrayView rtf)
{
    return Parser(rtf).run();
}

Parser::Parser(QByteArrayView in) : m_tokens(in), m_tables(m_doc.blocks)
{
    m_stack.emplace_back();
}

Document Parser::run()
{
    for (Token token = m_tokens.next(); token.kind != Token::Kind::End; token = m_tokens.next())
        handle(token);
    finish();
    return std::move(m_doc);
}

bool Parser::skipping() const
{
    return m_overflow > 0 || m_stack.back().destination == Destination::Skip;
}

bool Parser::inText() const
{
    return m_overflow == 0 && m_stack.back().destination == Destination::Text;
}

void Parser::handle(const Token& token)
{
    if (token.kind == Token::Kind::Word) {
        word(token);
        return;
    }
    // Only a destination's name may follow \*.
    if (std::exchange(m_star, false) && m_overflow == 0)
        state().destination = Destination::Skip;
    switch (token.kind) {
    case Token::Kind::Open:
        openGroup();
        break;
    case Token::Kind::Close:
        closeGroup();
        break;
    case Token::Kind::Symbol:
        m_alternativeShown = false;
        symbol(char(token.value));
        break;
    case Token::Kind::Hex:
        m_alternativeShown = false;
        if (!consumeFallback() && token.value >= 0)
            byte(static_cast<unsigned char>(token.value));
        break;
    case Token::Kind::Text:
        text(token.bytes);
        break;
    case Token::Kind::Binary:
        if (!consumeFallback() && !skipping() && state().destination == Destination::Picture)
            m_picture.addBinary(token.bytes);
        break;
    case Token::Kind::Word:
    case Token::Kind::End:
        break;
    }
}

void Parser::openGroup()
{
    flushText();
    m_fallbackLeft = 0;
    if (m_overflow > 0 || m_stack.size() >= MaxGroupDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
    state().pictureAlternative = false;
}

void Parser::closeGroup()
{
    flushText();
    m_fallbackLeft = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() == 1)
        return; // unbalanced: nothing to close
    const GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.destination == Destination::FontTable)
        commitFont();
    if (closed.destination == Destination::Picture && state().destination != Destination::Picture)
        finishPicture();
    if (closed.pictureAlternative)
        m_alternativeShown = true;
}

void Parser::word(const Token& token)
{
    flushText();
    const Word* found = findWord(token.word);
    if (std::exchange(m_star, false) && (!found || !startsDestination(*found)) && m_overflow == 0)
        state().destination = Destination::Skip;
    if (!found || *found != Word::PictureAlternative)
        m_alternativeShown = false;
    if (consumeFallback() || m_overflow > 0)
        return;
    if (found)
        apply(*found, token.hasParameter, token.value);
    else if (const char16_t c = characterWord(token.word))
        special(c);
}

void Parser::symbol(char c)
{
    if (c == '*') {
        m_star = true;
        return;
    }
    if (consumeFallback())
        return;
    switch (c) {
    case '\r':
    case '\n':
        endParagraph();
        return;
    case '\\':
    case '{':
    case '}':
        byte(static_cast<unsigned char>(c));
        return;
    case '~':
        special(0x00A0);
        return;
    case '_':
        special(0x2011);
        return;
    default:
        // \- optional hyphen, \| and \: formula and index marks
        return;
    }
}

void Parser::text(QByteArrayView bytes)
{
    if (skipping())
        return;
    if (state().destination == Destination::Picture) {
        m_picture.addHex(bytes);
        return;
    }
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        // Line ends and other control bytes are layout of the file itself.
        if (u < 0x20 || consumeFallback())
            continue;
        if (u != ' ')
            m_alternativeShown = false;
        byte(u);
    }
}

// After \u the reader skips the characters written for readers without
// Unicode; true if this one was such a character.
bool Parser::consumeFallback()
{
    if (m_fallbackLeft == 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void Parser::startDestination(Word word)
{
    switch (word) {
    case Word::FontTable:
        state().destination = Destination::FontTable;
        return;
    case Word::ColorTable:
        state().destination = Destination::ColorTable;
        return;
    case Word::Picture:
        if (state().destination != Destination::Text || state().chars.hidden) {
            state().destination = Destination::Skip;
            return;
        }
        state().destination = Destination::Picture;
        m_picture.begin();
        return;
    case Word::PictureAlternative:
        // The second of a pair shows the same picture again.
        if (std::exchange(m_alternativeShown, false))
            state().destination = Destination::Skip;
        else
            state().pictureAlternative = true;
        return;
    case Word::SkippedDestination:
        state().destination = Destination::Skip;
        return;
    default:
        return;
    }
}

void Parser::apply(Word word, bool hasParameter, int value)
{
    if (startsDestination(word)) {
        startDestination(word);
        return;
    }
    if (documentWord(word, hasParameter, value))
        return;
    switch (state().destination) {
    case Destination::FontTable:
        fontTableWord(word, hasParameter, value);
        return;
    case Destination::ColorTable:
        colorTableWord(word, value);
        return;
    case Destination::Picture:
        m_picture.apply(word, value);
        return;
    case Destination::Text:
        bodyWord(word, hasParameter, value);
        return;
    case Destination::Skip:
        return;
    }
}

// Document properties apply in any destination.
bool Parser::documentWord(Word word, bool hasParameter, int value)
{
    switch (word) {
    case Word::DefaultFont:
        if (hasParameter)
            m_defaultFont = value;
        return true;
    case Word::DefaultTab:
        if (value > 0)
            m_doc.defaultTabTwips = std::min(value, MaxTwips);
        return true;
    case Word::Ansi:
        m_ansiCodePage = DefaultCodePage;
        return true;
    case Word::Mac:
        m_ansiCodePage = 10000;
        return true;
    case Word::Pc:
        m_ansiCodePage = 437;
        return true;
    case Word::Pca:
        m_ansiCodePage = 850;
        return true;
    case Word::AnsiCodePage:
        if (value > 0)
            m_ansiCodePage = value;
        return true;
    default:
        return false;
    }
}

void Parser::fontTableWord(Word word, bool hasParameter, int value)
{
    switch (word) {
    case Word::Font:
        if (!hasParameter)
            return;
        m_fontNumber = value;
        m_font = Font{};
        m_fontName.clear();
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

void Parser::colorTableWord(Word word, int value)
{
    const int component = std::clamp(value, 0, 255);
    switch (word) {
    case Word::Red:
        m_red = component;
        break;
    case Word::Green:
        m_green = component;
        break;
    case Word::Blue:
        m_blue = component;
        break;
    default:
        return;
    }
    m_colorGiven = true;
}

void Parser::bodyWord(Word word, bool hasParameter, int value)
{
    GroupState& group = state();
    if (applyCharWord(group.chars, word, hasParameter, value) ||
        applyParagraphWord(group.paragraph, word, value)) {
        if (word == Word::Pard)
            group.tableDepth = 0;
        return;
    }
    const int rowDepth = std::max(group.tableDepth, 1);
    const bool colored = word == Word::BorderColor || word == Word::CellShading;
    if (m_rows.apply(word, value, rowDepth, colored ? colorAt(value) : std::nullopt))
        return;
    switch (word) {
    case Word::UnicodeSkip:
        group.unicodeSkip = std::max(0, value);
        return;
    case Word::Unicode:
        if (hasParameter)
            unicode(value);
        return;
    case Word::Par:
        endParagraph();
        return;
    case Word::InTable:
        group.tableDepth = std::max(group.tableDepth, 1);
        return;
    case Word::TableDepth:
        group.tableDepth = std::clamp(value, 0, MaxTableDepth);
        return;
    case Word::Cell:
    case Word::NestedCell:
    case Word::Row:
    case Word::NestedRow:
        tableMark(word);
        return;
    default:
        return;
    }
}

// \cell ends a cell's last paragraph and the cell; \row ends the row with the
// definition read for its depth.
void Parser::tableMark(Word word)
{
    const bool nested = word == Word::NestedCell || word == Word::NestedRow;
    const int depth = std::max(state().tableDepth, nested ? 2 : 1);
    endSurrogate();
    flushText();
    if (word == Word::Cell || word == Word::NestedCell) {
        placeParagraph(depth);
        m_tables.endCell(depth);
        return;
    }
    if (!m_paragraph.runs.isEmpty())
        placeParagraph(depth);
    m_tables.endRow(depth, m_rows.at(depth));
}

// One byte of text in the code page of the current font.
void Parser::byte(unsigned char c)
{
    if (skipping())
        return;
    switch (state().destination) {
    case Destination::FontTable:
        if (c == ';')
            commitFont();
        else
            m_fontName.append(char(c));
        return;
    case Destination::ColorTable:
        if (c == ';')
            commitColor();
        return;
    case Destination::Text:
        if (!state().chars.hidden)
            m_bytes.append(char(c));
        return;
    case Destination::Picture:
    case Destination::Skip:
        return;
    }
}

void Parser::decodeBytes()
{
    if (m_bytes.isEmpty())
        return;
    const Font* font = currentFont();
    if (font && font->symbol != SymbolFont::None) {
        for (char byte : std::as_const(m_bytes)) {
            const char16_t sign = symbolCharacter(font->symbol, static_cast<unsigned char>(byte));
            if (sign != 0)
                character(sign);
            else
                for (QChar c : m_decoder.decode(DefaultCodePage, QByteArrayView(&byte, 1)))
                    character(c.unicode());
        }
    } else {
        for (QChar c : m_decoder.decode(codePageOf(font), m_bytes))
            character(c.unicode());
    }
    m_bytes.clear();
}

// A character of the body's text: control characters are dropped and
// surrogates must come in pairs.
void Parser::character(char16_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return;
    if (c == 0x2029)
        c = LineSeparator;
    if (m_highSurrogate != 0) {
        const char16_t high = std::exchange(m_highSurrogate, 0);
        if (QChar::isLowSurrogate(c)) {
            m_pending += QChar(high);
            m_pending += QChar(c);
            return;
        }
        m_pending += QChar(Replacement);
    }
    if (QChar::isHighSurrogate(c))
        m_highSurrogate = c;
    else
        m_pending += QChar(QChar::isLowSurrogate(c) ? Replacement : c);
}

// Tabs, line breaks and named characters: written as they are.
void Parser::special(char16_t c)
{
    if (!inText() || state().chars.hidden)
        return;
    decodeBytes();
    endSurrogate();
    m_pending += QChar(c);
}

// \uN: a signed 16-bit code unit, then the fallback characters are skipped.
void Parser::unicode(int value)
{
    auto c = static_cast<char16_t>(static_cast<unsigned>(value) & 0xFFFF);
    m_fallbackLeft = state().unicodeSkip;
    if (state().chars.hidden)
        return;
    const Font* font = currentFont();
    if (const char16_t sign = font ? symbolCharacter(font->symbol, c) : 0)
        c = sign;
    character(c);
}

void Parser::endSurrogate()
{
    decodeBytes();
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        m_pending += QChar(Replacement);
    }
}

const Parser::Font* Parser::currentFont() const
{
    const int number = m_stack.back().chars.font;
    const auto found = m_fonts.find(number >= 0 ? number : m_defaultFont);
    return found == m_fonts.end() ? nullptr : &found->second;
}

int Parser::codePageOf(const Font* font) const
{
    if (!font)
        return m_ansiCodePage;
    if (font->codePage > 0)
        return font->codePage;
    return font->charsetCodePage > 0 ? font->charsetCodePage : m_ansiCodePage;
}

void Parser::commitFont()
{
    const int codePage = m_font.charsetCodePage < 0 ? DefaultCodePage : codePageOf(&m_font);
    const QString name = m_decoder.decode(codePage, m_fontName).trimmed();
    m_fontName.clear();
    if (m_fontNumber < 0 || name.isEmpty())
        return;
    m_font.name = name;
    m_font.symbol = symbolFontNamed(name);
    if (m_font.symbol == SymbolFont::None && m_font.charsetCodePage < 0)
        m_font.symbol = SymbolFont::Symbol;
    m_fonts[m_fontNumber] = m_font;
}

void Parser::commitColor()
{
    if (m_colorGiven)
        m_colors.push_back(quint32(m_red) << 16 | quint32(m_green) << 8 | quint32(m_blue));
    else
        m_colors.push_back(std::nullopt); // "auto"
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
}

CharFormat Parser::resolve(const CharState& chars) const
{
    CharFormat format;
    const int number = chars.font >= 0 ? chars.font : m_defaultFont;
    if (const auto font = m_fonts.find(number); font != m_fonts.end()) {
        format.fontName = font->second.name;
        format.fontFamily = font->second.family;
    }
    format.halfPoints = chars.halfPoints;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    format.position = chars.position;
    format.color = colorAt(chars.color);
    format.background = colorAt(chars.background);
    return format;
}

std::optional<quint32> Parser::colorAt(int index) const
{
    if (index < 0 || std::size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[std::size_t(index)];
}

// Text collects until the formatting may change, then becomes a run.
void Parser::flushText()
{
    decodeBytes();
    if (m_pending.isEmpty())
        return;
    const CharFormat format = resolve(state().chars);
    QList<Run>& runs = m_paragraph.runs;
    if (!runs.isEmpty() && runs.back().picture < 0 && runs.back().format == format)
        runs.back().text += m_pending;
    else
        runs.append(Run{m_pending, format});
    m_paragraph.format = state().paragraph;
    m_pending.clear();
}

// A hidden paragraph mark joins its paragraph to the next, so a paragraph
// hidden whole leaves nothing.
void Parser::endParagraph()
{
    if (!inText() || state().chars.hidden)
        return;
    endSurrogate();
    flushText();
    placeParagraph(state().tableDepth);
}

void Parser::placeParagraph(int depth)
{
    m_paragraph.format = state().paragraph;
    m_paragraph.markFormat = resolve(state().chars);
    m_tables.addParagraph(std::exchange(m_paragraph, Paragraph{}), depth);
}

void Parser::finishPicture()
{
    m_doc.pictures.append(m_picture.finish());
    const QString mark{QChar(ObjectReplacement)};
    m_paragraph.runs.append(Run{mark, resolve(state().chars), int(m_doc.pictures.size() - 1)});
    m_paragraph.format = state().paragraph;
}

void Parser::finish()
{
    if (inText())
        endSurrogate();
    flushText();
    // The last paragraph mark of a file opens a paragraph that never gets text.
    if (!m_paragraph.runs.isEmpty())
        placeParagraph(state().tableDepth);
    m_tables.closeAll();
    if (m_doc.blocks.empty())
        m_doc.blocks.push_back(Block{Paragraph{}});
}

} // namespace Rtf
