#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

// The shapes of one seven-segment digit inside a box: bevelled bars for the
// "Lines" style and rows of round dots for the "Dots" style. Segments are
// numbered a to g as on a datasheet: 0 top, 1 upper right, 2 lower right,
// 3 bottom, 4 lower left, 5 upper left, 6 middle.
class SegmentGeometry
{
public:
    static constexpr int SegmentCount = 7;
    static constexpr int DotsPerSegment = 3;

    // The box's width over its height, slant included.
    static qreal aspectRatio();
    // Boxes for a row of `count` digits, as large as fits in `area` with a
    // small margin, evenly spaced and centred.
    static QList<QRectF> row(const QRectF& area, int count);

    explicit SegmentGeometry(const QRectF& box);

    QRectF box() const { return m_box; }
    QPolygonF bar(int segment) const;
    QList<QPointF> dots(int segment) const;
    qreal dotRadius() const { return m_dotRadius; }

private:
    QPointF slanted(qreal x, qreal y) const;
    // A segment's centre line, between two corners of the digit.
    void endpoints(int segment, qreal inset, QPointF& from, QPointF& to) const;

    QRectF m_box;
    qreal m_width = 0; // upright width, without the slant
    qreal m_thickness = 0;
    qreal m_gap = 0;
    qreal m_dotRadius = 0;
};
