#include "display/PolyLED.h"

#include "display/LedPainter.h"

#include <QPainter>

PolyLED::PolyLED(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Digit style preview"));
    updateAccessibleDescription();
}

void PolyLED::setLedType(int type)
{
    if (type == m_ledType)
        return;
    m_ledType = type;
    updateAccessibleDescription();
    invalidate();
}

void PolyLED::setLitColor(const QColor& color)
{
    if (color == m_litColor)
        return;
    m_litColor = color;
    invalidate();
}

void PolyLED::setBackColor(const QColor& color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    invalidate();
}

QSize PolyLED::sizeHint() const
{
    return QSize(36, 65);
}

void PolyLED::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (!LedPainter::fits(m_cache, size(), ratio))
        m_cache = LedPainter(m_ledType, m_litColor, m_backColor).pixmap(size(), ratio, {8});
    QPainter(this).drawPixmap(0, 0, m_cache);
}

void PolyLED::resizeEvent(QResizeEvent* event)
{
    m_cache = QPixmap();
    QWidget::resizeEvent(event);
}

void PolyLED::invalidate()
{
    m_cache = QPixmap();
    update();
}

void PolyLED::updateAccessibleDescription()
{
    setAccessibleDescription(m_ledType == LedPainter::Dots ? tr("Dots") : tr("Lines"));
}
