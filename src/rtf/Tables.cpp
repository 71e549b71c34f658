#include "rtf/Tables.h"

#include <algorithm>
#include <iterator>

namespace Rtf {
namespace {

constexpr int maxCells = 63; // Word's limit per row
// Far more than a long manual has; each table costs its viewer some memory,
// and nesting makes many of them from few bytes.
constexpr int maxTables = 4096;
constexpr int maxBorderTwips = 75;

} // namespace

bool RowDefinitions::apply(Word word, int value, int depth, std::optional<quint32> color)
{
    switch (word) {
    case Word::RowDefaults:
        m_depth = std::clamp(depth, 1, maxTableDepth);
        row() = RowFormat{};
        m_cell = CellFormat{};
        m_border = nullptr;
        break;
    case Word::RowLeft:
        row().left = std::clamp(value, -maxTwips, maxTwips);
        break;
    case Word::RowGap:
        row().padding = std::clamp(value, 0, maxTwips);
        break;
    case Word::CellRight:
        if (row().cells.size() < maxCells) {
            m_cell.rightEdge = std::clamp(value, -maxTwips, maxTwips);
            row().cells.append(m_cell);
        }
        m_cell = CellFormat{};
        m_border = nullptr;
        break;
    case Word::CellBorderTop:
        m_border = &m_cell.top;
        break;
    case Word::CellBorderLeft:
        m_border = &m_cell.left;
        break;
    case Word::CellBorderBottom:
        m_border = &m_cell.bottom;
        break;
    case Word::CellBorderRight:
        m_border = &m_cell.right;
        break;
    case Word::OtherBorder:
        m_border = nullptr;
        break;
    case Word::BorderNone:
        if (m_border)
            m_border->width = 0;
        break;
    case Word::BorderStyle:
        if (m_border && m_border->width == 0)
            m_border->width = 10; // Word's default half point, until \brdrw says otherwise
        break;
    case Word::BorderWidth:
        if (m_border)
            m_border->width = std::clamp(value, 1, maxBorderTwips);
        break;
    case Word::BorderColor:
        if (m_border)
            m_border->color = color;
        break;
    case Word::CellShading:
        m_cell.background = color;
        break;
    case Word::CellMerge:
        m_cell.mergeLeft = true;
        break;
    case Word::CellVerticalMerge:
        m_cell.mergeUp = true;
        break;
    default:
        return false;
    }
    return true;
}

const RowFormat& RowDefinitions::at(int depth) const
{
    return m_rows[std::clamp(depth, 1, maxTableDepth) - 1];
}

RowFormat& RowDefinitions::row()
{
    return m_rows[m_depth - 1];
}

void TableBuilder::addParagraph(Paragraph&& paragraph, int depth)
{
    blocksAt(reach(depth)).push_back(Block{std::move(paragraph)});
}

void TableBuilder::endCell(int depth)
{
    if (const int level = reach(depth); level > 0)
        endCell(m_levels[std::size_t(level - 1)]);
}

void TableBuilder::endRow(int depth, const RowFormat& format)
{
    const int level = reach(depth);
    if (level == 0)
        return;
    Level& open = m_levels[std::size_t(level - 1)];
    if (!open.cell.blocks.empty())
        endCell(open);
    open.row.format = format;
    open.table.rows.push_back(std::move(open.row));
    open.row = Row{};
}

std::vector<Block>& TableBuilder::blocksAt(int depth)
{
    return depth == 0 ? m_body : m_levels[std::size_t(depth - 1)].cell.blocks;
}

// Closes the tables deeper than `depth` and opens tables down to it, as far
// as the document's number of tables allows; returns the depth reached.
int TableBuilder::reach(int depth)
{
    closeDeeperThan(depth);
    while (int(m_levels.size()) < depth && m_tablesOpened < maxTables) {
        m_levels.emplace_back();
        ++m_tablesOpened;
    }
    return int(m_levels.size());
}

// A table ends where text of a lower depth begins; a row or cell left open
// keeps what it has.
void TableBuilder::closeDeeperThan(int depth)
{
    while (int(m_levels.size()) > depth) {
        Level& level = m_levels.back();
        if (!level.cell.blocks.empty())
            endCell(level);
        if (!level.row.cells.empty())
            level.table.rows.push_back(std::move(level.row));
        Table table = std::move(level.table);
        m_levels.pop_back();
        if (!table.rows.empty())
            blocksAt(int(m_levels.size())).push_back(Block{std::move(table)});
    }
}

// Cells past Word's limit join the last one, which keeps a table's grid
// within a fixed number of columns.
void TableBuilder::endCell(Level& level)
{
    if (level.row.cells.size() >= maxCells) {
        auto& last = level.row.cells.back().blocks;
        std::move(level.cell.blocks.begin(), level.cell.blocks.end(), std::back_inserter(last));
    } else {
        level.row.cells.push_back(std::move(level.cell));
    }
    level.cell = Cell{};
}

} // namespace Rtf
