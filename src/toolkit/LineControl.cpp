#include "toolkit/LineControl.h"

#include "toolkit/Twips.h"

#include <QPainter>

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = Twips::readBack(x1);
    m_y1 = Twips::readBack(y1);
    m_x2 = Twips::readBack(x2);
    m_y2 = Twips::readBack(y2);
    place();
}

void LineControl::setBorderColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void LineControl::setBorderWidth(int pixels)
{
    if (m_width == pixels)
        return;
    m_width = pixels;
    place();
}

void LineControl::place()
{
    const QPoint a(Twips::toPixels(m_x1), Twips::toPixels(m_y1));
    const QPoint b(Twips::toPixels(m_x2), Twips::toPixels(m_y2));
    const int half = m_width / 2;
    setGeometry(QRect(a, b).normalized().adjusted(-half, -half, m_width - half, m_width - half));
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(m_color, m_width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPoint offset = -pos();
    const QPointF a = QPointF(Twips::toPixels(m_x1), Twips::toPixels(m_y1)) + offset;
    const QPointF b = QPointF(Twips::toPixels(m_x2), Twips::toPixels(m_y2)) + offset;
    const QPointF centre(m_width % 2 ? 0.5 : 0.0, m_width % 2 ? 0.5 : 0.0);
    painter.drawLine(a + centre, b + centre);
}
