#pragma once

#include <QList>
#include <QString>
#include <optional>

// A rich-text document as the RTF reader leaves it: paragraphs of formatted
// runs with fonts named and colours resolved, so whoever shows it needs to know
// nothing about RTF. Lengths are in twips, colours 0xRRGGBB.
namespace Rtf {

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

struct Run
{
    QString text; // tabs as '\t', line breaks as U+2028
    CharFormat format;
};

struct Paragraph
{
    ParagraphFormat format;
    CharFormat markFormat; // sets the height of an empty paragraph
    QList<Run> runs;

    QString text() const
    {
        QString all;
        for (const Run& run : runs)
            all += run.text;
        return all;
    }
};

struct Document
{
    QList<Paragraph> paragraphs;
    int defaultTabTwips = 720;

    QString plainText() const
    {
        QStringList lines;
        for (const Paragraph& paragraph : paragraphs)
            lines.append(paragraph.text());
        return lines.join(u'\n');
    }
};

} // namespace Rtf
