#include "platform/RtfReader.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Rtf {
namespace {

// Deeper groups are skipped whole: real documents nest a few dozen levels, and
// a fixed stack keeps hostile input from growing it.
constexpr std::size_t MaxGroupDepth = 256;
// Word's own limits.
constexpr int MaxTabStops = 64;
constexpr int MaxTwips = 31680;
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 3276;
constexpr int DefaultHalfPoints = 24;
constexpr std::size_t MaxWordLength = 32;

constexpr char16_t Replacement = 0xFFFD;
constexpr char16_t LineSeparator = 0x2028;

// Bytes 0x80-0x9F of Windows code page 1252; the rest of the page is Latin-1.
// The five unassigned bytes map to nothing.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t fromCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
}

enum class Destination { Text, FontTable, ColorTable, Skip };

enum class Word {
    // destinations
    FontTable,
    ColorTable,
    SkippedDestination,
    // document
    DefaultFont,
    DefaultTab,
    Bin,
    // font table
    Font,
    FontNil,
    FontRoman,
    FontSwiss,
    FontModern,
    FontScript,
    FontDecor,
    FontTech,
    FontCharset,
    // colour table
    Red,
    Green,
    Blue,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    FontSize,
    Color,
    Background,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    UnicodeSkip,
    Unicode,
    // paragraphs
    Par,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    TabStop,
};

const std::unordered_map<std::string_view, Word>& words()
{
    static const std::unordered_map<std::string_view, Word> table = {
        {"fonttbl", Word::FontTable},
        {"colortbl", Word::ColorTable},
        // Destinations whose text is not part of the body.
        {"stylesheet", Word::SkippedDestination},
        {"info", Word::SkippedDestination},
        {"pict", Word::SkippedDestination},
        {"object", Word::SkippedDestination},
        {"nonshppict", Word::SkippedDestination},
        {"header", Word::SkippedDestination},
        {"headerl", Word::SkippedDestination},
        {"headerr", Word::SkippedDestination},
        {"headerf", Word::SkippedDestination},
        {"footer", Word::SkippedDestination},
        {"footerl", Word::SkippedDestination},
        {"footerr", Word::SkippedDestination},
        {"footerf", Word::SkippedDestination},
        {"footnote", Word::SkippedDestination},
        {"annotation", Word::SkippedDestination},
        {"listtable", Word::SkippedDestination},
        {"listoverridetable", Word::SkippedDestination},
        {"revtbl", Word::SkippedDestination},
        {"rsidtbl", Word::SkippedDestination},
        {"filetbl", Word::SkippedDestination},
        {"fldinst", Word::SkippedDestination},
        {"xe", Word::SkippedDestination},
        {"tc", Word::SkippedDestination},
        {"txe", Word::SkippedDestination},
        {"pn", Word::SkippedDestination},
        {"author", Word::SkippedDestination},
        {"operator", Word::SkippedDestination},
        {"title", Word::SkippedDestination},
        {"subject", Word::SkippedDestination},
        {"keywords", Word::SkippedDestination},
        {"comment", Word::SkippedDestination},
        {"doccomm", Word::SkippedDestination},
        {"company", Word::SkippedDestination},
        {"creatim", Word::SkippedDestination},
        {"revtim", Word::SkippedDestination},
        {"printim", Word::SkippedDestination},
        {"buptim", Word::SkippedDestination},
        {"template", Word::SkippedDestination},
        {"deff", Word::DefaultFont},
        {"deftab", Word::DefaultTab},
        {"bin", Word::Bin},
        {"f", Word::Font},
        {"fnil", Word::FontNil},
        {"fbidi", Word::FontNil},
        {"froman", Word::FontRoman},
        {"fswiss", Word::FontSwiss},
        {"fmodern", Word::FontModern},
        {"fscript", Word::FontScript},
        {"fdecor", Word::FontDecor},
        {"ftech", Word::FontTech},
        {"fcharset", Word::FontCharset},
        {"red", Word::Red},
        {"green", Word::Green},
        {"blue", Word::Blue},
        {"plain", Word::Plain},
        {"b", Word::Bold},
        {"i", Word::Italic},
        {"ul", Word::Underline},
        {"uld", Word::Underline},
        {"uldash", Word::Underline},
        {"uldashd", Word::Underline},
        {"uldashdd", Word::Underline},
        {"uldb", Word::Underline},
        {"ulhwave", Word::Underline},
        {"ulldash", Word::Underline},
        {"ulth", Word::Underline},
        {"ulthd", Word::Underline},
        {"ulthdash", Word::Underline},
        {"ulthdashd", Word::Underline},
        {"ulthdashdd", Word::Underline},
        {"ulthldash", Word::Underline},
        {"ululdbwave", Word::Underline},
        {"ulw", Word::Underline},
        {"ulwave", Word::Underline},
        {"ulnone", Word::UnderlineNone},
        {"strike", Word::Strike},
        {"striked", Word::Strike},
        {"v", Word::Hidden},
        {"fs", Word::FontSize},
        {"cf", Word::Color},
        {"highlight", Word::Background},
        {"cb", Word::Background},
        {"chcbpat", Word::Background},
        {"super", Word::Super},
        {"sub", Word::Sub},
        {"nosupersub", Word::NoSuperSub},
        {"up", Word::Up},
        {"dn", Word::Down},
        {"uc", Word::UnicodeSkip},
        {"u", Word::Unicode},
        {"par", Word::Par},
        {"row", Word::Par},
        {"page", Word::Par},
        {"sect", Word::Par},
        {"pard", Word::Pard},
        {"ql", Word::AlignLeft},
        {"qc", Word::AlignCenter},
        {"qr", Word::AlignRight},
        {"qj", Word::AlignJustify},
        {"li", Word::LeftIndent},
        {"ri", Word::RightIndent},
        {"fi", Word::FirstIndent},
        {"sb", Word::SpaceBefore},
        {"sa", Word::SpaceAfter},
        {"sl", Word::LineSpacing},
        {"slmult", Word::LineMultiple},
        {"tx", Word::TabStop},
    };
    return table;
}

// Control words that stand for one character. Table cells become tabs.
const std::unordered_map<std::string_view, char16_t>& characterWords()
{
    static const std::unordered_map<std::string_view, char16_t> table = {
        {"tab", u'\t'},        {"cell", u'\t'},       {"line", LineSeparator}, {"emdash", 0x2014},
        {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},      {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},     {"enspace", 0x2002},
        {"qmspace", 0x2005},
    };
    return table;
}

// Character properties as the control words leave them; font and colours stay
// table numbers until text is written.
struct CharState
{
    int font = -1; // -1: the default font
    int halfPoints = DefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    VerticalPosition position = VerticalPosition::Normal;
    int color = -1;
    int background = -1;
};

struct GroupState
{
    CharState chars;
    ParagraphFormat paragraph;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

struct Font
{
    QString name;
    FontFamily family = FontFamily::Any;
    bool symbol = false;
};

int clampTwips(int value)
{
    return std::clamp(value, -MaxTwips, MaxTwips);
}

class Parser
{
public:
    explicit Parser(QByteArrayView in) : m_data(in.data()), m_size(in.size())
    {
        m_stack.emplace_back();
        m_doc.paragraphs.append(Paragraph{});
    }

    Document run()
    {
        while (m_pos < m_size)
            step();
        finish();
        return std::move(m_doc);
    }

private:
    GroupState& state() { return m_stack.back(); }
    bool skipping() const
    {
        return m_overflow > 0 || m_stack.back().destination == Destination::Skip;
    }

    void step()
    {
        const auto c = static_cast<unsigned char>(m_data[m_pos++]);
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            control();
            break;
        default:
            // Line ends and other control bytes are layout of the file itself.
            if (c >= 0x20 && !consumeFallback())
                byte(c);
        }
    }

    void openGroup()
    {
        flushText();
        m_fallbackLeft = 0;
        if (m_overflow > 0 || m_stack.size() >= MaxGroupDepth)
            ++m_overflow;
        else
            m_stack.push_back(m_stack.back());
    }

    void closeGroup()
    {
        flushText();
        m_fallbackLeft = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.size() == 1)
            return; // unbalanced: nothing to close
        if (state().destination == Destination::FontTable)
            commitFont();
        m_stack.pop_back();
    }

    void control()
    {
        if (m_pos >= m_size)
            return;
        const char c = m_data[m_pos];
        if (isLetter(c))
            controlWord();
        else
            controlSymbol(m_data[m_pos++]);
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void controlWord()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_size && isLetter(m_data[m_pos]))
            ++m_pos;
        const std::string_view name(m_data + start, std::size_t(m_pos - start));

        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            hasParam = true;
            param = std::min(param * 10 + (m_data[m_pos] - '0'), 1LL << 40);
            ++m_pos;
        }
        if (m_pos < m_size && m_data[m_pos] == ' ')
            ++m_pos;
        const int value = static_cast<int>(std::clamp<long long>(negative ? -param : param,
                                                                 std::numeric_limits<int>::min(),
                                                                 std::numeric_limits<int>::max()));

        flushText();
        const auto found = name.size() <= MaxWordLength ? words().find(name) : words().end();
        if (found != words().end() && found->second == Word::Bin) {
            // Raw bytes follow that may hold anything, braces included.
            m_pos += std::clamp<qsizetype>(value, 0, m_size - m_pos);
        }
        if (consumeFallback() || m_overflow > 0)
            return;
        if (found != words().end()) {
            apply(found->second, hasParam, value);
        } else if (name.size() <= MaxWordLength) {
            const auto character = characterWords().find(name);
            if (character != characterWords().end())
                special(character->second);
        }
    }

    void controlSymbol(char c)
    {
        flushText();
        if (c == '*') {
            if (m_overflow == 0)
                state().destination = Destination::Skip;
            return;
        }
        if (c == '\'') {
            const int value = hexByte(); // read even when skipped: its digits are no text
            if (!consumeFallback() && value >= 0)
                byte(static_cast<unsigned char>(value));
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

    // The value of the two digits of \'hh, -1 if they are not there.
    int hexByte()
    {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_size) {
            const int digit = hexDigit(m_data[m_pos]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++digits;
            ++m_pos;
        }
        return digits == 2 ? value : -1;
    }

    static int hexDigit(char c)
    {
        if (isDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // After \u the reader skips the characters written for readers without
    // Unicode; true if this one was such a character.
    bool consumeFallback()
    {
        if (m_fallbackLeft == 0)
            return false;
        --m_fallbackLeft;
        return true;
    }

    // One byte of text in the document's code page.
    void byte(unsigned char c)
    {
        if (skipping())
            return;
        switch (state().destination) {
        case Destination::FontTable:
            if (c == ';')
                commitFont();
            else if (const char16_t u = fromCp1252(c); u != 0)
                m_fontName += QChar(u);
            return;
        case Destination::ColorTable:
            if (c == ';')
                commitColor();
            return;
        case Destination::Text:
            text(c == 0xB7 && currentFontIsSymbol() ? char16_t(0x2022) : fromCp1252(c));
            return;
        case Destination::Skip:
            return;
        }
    }

    // A character of the body's text: control characters are dropped and
    // surrogates must come in pairs.
    void text(char16_t c)
    {
        if (state().chars.hidden)
            return;
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
    void special(char16_t c)
    {
        if (skipping() || state().destination != Destination::Text || state().chars.hidden)
            return;
        endSurrogate();
        m_pending += QChar(c);
    }

    void endSurrogate()
    {
        if (m_highSurrogate != 0) {
            m_highSurrogate = 0;
            m_pending += QChar(Replacement);
        }
    }

    bool currentFontIsSymbol() const
    {
        const auto found = m_fonts.find(fontNumber(m_stack.back().chars));
        return found != m_fonts.end() && found->second.symbol;
    }

    int fontNumber(const CharState& chars) const
    {
        return chars.font >= 0 ? chars.font : m_defaultFont;
    }

    void apply(Word word, bool hasParam, int value)
    {
        // Destinations and document properties apply in any destination.
        switch (word) {
        case Word::FontTable:
            state().destination = Destination::FontTable;
            return;
        case Word::ColorTable:
            state().destination = Destination::ColorTable;
            return;
        case Word::SkippedDestination:
            state().destination = Destination::Skip;
            return;
        case Word::DefaultFont:
            if (hasParam)
                m_defaultFont = value;
            return;
        case Word::DefaultTab:
            if (value > 0)
                m_doc.defaultTabTwips = std::min(value, MaxTwips);
            return;
        default:
            break;
        }
        switch (state().destination) {
        case Destination::FontTable:
            fontTableWord(word, hasParam, value);
            return;
        case Destination::ColorTable:
            colorTableWord(word, value);
            return;
        case Destination::Text:
            if (!charWord(word, hasParam, value))
                paragraphWord(word, value);
            return;
        case Destination::Skip:
            return;
        }
    }

    void fontTableWord(Word word, bool hasParam, int value)
    {
        switch (word) {
        case Word::Font:
            if (!hasParam)
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
            m_font.symbol = value == 2;
            return;
        default:
            return;
        }
    }

    void commitFont()
    {
        const QString name = m_fontName.trimmed();
        if (m_fontNumber >= 0 && !name.isEmpty()) {
            m_font.name = name;
            m_fonts[m_fontNumber] = m_font;
        }
        m_fontName.clear();
    }

    void colorTableWord(Word word, int value)
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

    void commitColor()
    {
        if (m_colorGiven)
            m_colors.push_back(quint32(m_red) << 16 | quint32(m_green) << 8 | quint32(m_blue));
        else
            m_colors.push_back(std::nullopt); // "auto"
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }

    bool charWord(Word word, bool hasParam, int value)
    {
        CharState& chars = state().chars;
        const bool on = !hasParam || value != 0;
        switch (word) {
        case Word::Plain:
            chars = CharState{};
            break;
        case Word::Bold:
            chars.bold = on;
            break;
        case Word::Italic:
            chars.italic = on;
            break;
        case Word::Underline:
            chars.underline = on;
            break;
        case Word::UnderlineNone:
            chars.underline = false;
            break;
        case Word::Strike:
            chars.strikeOut = on;
            break;
        case Word::Hidden:
            chars.hidden = on;
            break;
        case Word::Font:
            if (hasParam)
                chars.font = value;
            break;
        case Word::FontSize:
            chars.halfPoints =
                hasParam ? std::clamp(value, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
            break;
        case Word::Color:
            chars.color = hasParam ? value : -1;
            break;
        case Word::Background:
            chars.background = hasParam ? value : -1;
            break;
        case Word::Super:
            chars.position = VerticalPosition::Superscript;
            break;
        case Word::Sub:
            chars.position = VerticalPosition::Subscript;
            break;
        case Word::NoSuperSub:
            chars.position = VerticalPosition::Normal;
            break;
        case Word::Up:
            chars.position = on ? VerticalPosition::Superscript : VerticalPosition::Normal;
            break;
        case Word::Down:
            chars.position = on ? VerticalPosition::Subscript : VerticalPosition::Normal;
            break;
        case Word::UnicodeSkip:
            state().unicodeSkip = std::max(0, value);
            break;
        case Word::Unicode:
            if (hasParam) {
                // The parameter is a signed 16-bit code unit.
                text(static_cast<char16_t>(static_cast<unsigned>(value) & 0xFFFF));
                m_fallbackLeft = state().unicodeSkip;
            }
            break;
        default:
            return false;
        }
        return true;
    }

    void paragraphWord(Word word, int value)
    {
        ParagraphFormat& paragraph = state().paragraph;
        switch (word) {
        case Word::Par:
            endParagraph();
            break;
        case Word::Pard:
            paragraph = ParagraphFormat{};
            break;
        case Word::AlignLeft:
            paragraph.alignment = Alignment::Left;
            break;
        case Word::AlignCenter:
            paragraph.alignment = Alignment::Center;
            break;
        case Word::AlignRight:
            paragraph.alignment = Alignment::Right;
            break;
        case Word::AlignJustify:
            paragraph.alignment = Alignment::Justify;
            break;
        case Word::LeftIndent:
            paragraph.leftIndent = clampTwips(value);
            break;
        case Word::RightIndent:
            paragraph.rightIndent = clampTwips(value);
            break;
        case Word::FirstIndent:
            paragraph.firstLineIndent = clampTwips(value);
            break;
        case Word::SpaceBefore:
            paragraph.spaceBefore = std::clamp(value, 0, MaxTwips);
            break;
        case Word::SpaceAfter:
            paragraph.spaceAfter = std::clamp(value, 0, MaxTwips);
            break;
        case Word::LineSpacing:
            paragraph.lineSpacing = clampTwips(value);
            break;
        case Word::LineMultiple:
            paragraph.lineSpacingMultiple = value != 0;
            break;
        case Word::TabStop:
            if (paragraph.tabStops.size() < MaxTabStops)
                paragraph.tabStops.append(std::clamp(value, 0, MaxTwips));
            break;
        default:
            break;
        }
    }

    CharFormat resolve(const CharState& chars) const
    {
        CharFormat format;
        const auto font = m_fonts.find(fontNumber(chars));
        if (font != m_fonts.end()) {
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

    std::optional<quint32> colorAt(int index) const
    {
        if (index < 0 || std::size_t(index) >= m_colors.size())
            return std::nullopt;
        return m_colors[std::size_t(index)];
    }

    // Text collects until the formatting may change, then becomes a run.
    void flushText()
    {
        if (m_pending.isEmpty())
            return;
        Paragraph& paragraph = m_doc.paragraphs.back();
        const CharFormat format = resolve(state().chars);
        if (!paragraph.runs.isEmpty() && paragraph.runs.back().format == format)
            paragraph.runs.back().text += m_pending;
        else
            paragraph.runs.append(Run{m_pending, format});
        paragraph.format = state().paragraph;
        m_pending.clear();
    }

    void endParagraph()
    {
        if (skipping() || state().destination != Destination::Text)
            return;
        endSurrogate();
        flushText();
        Paragraph& paragraph = m_doc.paragraphs.back();
        paragraph.format = state().paragraph;
        paragraph.markFormat = resolve(state().chars);
        m_doc.paragraphs.append(Paragraph{});
    }

    void finish()
    {
        if (!skipping() && state().destination == Destination::Text)
            endSurrogate();
        flushText();
        // The last paragraph mark of a file opens a paragraph that never gets text.
        if (m_doc.paragraphs.size() > 1 && m_doc.paragraphs.back().runs.isEmpty())
            m_doc.paragraphs.removeLast();
    }

    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    std::vector<GroupState> m_stack;
    qsizetype m_overflow = 0; // groups opened beyond MaxGroupDepth
    int m_fallbackLeft = 0;
    QString m_pending;
    char16_t m_highSurrogate = 0;

    std::map<int, Font> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = -1;
    Font m_font;
    QString m_fontName;

    std::vector<std::optional<quint32>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    Document m_doc;
};

} // namespace

Document read(QByteArrayView rtf)
{
    return Parser(rtf).run();
}

} // namespace Rtf
