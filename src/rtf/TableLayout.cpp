#include "rtf/TableLayout.h"

#include <algorithm>

namespace Rtf {
namespace {

constexpr int maxColumns = 63; // Word's limit per table

// A cell and those merged into it from its right, within one row.
struct RowCell
{
    int start = 0;
    int end = 0;
    const CellFormat* format = nullptr;
    std::vector<const Cell*> contents;
};

} // namespace

TableLayout::TableLayout(const Table& table)
{
    placeColumns(table);
    placeCells(table);
}

// One grid needs every row to define each of its cells, with edges that grow
// from left to right, and at most Word's number of columns in all. Otherwise
// the cells stand by their index, as wide as the fullest row's.
void TableLayout::placeColumns(const Table& table)
{
    for (const Row& row : table.rows) {
        const QList<CellFormat>& defined = row.format.cells;
        bool usable = !defined.isEmpty() && defined.size() >= qsizetype(row.cells.size());
        int edge = row.format.left;
        m_edges.push_back(edge);
        for (const CellFormat& cell : defined) {
            usable = usable && cell.rightEdge > edge;
            edge = cell.rightEdge;
            m_edges.push_back(edge);
        }
        if (!usable) {
            m_edges.clear();
            break;
        }
    }
    std::sort(m_edges.begin(), m_edges.end());
    m_edges.erase(std::unique(m_edges.begin(), m_edges.end()), m_edges.end());
    if (m_edges.size() > maxColumns + 1)
        m_edges.clear();
    if (!m_edges.empty()) {
        columns = int(m_edges.size()) - 1;
        left = m_edges.front();
        for (int i = 0; i < columns; ++i)
            widths.append(m_edges[std::size_t(i) + 1] - m_edges[std::size_t(i)]);
        return;
    }
    const Row* fullest = nullptr;
    for (const Row& row : table.rows) {
        columns = std::max(columns, int(row.cells.size()));
        if (!fullest || row.format.cells.size() > fullest->format.cells.size())
            fullest = &row;
    }
    widths = QList<int>(columns, 0);
    left = fullest ? fullest->format.left : 0;
    int edge = left;
    for (qsizetype i = 0; fullest && i < std::min<qsizetype>(columns, fullest->format.cells.size());
         ++i) {
        const int right = fullest->format.cells[i].rightEdge;
        if (right > edge)
            widths[i] = right - edge;
        edge = std::max(edge, right);
    }
}

// A cell marked as merged into the one before it widens that one; one merged
// into the cell above lengthens that one if it covers the same columns.
// Otherwise, at the start of a row or of a table, it stands on its own.
void TableLayout::placeCells(const Table& table)
{
    static const CellFormat undefined;
    const auto columnOf = [this](int edge) {
        return int(std::lower_bound(m_edges.begin(), m_edges.end(), edge) - m_edges.begin());
    };
    std::vector<int> above(std::size_t(columns), -1), here(std::size_t(columns), -1);
    for (int r = 0; r < int(table.rows.size()); ++r) {
        const Row& row = table.rows[std::size_t(r)];
        std::vector<RowCell> merged;
        int start = m_edges.empty() ? 0 : columnOf(row.format.left);
        for (int c = 0; c < int(row.cells.size()); ++c) {
            const CellFormat* format =
                c < row.format.cells.size() ? &row.format.cells[c] : &undefined;
            const int end = m_edges.empty() ? c + 1 : columnOf(format->rightEdge);
            if (format->mergeLeft && !merged.empty())
                merged.back().end = end;
            else
                merged.push_back({start, end, format, {}});
            merged.back().contents.push_back(&row.cells[std::size_t(c)]);
            start = end;
        }
        std::fill(here.begin(), here.end(), -1);
        for (RowCell& cell : merged) {
            const int upper = cell.format->mergeUp ? above[std::size_t(cell.start)] : -1;
            Placed* joined = upper >= 0 ? &cells[std::size_t(upper)] : nullptr;
            int index = upper;
            if (joined && joined->column == cell.start &&
                joined->column + joined->columnSpan == cell.end &&
                joined->row + joined->rowSpan == r) {
                ++joined->rowSpan;
                joined->contents.insert(joined->contents.end(), cell.contents.begin(),
                                        cell.contents.end());
            } else {
                index = int(cells.size());
                cells.push_back({r, cell.start, 1, cell.end - cell.start, *cell.format,
                                 row.format.padding, std::move(cell.contents)});
            }
            std::fill(here.begin() + cell.start, here.begin() + cell.end, index);
        }
        above.swap(here);
    }
}

} // namespace Rtf
