#include "platform/Twips.h"

#include <QWidget>
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

int toPixels(double twips) { return roundHalfEven(twips / PerPixel); }

int left(const QWidget* w) { return fromPixels(w->x()); }
int top(const QWidget* w) { return fromPixels(w->y()); }
int width(const QWidget* w) { return fromPixels(w->width()); }
int height(const QWidget* w) { return fromPixels(w->height()); }

// Qt sizes cannot be negative; the toolkit clamps them the same way.
static int sizePixels(double twips) { return std::max(0, toPixels(twips)); }

void setLeft(QWidget* w, double twips) { w->move(toPixels(twips), w->y()); }
void setTop(QWidget* w, double twips) { w->move(w->x(), toPixels(twips)); }
void setWidth(QWidget* w, double twips) { w->resize(sizePixels(twips), w->height()); }
void setHeight(QWidget* w, double twips) { w->resize(w->width(), sizePixels(twips)); }

void setGeometry(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(toPixels(left), toPixels(top), sizePixels(width), sizePixels(height));
}

int pointsToPixels(double points) { return std::max(1, roundHalfEven(points * 4.0 / 3.0)); }

double fontPoints(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() * 0.75 : font.pointSizeF();
}

void setFontPoints(QFont& font, double points) { font.setPixelSize(pointsToPixels(points)); }

double fontPoints(const QWidget* w) { return fontPoints(w->font()); }

void setFontPoints(QWidget* w, double points)
{
    QFont font = w->font();
    const int px = pointsToPixels(points);
    if (font.pixelSize() == px)
        return;
    font.setPixelSize(px);
    w->setFont(font);
}

} // namespace Twips
