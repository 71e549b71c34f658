#pragma once

#include <QtGlobal>

class QFont;
class QWidget;

// Geometry in twips (1/1440 inch). A Qt logical pixel is 15 twips; a value set
// in twips is stored as whole pixels, and reading it back gives pixels x 15.
namespace Twips {

constexpr int PerPixel = 15;

// Round half to even, in 32-bit so large panels do not overflow.
int roundHalfEven(double value);

int toPixels(double twips);
constexpr int fromPixels(int pixels) { return pixels * PerPixel; }
// The value a control reports after being given `twips`.
inline int readBack(double twips) { return fromPixels(toPixels(twips)); }

int left(const QWidget* w);
int top(const QWidget* w);
int width(const QWidget* w);
int height(const QWidget* w);

void setLeft(QWidget* w, double twips);
void setTop(QWidget* w, double twips);
void setWidth(QWidget* w, double twips);
void setHeight(QWidget* w, double twips);
void setGeometry(QWidget* w, double left, double top, double width, double height);

// Font sizes go through the pixel size so text ignores the X server's DPI.
int pointsToPixels(double points);
double fontPoints(const QFont& font);
void setFontPoints(QFont& font, double points);
double fontPoints(const QWidget* w);
void setFontPoints(QWidget* w, double points);

} // namespace Twips
