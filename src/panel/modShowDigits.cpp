#include "panel/modShowDigits.h"

#include "toolkit/Twips.h"

namespace modShowDigits {

qint16 Columns::flag(int column) const
{
    const qint16 flags[] = {name, number, fouls, points};
    return flags[column];
}

int Columns::count() const
{
    return shown(Name) + shown(Number) + shown(Fouls) + shown(Points);
}

int roundToInt(double value)
{
    return Twips::roundHalfEven(value);
}

TitlePlaces placeTitles(int panelWidth, const PerColumn& titleWidths, const Columns& shown)
{
    double used = 0;
    for (int c = Name; c <= Points; ++c)
        used += shown.flag(c) * titleWidths[c];
    TitlePlaces places;
    places.gap = roundToInt((panelWidth - roundToInt(used)) / double(shown.count() + 1));
    int cursor = places.gap;
    for (int c = Name; c <= Points; ++c) {
        if (!shown.shown(c))
            continue;
        places.lefts[c] = cursor;
        cursor = roundToInt(cursor + titleWidths[c] + places.gap);
    }
    return places;
}

EditLinePlaces placeEditLine(int panelWidth, const PerColumn& captionWidths,
                             const PerColumn& boxWidths, int buttonWidth, const Columns& shown)
{
    double used = buttonWidth;
    for (int c = Name; c <= Points; ++c)
        used += shown.flag(c) * (captionWidths[c] + boxWidths[c]);
    EditLinePlaces places;
    places.gap = roundToInt((panelWidth - roundToInt(used)) / double(shown.count() + 2));
    int cursor = places.gap;
    for (int c = Name; c <= Points; ++c) {
        if (!shown.shown(c))
            continue;
        places.captionLefts[c] = cursor;
        places.boxLefts[c] = cursor + captionWidths[c];
        cursor = roundToInt(cursor + captionWidths[c] + boxWidths[c] + places.gap);
    }
    places.buttonLeft = cursor;
    return places;
}

double rowHeight(int tableHeight, int playerTotal)
{
    return tableHeight / (playerTotal * 1.1);
}

double rowTop(int index, int firstRowHeight)
{
    return index * 1.1 * firstRowHeight;
}

RowScale scaleRow(const Prototype& proto, const Columns& shown, double rowWidth, double rowHeight)
{
    RowScale s;
    const double shownWidth =
        shown.flag(Number) * proto.numberWidth + shown.flag(Name) * proto.nameWidth +
        shown.flag(Fouls) * proto.foulsWidth + shown.flag(Points) * proto.pointsWidth;
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

int nextCellLeft(int cursor, int cellWidth, const RowScale& scale)
{
    return roundToInt(cursor + cellWidth + scale.colGap);
}

} // namespace modShowDigits
