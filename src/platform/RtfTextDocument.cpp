#include "platform/RtfTextDocument.h"

#include "platform/Twips.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace Rtf {
namespace {

qreal pixels(int twips)
{
    return qreal(twips) / Twips::PerPixel;
}

QFont::StyleHint styleHint(FontFamily family)
{
    switch (family) {
    case FontFamily::Roman:
        return QFont::Serif;
    case FontFamily::Swiss:
        return QFont::SansSerif;
    case FontFamily::Modern:
        return QFont::Monospace;
    case FontFamily::Script:
        return QFont::Cursive;
    case FontFamily::Decorative:
        return QFont::Decorative;
    case FontFamily::Any:
    case FontFamily::Technical:
        break;
    }
    return QFont::AnyStyle;
}

Qt::Alignment alignment(Alignment value)
{
    switch (value) {
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case Alignment::Justify:
        return Qt::AlignJustify;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

QTextCharFormat charFormat(const CharFormat& format)
{
    QTextCharFormat result;
    if (!format.fontName.isEmpty())
        result.setFontFamilies({format.fontName});
    result.setFontStyleHint(styleHint(format.fontFamily));
    // Pixel sizes, as everywhere in the program, so text ignores the screen DPI.
    result.setProperty(QTextFormat::FontPixelSize, Twips::pointsToPixels(format.halfPoints / 2.0));
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    switch (format.position) {
    case VerticalPosition::Superscript:
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case VerticalPosition::Subscript:
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case VerticalPosition::Normal:
        break;
    }
    if (format.color)
        result.setForeground(QColor(QRgb(*format.color)));
    if (format.background)
        result.setBackground(QColor(QRgb(*format.background)));
    return result;
}

// RTF measures tab stops from the left margin, Qt from where each line
// starts; the first line's start is what matters for the usual hanging
// indent, so stops are taken relative to it. A hanging indent also stops at
// the left indent, as in word processors.
QList<QTextOption::Tab> tabPositions(const ParagraphFormat& format)
{
    QList<int> stops = format.tabStops;
    if (format.firstLineIndent < 0)
        stops.append(format.leftIndent);
    std::sort(stops.begin(), stops.end());
    const int lineStart = format.leftIndent + format.firstLineIndent;
    QList<QTextOption::Tab> tabs;
    int previous = 0;
    for (int stop : stops) {
        if (stop - lineStart <= previous)
            continue;
        previous = stop - lineStart;
        tabs.append(QTextOption::Tab(pixels(previous), QTextOption::LeftTab));
    }
    return tabs;
}

QTextBlockFormat blockFormat(const ParagraphFormat& format)
{
    QTextBlockFormat result;
    result.setAlignment(alignment(format.alignment));
    result.setLeftMargin(pixels(format.leftIndent));
    result.setRightMargin(pixels(format.rightIndent));
    result.setTextIndent(pixels(format.firstLineIndent));
    result.setTopMargin(pixels(format.spaceBefore));
    result.setBottomMargin(pixels(format.spaceAfter));
    if (format.lineSpacingMultiple && format.lineSpacing > 0)
        result.setLineHeight(format.lineSpacing * 100.0 / 240.0,
                             QTextBlockFormat::ProportionalHeight);
    else if (format.lineSpacing > 0)
        result.setLineHeight(pixels(format.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (format.lineSpacing < 0)
        result.setLineHeight(pixels(-format.lineSpacing), QTextBlockFormat::FixedHeight);
    result.setTabPositions(tabPositions(format));
    return result;
}

} // namespace

void fillTextDocument(QTextDocument* target, const Document& rtf)
{
    const bool undo = target->isUndoRedoEnabled();
    target->setUndoRedoEnabled(false);
    target->clear();
    QTextOption option = target->defaultTextOption();
    option.setTabStopDistance(pixels(rtf.defaultTabTwips));
    target->setDefaultTextOption(option);

    QTextCursor cursor(target);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph& paragraph : rtf.paragraphs) {
        if (first) {
            cursor.setBlockFormat(blockFormat(paragraph.format));
            cursor.setBlockCharFormat(charFormat(paragraph.markFormat));
            first = false;
        } else {
            cursor.insertBlock(blockFormat(paragraph.format), charFormat(paragraph.markFormat));
        }
        for (const Run& run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.format));
    }
    cursor.endEditBlock();
    target->setUndoRedoEnabled(undo);
}

} // namespace Rtf
