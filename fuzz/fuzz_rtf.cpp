// libFuzzer entry: any bytes must read into a well-formed document, which
// fills a QTextDocument whose pictures decode or stay empty frames.
#include "FuzzCheck.h"
#include "rtf/Reader.h"
#include "rtf/TableLayout.h"
#include "rtf/TextDocument.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Merged cells lie inside the table and apart, and every cell's text is
// placed once.
void checkLayout(const Rtf::Table& table, std::size_t cells)
{
    const Rtf::TableLayout layout(table);
    const int rows = int(table.rows.size());
    require(layout.columns >= 1 && layout.columns <= 63 && layout.widths.size() == layout.columns);
    std::vector<bool> covered(std::size_t(rows) * std::size_t(layout.columns));
    std::size_t placed = 0;
    for (const Rtf::TableLayout::Placed& cell : layout.cells) {
        require(cell.row >= 0 && cell.rowSpan >= 1 && cell.row + cell.rowSpan <= rows);
        require(cell.column >= 0 && cell.columnSpan >= 1 &&
                cell.column + cell.columnSpan <= layout.columns);
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) {
                const std::size_t at =
                    std::size_t(r) * std::size_t(layout.columns) + std::size_t(c);
                require(!covered[at]);
                covered[at] = true;
            }
        placed += cell.contents.size();
    }
    require(placed == cells);
}

void checkBlocks(const std::vector<Rtf::Block>& blocks, const Rtf::Document& doc, int depth)
{
    require(depth <= 16);
    for (const Rtf::Block& block : blocks) {
        if (const auto* table = std::get_if<Rtf::Table>(&block.content)) {
            require(!table->rows.empty());
            std::size_t cells = 0;
            for (const Rtf::Row& row : table->rows) {
                require(row.cells.size() <= 63 && row.format.cells.size() <= 63);
                cells += row.cells.size();
                for (const Rtf::Cell& cell : row.cells)
                    checkBlocks(cell.blocks, doc, depth + 1);
            }
            checkLayout(*table, cells);
            continue;
        }
        const auto& paragraph = std::get<Rtf::Paragraph>(block.content);
        require(paragraph.format.tabStops.size() <= 64);
        for (const Rtf::Run& run : paragraph.runs) {
            require(!run.text.isEmpty());
            require(run.text.isValidUtf16());
            for (QChar c : run.text)
                require(c == u'\t' || c.unicode() >= 0x20);
            require(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
            require(run.picture < doc.pictures.size());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    silenceQtMessages();
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Rtf::Document rtf =
        Rtf::read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    require(!rtf.blocks.empty());
    checkBlocks(rtf.blocks, rtf, 0);
    for (const Rtf::Picture& picture : rtf.pictures)
        require(picture.width >= 0 && picture.width <= 31680 && picture.height >= 0 &&
                picture.height <= 31680);

    QTextDocument doc;
    Rtf::fillTextDocument(&doc, rtf);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                image.isValid())
                require(!doc.resource(QTextDocument::ImageResource, image.name())
                             .value<QImage>()
                             .isNull());
    return 0;
}
