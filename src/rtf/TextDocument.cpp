#include "rtf/TextDocument.h"

#include "rtf/PictureImage.h"
#include "rtf/TableLayout.h"
#include "toolkit/Twips.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <tuple>

namespace Rtf {
namespace {

// A picture that cannot be shown keeps its place, a light grey frame.
constexpr QRgb emptyFrame = 0xFFF0F0F0;
// Some seconds of merging cells in the largest tables a file can make.
constexpr qint64 maxMergeWork = 20'000'000;

qreal pixels(int twips)
{
    return qreal(twips) / Twips::perPixel;
}

QColor color(const std::optional<quint32>& rgb, QColor fallback)
{
    return rgb ? QColor(QRgb(*rgb)) : fallback;
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

QTextTableCellFormat cellFormat(const CellFormat& cell, int padding)
{
    QTextTableCellFormat format;
    const auto border = [](const Border& b) {
        return b.width > 0 ? std::max(1.0, pixels(b.width)) : 0.0;
    };
    format.setTopBorder(border(cell.top));
    format.setLeftBorder(border(cell.left));
    format.setBottomBorder(border(cell.bottom));
    format.setRightBorder(border(cell.right));
    for (const auto& [b, setStyle, setBrush] :
         {std::tuple{&cell.top, &QTextTableCellFormat::setTopBorderStyle,
                     &QTextTableCellFormat::setTopBorderBrush},
          std::tuple{&cell.left, &QTextTableCellFormat::setLeftBorderStyle,
                     &QTextTableCellFormat::setLeftBorderBrush},
          std::tuple{&cell.bottom, &QTextTableCellFormat::setBottomBorderStyle,
                     &QTextTableCellFormat::setBottomBorderBrush},
          std::tuple{&cell.right, &QTextTableCellFormat::setRightBorderStyle,
                     &QTextTableCellFormat::setRightBorderBrush}}) {
        (format.*setStyle)(b->width > 0 ? QTextFrameFormat::BorderStyle_Solid
                                        : QTextFrameFormat::BorderStyle_None);
        (format.*setBrush)(color(b->color, Qt::black));
    }
    if (cell.background)
        format.setBackground(QColor(QRgb(*cell.background)));
    format.setLeftPadding(pixels(padding));
    format.setRightPadding(pixels(padding));
    format.setTopPadding(1);
    format.setBottomPadding(1);
    return format;
}

QTextTableFormat tableFormat(const TableLayout& layout)
{
    QList<QTextLength> widths;
    for (int width : layout.widths)
        widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, pixels(width))
                                : QTextLength());
    QTextTableFormat format;
    format.setColumnWidthConstraints(widths);
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setLeftMargin(std::max(0.0, pixels(layout.left)));
    format.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    return format;
}

// A cell merged into another usually holds an empty paragraph, which would
// only make the cell taller.
bool isEmpty(const Cell& cell)
{
    return std::all_of(cell.blocks.begin(), cell.blocks.end(), [](const Block& block) {
        const auto* paragraph = std::get_if<Paragraph>(&block.content);
        return paragraph && paragraph->runs.isEmpty();
    });
}

// Writes blocks at a cursor that stands in an empty block, which the first
// paragraph takes over.
class Builder
{
public:
    explicit Builder(const Document& rtf) : m_rtf(rtf)
    {
        static int generation = 0;
        m_urlPrefix = QStringLiteral("rtfpicture:%1/").arg(++generation);
    }

    // `fresh` while the cursor stands in such a block.
    void blocks(const std::vector<Block>& blocks, QTextCursor& cursor, bool& fresh)
    {
        for (const Block& block : blocks) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block.content))
                this->paragraph(*paragraph, cursor, fresh);
            else
                table(std::get<Table>(block.content), cursor, fresh);
        }
    }

    QString pictureUrl(int index) const { return m_urlPrefix + QString::number(index); }

private:
    void paragraph(const Paragraph& paragraph, QTextCursor& cursor, bool& fresh)
    {
        if (fresh) {
            cursor.setBlockFormat(blockFormat(paragraph.format));
            cursor.setBlockCharFormat(charFormat(paragraph.markFormat));
            fresh = false;
        } else {
            cursor.insertBlock(blockFormat(paragraph.format), charFormat(paragraph.markFormat));
        }
        for (const Run& run : paragraph.runs) {
            if (run.picture >= 0)
                picture(run.picture, cursor);
            else
                cursor.insertText(run.text, charFormat(run.format));
        }
    }

    void picture(int index, QTextCursor& cursor)
    {
        const Picture& picture = m_rtf.pictures[index];
        QSizeF size(pixels(picture.width), pixels(picture.height));
        if (size.isEmpty())
            size = pictureSize(picture);
        QTextImageFormat format;
        format.setName(pictureUrl(index));
        format.setWidth(size.width());
        format.setHeight(size.height());
        cursor.insertImage(format);
    }

    void table(const Table& table, QTextCursor& cursor, bool& fresh)
    {
        const TableLayout layout(table);
        const int rows = int(table.rows.size());
        if (!fresh)
            cursor.insertBlock();
        QTextTable* made = cursor.insertTable(rows, layout.columns, tableFormat(layout));
        // Cells are taken before any is filled: a cell keeps its place as the
        // document grows, the table's grid need not be worked out again.
        std::vector<QTextTableCell> cells;
        for (const TableLayout::Placed& placed : layout.cells)
            cells.push_back(made->cellAt(placed.row, placed.column));
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const TableLayout::Placed& placed = layout.cells[i];
            QTextCursor inside = cells[i].firstCursorPosition();
            bool fresh = true;
            for (const Cell* content : placed.contents)
                if (content == placed.contents.front() || !isEmpty(*content))
                    blocks(content->blocks, inside, fresh);
            // A cell's format lives in its first block's character format,
            // which the first paragraph sets: so it comes after the content.
            QTextCharFormat format = cells[i].format();
            format.merge(cellFormat(placed.format, placed.padding));
            cells[i].setFormat(format);
        }
        // Merged last, as a cell's first paragraph sets its whole format, spans
        // included. Each merge costs Qt work for every cell of the table: past
        // a bound, merged cells stay apart, their text in the first of them.
        for (const TableLayout::Placed& placed : layout.cells) {
            if (placed.rowSpan == 1 && placed.columnSpan == 1)
                continue;
            m_mergeWork += qint64(rows) * layout.columns;
            if (m_mergeWork <= maxMergeWork)
                made->mergeCells(placed.row, placed.column, placed.rowSpan, placed.columnSpan);
        }
        cursor = made->lastCursorPosition();
        cursor.movePosition(QTextCursor::NextBlock);
        fresh = true;
    }

    const Document& m_rtf;
    QString m_urlPrefix;
    qint64 m_mergeWork = 0;
};

} // namespace

void fillTextDocument(QTextDocument* target, const Document& rtf)
{
    const bool undo = target->isUndoRedoEnabled();
    target->setUndoRedoEnabled(false);
    target->clear();
    QTextOption option = target->defaultTextOption();
    option.setTabStopDistance(pixels(rtf.defaultTabTwips));
    target->setDefaultTextOption(option);

    Builder builder(rtf);
    // Pictures are decoded when first shown, not all at once on loading.
    const QString prefix = builder.pictureUrl(0).chopped(1);
    target->setResourceProvider([pictures = rtf.pictures, prefix](const QUrl& url) -> QVariant {
        const QString name = url.toString();
        bool ok = false;
        const int index = name.startsWith(prefix) ? name.mid(prefix.size()).toInt(&ok) : -1;
        if (!ok || index < 0 || index >= pictures.size())
            return {};
        QImage image = decodePicture(pictures[index]);
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_RGB32);
            image.fill(emptyFrame);
        }
        return image;
    });

    QTextCursor cursor(target);
    cursor.beginEditBlock();
    bool fresh = true;
    builder.blocks(rtf.blocks, cursor, fresh);
    cursor.endEditBlock();
    target->setUndoRedoEnabled(undo);
}

} // namespace Rtf
