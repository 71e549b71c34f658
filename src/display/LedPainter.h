#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRectF>

class QPainter;

// Paints LED digits in one style and colour pair onto any paint device, so
// the number display and the style preview draw alike.
class LedPainter
{
public:
    enum Style { Lines = 0, Dots = 1 };

    LedPainter(int style, const QColor& lit, const QColor& back);

    // `digits` (-1 for a blank position) drawn in a row centred in `size`
    // logical pixels, for a screen of `devicePixelRatio`.
    QPixmap pixmap(const QSize& size, qreal devicePixelRatio, const QList<int>& digits) const;
    // Whether `cache` was drawn for that size and ratio and can be shown as is.
    static bool fits(const QPixmap& cache, const QSize& size, qreal devicePixelRatio);

private:
    void paintLines(QPainter& painter, const QRectF& area, const QList<int>& digits) const;
    void paintDots(QPainter& painter, const QRectF& area, const QList<int>& digits,
                   qreal devicePixelRatio) const;

    int m_style;
    QColor m_lit;
    QColor m_unlit;
    QColor m_highlight;
    QColor m_back;
};
