#include "toolkit/FilledBox.h"

FilledBox::FilledBox(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

QColor FilledBox::backColor() const { return palette().color(QPalette::Window); }

void FilledBox::setBackColor(const QColor& color)
{
    if (backColor() == color)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}
