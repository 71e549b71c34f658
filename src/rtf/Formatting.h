#pragma once

#include "rtf/ControlWords.h"
#include "rtf/Document.h"

namespace Rtf {

constexpr int defaultHalfPoints = 24;

// Character properties as the control words leave them; font and colours stay
// table numbers until text is written.
struct CharState
{
    int font = -1; // -1: the default font
    int halfPoints = defaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    VerticalPosition position = VerticalPosition::Normal;
    int color = -1;
    int background = -1;
};

// Applies a character or paragraph formatting word; false if `word` is
// neither.
bool applyCharWord(CharState& chars, Word word, bool hasParameter, int value);
bool applyParagraphWord(ParagraphFormat& paragraph, Word word, int value);

} // namespace Rtf
