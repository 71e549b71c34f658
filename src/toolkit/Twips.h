#pragma once

#include <QtGlobal>

class QFont;

// Lengths in twips (1/1440 inch). A Qt logical pixel is 15 twips; a value set
// in twips is stored as whole pixels, and reading it back gives pixels x 15.
// Every rounding and read-back rule of the program lives here.
namespace Twips {

constexpr int perPixel = 15;

// Round half to even, in 32-bit so large panels do not overflow.
int roundHalfEven(double value);

int toPixels(double twips);
constexpr int fromPixels(int pixels)
{
    return pixels * perPixel;
}
// The value a control reports after being given `twips`.
inline int readBack(double twips)
{
    return fromPixels(toPixels(twips));
}

// Font sizes go through the pixel size so text ignores the X server's DPI.
int pointsToPixels(double points);
double fontPoints(const QFont& font);
void setFontPoints(QFont& font, double points);

} // namespace Twips
