#include "panel/modShowDigits.h"

#include "toolkit/Twips.h"

namespace modShowDigits {

int roundToInt(double value) { return Twips::roundHalfEven(value); }

RowScale scaleRow(const Prototype& proto, const Columns& shown, double rowWidth, double rowHeight)
{
    RowScale s;
    const double shownWidth = shown.number * proto.numberWidth + shown.name * proto.nameWidth +
                              shown.fouls * proto.foulsWidth + shown.points * proto.pointsWidth;
    const int count = shown.count();
    s.rowHeight = roundToInt(1.2 * proto.numberHeight);
    s.protoWidth = roundToInt(shownWidth);
    s.protoWidth = roundToInt(0.4 * proto.numberWidth * count + s.protoWidth);

    // A row box without area, or nothing to show: scale to nothing rather
    // than divide by zero.
    if (rowWidth <= 0 || rowHeight <= 0 || s.rowHeight <= 0 || s.protoWidth <= 0 || count == 0)
        return s;

    const float a = float(s.rowHeight / rowHeight);
    const float b = float(s.protoWidth / rowWidth);
    const double scaledHeight =
        b < a ? rowHeight : rowWidth * (double(s.rowHeight) / double(s.protoWidth));
    s.sRatio = scaledHeight / s.rowHeight;
    s.colGap = (rowWidth - s.sRatio * shownWidth) / count;
    s.firstLeft = roundToInt(s.colGap / 2);
    s.nameWidth = s.sRatio * proto.nameWidth;
    s.nameHeight = s.sRatio * proto.nameHeight;
    s.nameFontPoints = s.sRatio * proto.nameFontPoints;
    s.numberDigitSize = roundToInt(proto.numberDigitSize * s.sRatio);
    s.foulsDigitSize = roundToInt(proto.foulsDigitSize * s.sRatio);
    s.pointsDigitSize = roundToInt(proto.pointsDigitSize * s.sRatio);
    return s;
}

} // namespace modShowDigits
