#pragma once

#include "rtf/ControlWords.h"
#include "rtf/Document.h"

namespace Rtf {

// Deeper tables are read as tables of this depth.
constexpr int maxTableDepth = 16;

// Row definitions (\trowd ... \cellx) as they are read, one per table depth:
// a nested table's definition comes while its outer row is still open.
class RowDefinitions
{
public:
    // Applies a row or cell word at `depth`; false if `word` is neither.
    // `color` is the colour table's entry for the words that take one.
    bool apply(Word word, int value, int depth, std::optional<quint32> color);

    const RowFormat& at(int depth) const;

private:
    RowFormat& row();

    RowFormat m_rows[maxTableDepth];
    int m_depth = 1;
    CellFormat m_cell;          // the cell being defined, until its \cellx
    Border* m_border = nullptr; // the border \brdr words apply to
};

// Places paragraphs into the body or into the cells of tables, nested ones
// too, as the cell and row marks end them. Past a number of tables, counted
// in `tablesOpened` with those of other builders of the document, text stays
// where it is.
class TableBuilder
{
public:
    TableBuilder(std::vector<Block>& body, int& tablesOpened)
        : m_body(body), m_tablesOpened(tablesOpened)
    {
    }

    void addParagraph(Paragraph&& paragraph, int depth);
    void endCell(int depth);
    void endRow(int depth, const RowFormat& format);
    void closeAll() { closeDeeperThan(0); }

private:
    struct Level
    {
        Table table;
        Row row;
        Cell cell;
    };

    std::vector<Block>& blocksAt(int depth);
    int reach(int depth);
    void closeDeeperThan(int depth);
    static void endCell(Level& level);

    std::vector<Block>& m_body;
    std::vector<Level> m_levels; // m_levels[0] is the table at depth 1
    int& m_tablesOpened;
};

} // namespace Rtf
