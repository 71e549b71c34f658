#include "display/SegmentGeometry.h"

#include <QLineF>

namespace {

// Proportions of a common 0.56" seven-segment LED, relative to the digit height.
constexpr qreal uprightAspect = 0.52;
constexpr qreal slantShare = 0.07; // a 4° italic
constexpr qreal barThickness = 0.13;
// Tiny digits keep bars this many logical pixels thick so they stay legible.
constexpr qreal minThickness = 1.5;
constexpr qreal barGap = 0.016; // taken off each end of a bar
// A digit row fills at most these parts of its area's height and width, with
// this space (relative to the digit height) between digits.
constexpr qreal fillHeight = 0.85;
constexpr qreal fillWidth = 0.94;
constexpr qreal digitSpacing = 0.16;

} // namespace

qreal SegmentGeometry::aspectRatio()
{
    return uprightAspect + slantShare;
}

qreal SegmentGeometry::slant()
{
    return slantShare;
}

QList<QRectF> SegmentGeometry::row(const QRectF& area, int count)
{
    QList<QRectF> boxes;
    if (count < 1)
        return boxes;
    // Height per unit of row width: count digits plus the spaces between them.
    const qreal rowWidthPerHeight = count * aspectRatio() + (count - 1) * digitSpacing;
    const qreal height =
        qMax(0.0, qMin(area.height() * fillHeight, area.width() * fillWidth / rowWidthPerHeight));
    const qreal width = height * aspectRatio();
    const qreal pitch = width + height * digitSpacing;
    qreal left = area.center().x() - height * rowWidthPerHeight / 2;
    const qreal top = area.center().y() - height / 2;
    for (int i = 0; i < count; ++i, left += pitch)
        boxes << QRectF(left, top, width, height);
    return boxes;
}

void SegmentGeometry::ends(int segment, QPointF& from, QPointF& to)
{
    static constexpr qreal corners[segmentCount][4] = {
        {0, 0, 1, 0},   {1, 0, 1, 0.5}, {1, 0.5, 1, 1},  {0, 1, 1, 1},
        {0, 0.5, 0, 1}, {0, 0, 0, 0.5}, {0, 0.5, 1, 0.5}};
    const qreal* c = corners[qBound(0, segment, segmentCount - 1)];
    from = QPointF(c[0], c[1]);
    to = QPointF(c[2], c[3]);
}

SegmentGeometry::SegmentGeometry(const QRectF& box)
    : m_box(box), m_width(qMax(0.0, box.width() - slantShare * box.height())),
      m_thickness(qMin(qMax(barThickness * box.height(), minThickness), box.height() / 5)),
      m_gap(barGap * box.height())
{
}

QPointF SegmentGeometry::slanted(qreal x, qreal y) const
{
    return QPointF(m_box.left() + x + slantShare * (m_box.height() - y), m_box.top() + y);
}

QPolygonF SegmentGeometry::bar(int segment) const
{
    // The centre line runs half a bar's thickness inside the box.
    const qreal inset = m_thickness / 2;
    const QPointF scale(m_width - 2 * inset, m_box.height() - 2 * inset);
    QPointF from, to;
    ends(segment, from, to);
    from = QPointF(inset + from.x() * scale.x(), inset + from.y() * scale.y());
    to = QPointF(inset + to.x() * scale.x(), inset + to.y() * scale.y());
    // Pointed ends meet their neighbours along 45° mitres; the gap is taken
    // off each end along the bar.
    const qreal length = QLineF(from, to).length();
    const qreal half = qMin(m_thickness / 2, qMax(0.0, length / 2 - m_gap));
    const QPointF along = (to - from) / qMax(length, 1e-9);
    const QPointF across(-along.y(), along.x());
    const QPointF a = from + along * m_gap;
    const QPointF b = to - along * m_gap;
    const QPointF shape[] = {a, a + (along + across) * half, b + (-along + across) * half,
                             b, b - (along + across) * half, a + (along - across) * half};
    QPolygonF polygon;
    for (const QPointF& p : shape)
        polygon << slanted(p.x(), p.y());
    return polygon;
}
