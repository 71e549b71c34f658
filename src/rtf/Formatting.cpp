#include "rtf/Formatting.h"

#include <algorithm>

namespace Rtf {
namespace {

// Word's own limits.
constexpr int maxTabStops = 64;
constexpr int minHalfPoints = 2;
constexpr int maxHalfPoints = 3276;

int clampTwips(int value)
{
    return std::clamp(value, -maxTwips, maxTwips);
}

} // namespace

bool applyCharWord(CharState& chars, Word word, bool hasParameter, int value)
{
    const bool on = !hasParameter || value != 0;
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
        if (hasParameter)
            chars.font = value;
        break;
    case Word::FontSize:
        chars.halfPoints =
            hasParameter ? std::clamp(value, minHalfPoints, maxHalfPoints) : defaultHalfPoints;
        break;
    case Word::Color:
        chars.color = hasParameter ? value : -1;
        break;
    case Word::Background:
        chars.background = hasParameter ? value : -1;
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
    default:
        return false;
    }
    return true;
}

bool applyParagraphWord(ParagraphFormat& paragraph, Word word, int value)
{
    switch (word) {
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
        paragraph.spaceBefore = std::clamp(value, 0, maxTwips);
        break;
    case Word::SpaceAfter:
        paragraph.spaceAfter = std::clamp(value, 0, maxTwips);
        break;
    case Word::LineSpacing:
        paragraph.lineSpacing = clampTwips(value);
        break;
    case Word::LineMultiple:
        paragraph.lineSpacingMultiple = value != 0;
        break;
    case Word::TabStop:
        if (paragraph.tabStops.size() < maxTabStops)
            paragraph.tabStops.append(std::clamp(value, 0, maxTwips));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace Rtf
