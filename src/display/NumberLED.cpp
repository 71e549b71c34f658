#include "display/NumberLED.h"

#include "display/LedDigits.h"
#include "display/LedPainter.h"

#include <QEvent>
#include <QPainter>
#include <QPixmapCache>

namespace {

// A 32-bit value never needs more than ten digits; nine keep every shown
// number below the 32-bit limit.
constexpr int maxDigits = 9;

} // namespace

NumberLED::NumberLED(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(tr("LED number display"));
    applySize();
    updateAccessibleName();
}

void NumberLED::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    updateAccessibleName();
    invalidate();
    emit valueChanged(value);
}

void NumberLED::setDigitSize(int size)
{
    if (size == m_digitSize)
        return;
    m_digitSize = size;
    applySize();
    invalidate();
}

void NumberLED::setLitColor(const QColor& color)
{
    if (color == m_litColor)
        return;
    m_litColor = color;
    invalidate();
    emit litColorChanged(color);
}

void NumberLED::setBackColor(const QColor& color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    invalidate();
    emit backColorChanged(color);
}

void NumberLED::setLedType(int type)
{
    if (type == m_ledType)
        return;
    m_ledType = type;
    invalidate();
}

void NumberLED::setDigits(int digits)
{
    digits = qBound(1, digits, maxDigits);
    if (digits == m_digits)
        return;
    m_digits = digits;
    applySize();
    updateAccessibleName();
    invalidate();
}

void NumberLED::setMaximum(int maximum)
{
    if (maximum == m_maximum)
        return;
    m_maximum = maximum;
    updateAccessibleName();
    invalidate();
}

void NumberLED::copySettingsFrom(const NumberLED& other)
{
    setDigitSize(other.m_digitSize);
    setLitColor(other.m_litColor);
    setBackColor(other.m_backColor);
    setLedType(other.m_ledType);
    setDigits(other.m_digits);
    setMaximum(other.m_maximum);
    setFont(other.font());
}

QSize NumberLED::sizeFor(int digitSize, int digits)
{
    return LedDigits::displaySize(digitSize, digits);
}

QSize NumberLED::sizeHint() const
{
    return sizeFor(m_digitSize, m_digits);
}

QSize NumberLED::minimumSizeHint() const
{
    return sizeHint();
}

void NumberLED::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (!LedPainter::fits(m_cache, size(), ratio)) {
        // Displays that look alike (a fresh board is rows of them) share one drawing.
        const QList<int> digits = LedDigits::shownDigits(m_value, m_maximum, m_digits);
        QString key = QStringLiteral("NumberLED %1 %2 %3 %4x%5@%6")
                          .arg(m_ledType)
                          .arg(m_litColor.rgba())
                          .arg(m_backColor.rgba())
                          .arg(width())
                          .arg(height())
                          .arg(ratio);
        for (int digit : digits)
            key += u' ' + QString::number(digit);
        if (!QPixmapCache::find(key, &m_cache)) {
            m_cache = LedPainter(m_ledType, m_litColor, m_backColor).pixmap(size(), ratio, digits);
            QPixmapCache::insert(key, m_cache);
        }
    }
    QPainter(this).drawPixmap(0, 0, m_cache);
}

void NumberLED::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        updateAccessibleName();
    QWidget::changeEvent(event);
}

void NumberLED::applySize()
{
    setFixedSize(sizeHint());
}

void NumberLED::invalidate()
{
    m_cache = QPixmap();
    update();
}

void NumberLED::updateAccessibleName()
{
    QString shown;
    for (int digit : LedDigits::shownDigits(m_value, m_maximum, m_digits)) {
        if (digit >= 0)
            shown += QString::number(digit);
    }
    setAccessibleName(shown.isEmpty() ? tr("no value") : shown);
}
