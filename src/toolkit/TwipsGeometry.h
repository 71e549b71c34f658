#pragma once

#include "toolkit/Twips.h"

class QWidget;

// Controls placed and read back in twips, as the layouts are drawn.
namespace Twips {

int left(const QWidget* w);
int top(const QWidget* w);
int width(const QWidget* w);
int height(const QWidget* w);

void setLeft(QWidget* w, double twips);
void setTop(QWidget* w, double twips);
void setWidth(QWidget* w, double twips);
void setHeight(QWidget* w, double twips);
void setGeometry(QWidget* w, double left, double top, double width, double height);

double fontPoints(const QWidget* w);
void setFontPoints(QWidget* w, double points);

} // namespace Twips
