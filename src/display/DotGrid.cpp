#include "display/DotGrid.h"

#include "display/SegmentGeometry.h"

#include <QtMath>

namespace {

// A lamp's diameter over the pitch, when the pitch leaves room for a choice.
constexpr qreal lampShare = 0.8;
// Narrowest lamp, in device pixels: anything less is a grey smudge.
constexpr int minDiameter = 2;
// Device pixels kept clear between the lamps of neighbouring digits.
constexpr int digitGap = 1;

// Lamps per segment for a digit this many logical pixels high.
int lampsPerSegment(qreal height)
{
    return height < 24 ? 2 : height < 44 ? 3 : 4;
}

// Lamps touch at the smallest pitches; from 4 px on, a pixel shows between them.
int lampDiameter(int pitch)
{
    return pitch <= 3 ? qMax(minDiameter, pitch)
                      : qBound(minDiameter, qRound(lampShare * pitch), pitch - 1);
}

} // namespace

DotGrid::DotGrid(const QRectF& area, int count, qreal devicePixelRatio)
    : m_ratio(devicePixelRatio > 0 ? devicePixelRatio : 1)
{
    const QList<QRectF> boxes = SegmentGeometry::row(area, count);
    if (boxes.isEmpty() || boxes[0].height() <= 0)
        return;
    m_perSegment = lampsPerSegment(boxes[0].height());
    // The pitch that makes the lamps as high as a bar digit, rounded up to
    // whole pixels, or less where that does not fit: tiny digits may use the
    // margins the bars leave free rather than shrink below legibility.
    const qreal ideal = boxes[0].height() * m_ratio / (rows() - 1 + lampShare);
    for (m_pitch = qMax(1, qCeil(ideal));; --m_pitch) {
        m_diameter = lampDiameter(m_pitch);
        if (m_pitch == 1 || fits(boxes, area))
            break;
    }
    // Digits keep the bars' spacing unless their lamps need more room.
    const QSize size = digitSize();
    const qreal spacing = digitSpacing(boxes);
    const QPointF centre = area.center() * m_ratio;
    const qreal firstLeft = centre.x() - (spacing * (count - 1) + size.width()) / 2;
    const int y = qRound(centre.y() - size.height() / 2.0);
    const int left = qCeil(area.left() * m_ratio);
    const int top = qCeil(area.top() * m_ratio);
    const int right = qFloor(area.right() * m_ratio) - size.width();
    const int bottom = qFloor(area.bottom() * m_ratio) - size.height();
    for (int i = 0; i < count; ++i) {
        m_origins << QPoint(qBound(left, qRound(firstLeft + i * spacing), right),
                            qBound(top, y, bottom));
    }
}

QList<QRectF> DotGrid::dots(int digit, int segment) const
{
    QList<QRectF> lamps;
    if (digit < 0 || digit >= digitCount())
        return lamps;
    // The unit digit's corners on the lamp grid: a segment spans n + 1 steps.
    const int steps = m_perSegment + 1;
    QPointF from, to;
    SegmentGeometry::ends(segment, from, to);
    const QPoint start(qRound(from.x() * steps), qRound(from.y() * 2 * steps));
    const QPoint step(qRound(to.x() - from.x()), qRound(2 * (to.y() - from.y())));
    const qreal side = m_diameter / m_ratio;
    for (int k = 1; k <= m_perSegment; ++k) {
        const QPoint cell = start + step * k;
        const QPoint corner =
            m_origins[digit] + QPoint(cell.x() * m_pitch + shift(cell.y()), cell.y() * m_pitch);
        lamps << QRectF(QPointF(corner) / m_ratio, QSizeF(side, side));
    }
    return lamps;
}

int DotGrid::shift(int row) const
{
    // Rounded down: tiny digits stand upright rather than break at a 1 px step.
    return qFloor(SegmentGeometry::slant() * m_pitch * (rows() - 1 - row));
}

QSize DotGrid::digitSize() const
{
    return QSize(m_perSegment * m_pitch + m_pitch + m_diameter + shift(0),
                 (rows() - 1) * m_pitch + m_diameter);
}

qreal DotGrid::digitSpacing(const QList<QRectF>& boxes) const
{
    if (boxes.size() < 2)
        return 0;
    const int upright = digitSize().width() - shift(0);
    return qMax((boxes[1].left() - boxes[0].left()) * m_ratio, qreal(upright + digitGap));
}

bool DotGrid::fits(const QList<QRectF>& boxes, const QRectF& area) const
{
    const QSize size = digitSize();
    return size.height() <= area.height() * m_ratio &&
           (boxes.size() - 1) * digitSpacing(boxes) + size.width() <= area.width() * m_ratio;
}
