#include "platform/PictureBox.h"

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

QColor PictureBox::backColor() const { return palette().color(QPalette::Window); }

void PictureBox::setBackColor(const QColor& color)
{
    if (backColor() == color)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}
