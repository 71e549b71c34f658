#include "rtf/Parser.h"

#include "rtf/Reader.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace Rtf {
namespace {

// Deeper groups are skipped whole: real documents nest a few dozen levels, and
// a fixed stack keeps hostile input from growing it.
constexpr std::size_t maxGroupDepth = 256;

constexpr char16_t replacement = 0xFFFD;
constexpr char16_t lineSeparator = 0x2028;
constexpr char16_t objectReplacement = 0xFFFC;

bool startsDestination(Word word)
{
    switch (word) {
    case Word::FontTable:
    case Word::ColorTable:
    case Word::Picture:
    case Word::PictureAlternative:
    case Word::TableProperties:
    case Word::Footnote:
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

Parser::Parser(QByteArrayView in)
    : m_tokens(in), m_tables(m_doc.blocks, m_tablesOpened), m_noteTables(m_notes, m_tablesOpened)
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
    if (m_overflow > 0 || m_stack.size() >= maxGroupDepth) {
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
    if (m_stack.size() == m_noteDepth)
        endNote();
    const GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.destination == Destination::FontTable)
        m_fonts.commit(m_decoder, m_ansiCodePage);
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
    m_alternativeShown = false;
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
    case Word::Footnote:
        if (state().destination != Destination::Text || state().chars.hidden || m_noteDepth > 0)
            state().destination = Destination::Skip;
        else
            beginNote();
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
        m_fonts.apply(word, hasParameter, value);
        return;
    case Destination::ColorTable:
        m_colors.apply(word, value);
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
            m_doc.defaultTabTwips = std::min(value, maxTwips);
        return true;
    case Word::Ansi:
        m_ansiCodePage = defaultCodePage;
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
    case Word::FootnoteStart:
        m_firstNoteNumber = std::clamp(value, 0, 99999);
        return true;
    default:
        return false;
    }
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
    if (m_rows.apply(word, value, rowDepth, colored ? m_colors.at(value) : std::nullopt))
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
    case Word::FootnoteMark:
        noteMark();
        return;
    case Word::InTable:
        group.tableDepth = std::max(group.tableDepth, 1);
        return;
    case Word::TableDepth:
        group.tableDepth = std::clamp(value, 0, maxTableDepth);
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
        m_builder->endCell(depth);
        return;
    }
    if (!m_paragraph.runs.isEmpty())
        placeParagraph(depth);
    m_builder->endRow(depth, m_rows.at(depth));
}

// One byte of text in the code page of the current font.
void Parser::byte(unsigned char c)
{
    if (skipping())
        return;
    switch (state().destination) {
    case Destination::FontTable:
        m_fonts.addByte(char(c), m_decoder, m_ansiCodePage);
        return;
    case Destination::ColorTable:
        m_colors.addByte(char(c));
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
                for (QChar c : m_decoder.decode(defaultCodePage, QByteArrayView(&byte, 1)))
                    character(c.unicode());
        }
    } else {
        for (QChar c : m_decoder.decode(FontTable::codePageOf(font, m_ansiCodePage), m_bytes))
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
        c = lineSeparator;
    if (m_highSurrogate != 0) {
        const char16_t high = std::exchange(m_highSurrogate, 0);
        if (QChar::isLowSurrogate(c)) {
            m_pending += QChar(high);
            m_pending += QChar(c);
            return;
        }
        m_pending += QChar(replacement);
    }
    if (QChar::isHighSurrogate(c))
        m_highSurrogate = c;
    else
        m_pending += QChar(QChar::isLowSurrogate(c) ? replacement : c);
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
        m_pending += QChar(replacement);
    }
}

const Font* Parser::currentFont() const
{
    const int number = m_stack.back().chars.font;
    return m_fonts.find(number >= 0 ? number : m_defaultFont);
}

CharFormat Parser::resolve(const CharState& chars) const
{
    CharFormat format;
    if (const Font* font = m_fonts.find(chars.font >= 0 ? chars.font : m_defaultFont)) {
        format.fontName = font->name;
        format.fontFamily = font->family;
    }
    format.halfPoints = chars.halfPoints;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    format.position = chars.position;
    format.color = m_colors.at(chars.color);
    format.background = m_colors.at(chars.background);
    return format;
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
    m_builder->addParagraph(std::exchange(m_paragraph, Paragraph{}), depth);
}

void Parser::finishPicture()
{
    m_doc.pictures.append(m_picture.finish());
    const QString mark{QChar(objectReplacement)};
    m_paragraph.runs.append(Run{mark, resolve(state().chars), int(m_doc.pictures.size() - 1)});
    m_paragraph.format = state().paragraph;
}

// The group just opened holds a footnote.
void Parser::beginNote()
{
    m_waiting = std::exchange(m_paragraph, Paragraph{});
    m_builder = &m_noteTables;
    m_noteDepth = m_stack.size();
    state().tableDepth = 0;
    ++m_notesBegun;
}

// The note's group closes: its last paragraph needs no mark.
void Parser::endNote()
{
    if (inText())
        endSurrogate();
    flushText();
    if (!m_paragraph.runs.isEmpty())
        placeParagraph(state().tableDepth);
    m_noteTables.closeAll();
    m_paragraph = std::exchange(m_waiting, Paragraph{});
    m_builder = &m_tables;
    m_noteDepth = 0;
}

// \chftn: the number of the note that follows, or, inside a note, its own.
void Parser::noteMark()
{
    const int number = m_firstNoteNumber + m_notesBegun - (m_noteDepth > 0 ? 1 : 0);
    for (QChar c : QString::number(number))
        special(c.unicode());
}

void Parser::finish()
{
    if (m_noteDepth > 0)
        endNote();
    if (inText())
        endSurrogate();
    flushText();
    // The last paragraph mark of a file opens a paragraph that never gets text.
    if (!m_paragraph.runs.isEmpty())
        placeParagraph(state().tableDepth);
    m_tables.closeAll();
    std::move(m_notes.begin(), m_notes.end(), std::back_inserter(m_doc.blocks));
    if (m_doc.blocks.empty())
        m_doc.blocks.push_back(Block{Paragraph{}});
}

} // namespace Rtf
