#pragma once

#include <QtGlobal>
#include <array>

// The panel's layout arithmetic, in twips, apart from the widgets: what the
// layout reads back from a control comes in as a number, what it sets goes out
// as one. Rounded working values round half to even.
namespace modShowDigits {

// The four columns in their fixed order: Name, Number, Fouls, Points.
enum Column { Name, Number, Fouls, Points };
using PerColumn = std::array<int, 4>;

struct Columns
{
    qint16 name = 1, number = 1, fouls = 1, points = 1; // 1 shown, anything else hidden
    qint16 flag(int column) const;
    bool shown(int column) const { return flag(column) == 1; }
    int count() const;
};

int roundToInt(double value);

// The shown titles side by side: `gap` before the first, between each pair
// and (up to rounding) after the last. Hidden columns get no place (0).
struct TitlePlaces
{
    int gap = 0;
    PerColumn lefts{};
};
TitlePlaces placeTitles(int panelWidth, const PerColumn& titleWidths, const Columns& shown);

// The edit line: each shown column's caption with its box right after it,
// `gap` before the first pair, between pairs and before the button.
struct EditLinePlaces
{
    int gap = 0;
    PerColumn captionLefts{};
    PerColumn boxLefts{};
    int buttonLeft = 0;
};
EditLinePlaces placeEditLine(int panelWidth, const PerColumn& captionWidths,
                             const PerColumn& boxWidths, int buttonWidth, const Columns& shown);

// Row boxes share the table's height equally, a tenth of a row apart.
double rowHeight(int tableHeight, int playerTotal);
double rowTop(int index, int firstRowHeight);

struct Prototype
{
    double nameWidth = 0, nameHeight = 0, nameFontPoints = 0;
    double numberWidth = 0, numberHeight = 0; // the number display sizes the row
    double foulsWidth = 0, pointsWidth = 0;
    int numberDigitSize = 0, foulsDigitSize = 0, pointsDigitSize = 0;
};

struct RowScale
{
    int rowHeight = 0;  // prototype row height, spacing included
    int protoWidth = 0; // prototype row width, spacing included
    double sRatio = 0;  // prototype to real row
    double colGap = 0;  // free width per shown cell
    int firstLeft = 0;  // left of the first shown cell
    double nameWidth = 0, nameHeight = 0, nameFontPoints = 0;
    int numberDigitSize = 0, foulsDigitSize = 0, pointsDigitSize = 0;
};

// The largest uniform scale at which the prototype row, with its spacing,
// fits a row box of rowWidth x rowHeight twips. A box without area, or no
// column shown, scales to nothing.
RowScale scaleRow(const Prototype& proto, const Columns& shown, double rowWidth, double rowHeight);

// Where the next shown column of cells starts, after one whose cells are
// `cellWidth` wide.
int nextCellLeft(int cursor, int cellWidth, const RowScale& scale);

} // namespace modShowDigits
