#pragma once

#include <string_view>

namespace Rtf {

// The control words the reader acts on; any other is skipped.
enum class Word {
    // destinations
    FontTable,
    ColorTable,
    Picture,
    PictureAlternative, // \shppict and \nonshppict: the same picture twice, the first one shown
    TableProperties,    // \nesttableprops: read like the body
    Footnote,
    SkippedDestination,
    // document
    DefaultFont,
    DefaultTab,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    FootnoteStart,
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
    FontCodePage,
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
    FootnoteMark,
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
    // tables
    InTable,
    TableDepth,
    Cell,
    NestedCell,
    Row,
    NestedRow,
    RowDefaults,
    RowLeft,
    RowGap,
    CellRight,
    CellBorderTop,
    CellBorderLeft,
    CellBorderBottom,
    CellBorderRight,
    OtherBorder, // of paragraphs and rows: their settings are not a cell's
    BorderNone,
    BorderStyle,
    BorderWidth,
    BorderColor,
    CellShading,
    CellMerge,
    CellVerticalMerge,
    // pictures
    Png,
    Jpeg,
    Dib,
    Metafile,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

// The word a name stands for, or nothing.
const Word* findWord(std::string_view name);

// The character a control word such as \emdash stands for, or 0.
char16_t characterWord(std::string_view name);

} // namespace Rtf
