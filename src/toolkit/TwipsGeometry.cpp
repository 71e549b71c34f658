#include "toolkit/TwipsGeometry.h"

#include <QWidget>
#include <algorithm>

namespace Twips {
namespace {
// Qt sizes cannot be negative; the toolkit clamps them the same way.
int sizePixels(double twips) { return std::max(0, toPixels(twips)); }
} // namespace

int left(const QWidget* w) { return fromPixels(w->x()); }
int top(const QWidget* w) { return fromPixels(w->y()); }
int width(const QWidget* w) { return fromPixels(w->width()); }
int height(const QWidget* w) { return fromPixels(w->height()); }

void setLeft(QWidget* w, double twips) { w->move(toPixels(twips), w->y()); }
void setTop(QWidget* w, double twips) { w->move(w->x(), toPixels(twips)); }
void setWidth(QWidget* w, double twips) { w->resize(sizePixels(twips), w->height()); }
void setHeight(QWidget* w, double twips) { w->resize(w->width(), sizePixels(twips)); }

void setGeometry(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(toPixels(left), toPixels(top), sizePixels(width), sizePixels(height));
}

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
