#include "SegmentGeometry.h"

#include <QLineF>

namespace {

// Proportions of a common 0.56" seven-segment LED, relative to the digit height.
constexpr qreal UprightAspect = 0.52;
constexpr qreal Slant = 0.07; // horizontal shift per unit of height: a 4° italic
constexpr qreal Thickness = 0.13;
constexpr qreal Gap = 0.016; // taken off each end of a bar
// A digit row fills at most these parts of its area's height and width, with
// this space (relative to the digit height) between digits.
constexpr qreal FillHeight = 0.85;
constexpr qreal FillWidth = 0.94;
constexpr qreal Spacing = 0.16;
// Dots sit on a grid of 5 x 9 pitches with the corners left empty, as in a
// lamp scoreboard; a dot's radius is this fraction of the pitch.
constexpr qreal DotFill = 0.45;

} // namespace

qreal SegmentGeometry::aspectRatio()
{
    return UprightAspect + Slant;
}

QList<QRectF> SegmentGeometry::row(const QRectF& area, int count)
{
    QList<QRectF> boxes;
    if (count < 1)
        return boxes;
    // Height per unit of row width: count digits plus the spaces between them.
    const qreal rowWidthPerHeight = count * aspectRatio() + (count - 1) * Spacing;
    const qreal height =
        qMax(0.0, qMin(area.height() * FillHeight, area.width() * FillWidth / rowWidthPerHeight));
    const qreal width = height * aspectRatio();
    const qreal pitch = width + height * Spacing;
    qreal left = area.center().x() - height * rowWidthPerHeight / 2;
    const qreal top = area.center().y() - height / 2;
    for (int i = 0; i < count; ++i, left += pitch)
        boxes << QRectF(left, top, width, height);
    return boxes;
}

SegmentGeometry::SegmentGeometry(const QRectF& box)
    : m_box(box), m_width(qMax(0.0, box.width() - Slant * box.height())),
      m_thickness(Thickness * box.height()), m_gap(Gap * box.height()),
      m_dotRadius(DotFill * qMin(m_width / (4 + 2 * DotFill), box.height() / (8 + 2 * DotFill)))
{
}

QPointF SegmentGeometry::slanted(qreal x, qreal y) const
{
    return QPointF(m_box.left() + x + Slant * (m_box.height() - y), m_box.top() + y);
}

void SegmentGeometry::endpoints(int segment, qreal inset, QPointF& from, QPointF& to) const
{
    const qreal left = inset;
    const qreal right = m_width - inset;
    const qreal top = inset;
    const qreal middle = m_box.height() / 2;
    const qreal bottom = m_box.height() - inset;
    switch (segment) {
    case 0:
        from = {left, top}, to = {right, top};
        break;
    case 1:
        from = {right, top}, to = {right, middle};
        break;
    case 2:
        from = {right, middle}, to = {right, bottom};
        break;
    case 3:
        from = {left, bottom}, to = {right, bottom};
        break;
    case 4:
        from = {left, middle}, to = {left, bottom};
        break;
    case 5:
        from = {left, top}, to = {left, middle};
        break;
    default:
        from = {left, middle}, to = {right, middle};
        break;
    }
}

QPolygonF SegmentGeometry::bar(int segment) const
{
    QPointF from, to;
    endpoints(segment, m_thickness / 2, from, to);
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

QList<QPointF> SegmentGeometry::dots(int segment) const
{
    QPointF from, to;
    endpoints(segment, m_dotRadius, from, to);
    QList<QPointF> centres;
    for (int i = 1; i <= DotsPerSegment; ++i) {
        const QPointF p = from + (to - from) * i / (DotsPerSegment + 1);
        centres << slanted(p.x(), p.y());
    }
    return centres;
}
