#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRectF>

class QPainter;
class SegmentGeometry;

// Paints LED digits in one style and colour pair onto any paint device, so
// the number display and the style preview draw alike.
class LedPainter
{
public:
    enum Style { Lines = 0, Dots = 1 };

    LedPainter(int style, const QColor& lit, const QColor& back);

    // Fills `area` with the background and draws `digits` (-1 for a blank
    // position) in a row centred in it.
    void paintRow(QPainter& painter, const QRectF& area, const QList<int>& digits) const;

    // The row drawn at `size` logical pixels for a screen of `devicePixelRatio`.
    QPixmap pixmap(const QSize& size, qreal devicePixelRatio, const QList<int>& digits) const;
    // Whether `cache` was drawn for that size and ratio and can be shown as is.
    static bool fits(const QPixmap& cache, const QSize& size, qreal devicePixelRatio);

private:
    void paintDigit(QPainter& painter, const SegmentGeometry& geometry, int mask) const;

    int m_style;
    QColor m_lit;
    QColor m_unlit;
    QColor m_highlight;
    QColor m_back;
};
