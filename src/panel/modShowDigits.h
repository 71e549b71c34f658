#pragma once

#include <QtGlobal>

// How a prototype player row scales into a real row box. Pure arithmetic on
// twips, kept apart from the widgets so the worked sizes can be checked.
namespace modShowDigits {

struct Columns
{
    qint16 name = 1, number = 1, fouls = 1, points = 1; // 1 shown, 0 hidden
    int count() const { return (name == 1) + (number == 1) + (fouls == 1) + (points == 1); }
};

struct Prototype
{
    double nameWidth = 0, nameHeight = 0, nameFontPoints = 0;
    double numberWidth = 0, numberHeight = 0; // the number display sizes the row
    double foulsWidth = 0, pointsWidth = 0;
    int numberDigitSize = 0, foulsDigitSize = 0, pointsDigitSize = 0;
};

struct RowScale
{
    int rowHeight = 0;    // prototype row height, spacing included
    int protoWidth = 0;   // prototype row width, spacing included
    double sRatio = 0;    // prototype to real row
    double colGap = 0;    // free width per shown cell
    int firstLeft = 0;    // left of the first shown cell
    double nameWidth = 0, nameHeight = 0, nameFontPoints = 0;
    int numberDigitSize = 0, foulsDigitSize = 0, pointsDigitSize = 0;
};

int roundToInt(double value);

// The largest uniform scale at which the prototype row, with its spacing,
// fits a row box of rowWidth x rowHeight twips.
RowScale scaleRow(const Prototype& proto, const Columns& shown, double rowWidth, double rowHeight);

} // namespace modShowDigits
