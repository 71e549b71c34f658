#include "toolkit/Twips.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <limits>

namespace Twips {

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(std::clamp(value, lo, hi)));
}

int toPixels(double twips)
{
    return roundHalfEven(twips / perPixel);
}

int pointsToPixels(double points)
{
    return std::max(1, roundHalfEven(points * 4.0 / 3.0));
}

double fontPoints(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() * 0.75 : font.pointSizeF();
}

void setFontPoints(QFont& font, double points)
{
    font.setPixelSize(pointsToPixels(points));
}

} // namespace Twips
