#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

// A rich-text document as the RTF reader leaves it: paragraphs of formatted
// runs and tables of them, with fonts named, colours resolved and pictures
// kept as their encoded bytes, so whoever shows it needs to know nothing about
// RTF. Lengths are in twips, colours 0xRRGGBB.
namespace Rtf {

// Every length is held within 22 inches, Word's largest page: a file cannot
// make a paragraph, a cell or a picture larger.
constexpr int maxTwips = 31680;

enum class FontFamily { Any, Roman, Swiss, Modern, Script, Decorative, Technical };
enum class Alignment { Left, Center, Right, Justify };
enum class VerticalPosition { Normal, Superscript, Subscript };

struct CharFormat
{
    QString fontName; // empty: the viewer's default font
    FontFamily fontFamily = FontFamily::Any;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    VerticalPosition position = VerticalPosition::Normal;
    std::optional<quint32> color; // none: the viewer's text colour
    std::optional<quint32> background;

    bool operator==(const CharFormat&) const = default;
};

struct ParagraphFormat
{
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;              // 0 automatic; > 0 at least; < 0 exactly
    bool lineSpacingMultiple = false; // lineSpacing counts 240ths of a line
    QList<int> tabStops;

    bool operator==(const ParagraphFormat&) const = default;
};

struct Picture
{
    enum class Kind { Png, Jpeg, Dib, Other }; // Other: a metafile, shown as an empty frame
    Kind kind = Kind::Other;
    QByteArray data;
    int width = 0; // as shown
    int height = 0;
};

struct Run
{
    QString text; // tabs as '\t', line breaks as U+2028, a picture as U+FFFC
    CharFormat format;
    int picture = -1; // index into Document::pictures
};

struct Paragraph
{
    ParagraphFormat format;
    CharFormat markFormat; // sets the height of an empty paragraph
    QList<Run> runs;
};

struct Border
{
    int width = 0; // 0: not drawn
    std::optional<quint32> color;
};

struct CellFormat
{
    int rightEdge = 0; // from the margin
    Border top, left, bottom, right;
    std::optional<quint32> background;
    bool mergeLeft = false; // \clmrg: part of the cell before it
    bool mergeUp = false;   // \clvmrg: part of the cell above it
};

struct RowFormat
{
    int left = 0;    // where the first cell starts
    int padding = 0; // inside each cell, left and right
    QList<CellFormat> cells;
};

struct Block;

struct Cell
{
    std::vector<Block> blocks;
};

struct Row
{
    RowFormat format;
    std::vector<Cell> cells;
};

struct Table
{
    std::vector<Row> rows;
};

struct Block
{
    std::variant<Paragraph, Table> content;
};

struct Document
{
    std::vector<Block> blocks; // the text, then its footnotes
    QList<Picture> pictures;
    int defaultTabTwips = 720;
};

} // namespace Rtf
