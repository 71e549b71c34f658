#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

// The shapes of one seven-segment digit inside a box, in logical pixels: the
// same at every screen scale, the painter maps them to device pixels.
// Segments are numbered a to g as on a datasheet: 0 top, 1 upper right,
// 2 lower right, 3 bottom, 4 lower left, 5 upper left, 6 middle.
class SegmentGeometry
{
public:
    static constexpr int segmentCount = 7;

    // The box's width over its height, slant included.
    static qreal aspectRatio();
    // Horizontal shift per unit of height that slants the digit.
    static qreal slant();
    // Boxes for a row of `count` digits, as large as fits in `area` with a
    // small margin, evenly spaced and centred.
    static QList<QRectF> row(const QRectF& area, int count);
    // A segment's centre line between two corners of an upright unit digit:
    // x 0 (left) or 1 (right), y 0 (top), 0.5 (middle) or 1 (bottom).
    static void ends(int segment, QPointF& from, QPointF& to);

    explicit SegmentGeometry(const QRectF& box);

    QRectF box() const { return m_box; }
    // The bevelled bar of the "Lines" style.
    QPolygonF bar(int segment) const;
    qreal thickness() const { return m_thickness; }

private:
    QPointF slanted(qreal x, qreal y) const;

    QRectF m_box;
    qreal m_width = 0; // upright width, without the slant
    qreal m_thickness = 0;
    qreal m_gap = 0;
};
