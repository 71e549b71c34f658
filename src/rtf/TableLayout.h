#pragma once

#include "rtf/Document.h"

namespace Rtf {

// A table's cells on one grid of columns, as word processors draw them. The
// grid holds the cell edges of every row, so rows whose cells differ keep
// their widths and the table its outline; a cell merged with its neighbours
// covers their columns and rows.
struct TableLayout
{
    struct Placed
    {
        int row = 0;
        int column = 0;
        int rowSpan = 1;
        int columnSpan = 1;
        CellFormat format; // the first cell's
        int padding = 0;
        std::vector<const Cell*> contents; // the first cell's, then those merged into it
    };

    int columns = 1;
    QList<int> widths; // twips of each column; 0 leaves it to the layout
    int left = 0;      // where the first column starts
    std::vector<Placed> cells;

    explicit TableLayout(const Table& table);

private:
    void placeColumns(const Table& table);
    void placeCells(const Table& table);

    std::vector<int> m_edges; // the grid's; empty when the cells stand by their index
};

} // namespace Rtf
