#include "display/LedPainter.h"

#include "display/DotGrid.h"
#include "display/LedDigits.h"
#include "display/SegmentGeometry.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

constexpr qreal unlitShare = 0.13;
constexpr qreal highlightShare = 0.35;
// Lamps narrower than this many device pixels are drawn as whole-pixel
// squares: a round one would leave every pixel partly covered and dim.
constexpr int roundLampDiameter = 3;

QColor mix(const QColor& a, const QColor& b, qreal shareOfB)
{
    const auto channel = [&](int x, int y) { return qRound(x + (y - x) * shareOfB); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

// An unlit segment is the lit colour faintly mixed into the background, as
// on a real board where the dark LEDs still catch some light.
QColor unlitColor(const QColor& lit, const QColor& back)
{
    return mix(back, lit, unlitShare);
}

} // namespace

LedPainter::LedPainter(int style, const QColor& lit, const QColor& back)
    : m_style(style == Dots ? Dots : Lines), m_lit(lit), m_unlit(unlitColor(lit, back)),
      m_highlight(mix(lit, Qt::white, highlightShare)), m_back(back)
{
}

QPixmap LedPainter::pixmap(const QSize& size, qreal devicePixelRatio,
                           const QList<int>& digits) const
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    if (pixmap.isNull())
        return pixmap;
    // At a fractional ratio the pixmap can be a part of a pixel larger than
    // `size`; the digits still go where they go at every other ratio.
    pixmap.fill(m_back);
    QPainter painter(&pixmap);
    const QRectF area(QPointF(0, 0), size);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (m_style == Lines)
        paintLines(painter, area, digits);
    else
        paintDots(painter, area, digits, devicePixelRatio);
    return pixmap;
}

bool LedPainter::fits(const QPixmap& cache, const QSize& size, qreal devicePixelRatio)
{
    return !cache.isNull() && cache.devicePixelRatio() == devicePixelRatio &&
           cache.size() == size * devicePixelRatio;
}

void LedPainter::paintLines(QPainter& painter, const QRectF& area, const QList<int>& digits) const
{
    const QList<QRectF> boxes = SegmentGeometry::row(area, int(digits.size()));
    for (int i = 0; i < boxes.size(); ++i) {
        const SegmentGeometry geometry(boxes[i]);
        const int mask = LedDigits::segmentMask(digits[i]);
        for (int segment = 0; segment < SegmentGeometry::segmentCount; ++segment) {
            painter.setBrush(mask & (1 << segment) ? m_lit : m_unlit);
            painter.drawPolygon(geometry.bar(segment));
        }
    }
}

void LedPainter::paintDots(QPainter& painter, const QRectF& area, const QList<int>& digits,
                           qreal devicePixelRatio) const
{
    const DotGrid grid(area, int(digits.size()), devicePixelRatio);
    const bool round = grid.diameter() >= roundLampDiameter;
    for (int i = 0; i < grid.digitCount(); ++i) {
        const int mask = LedDigits::segmentMask(digits[i]);
        for (int segment = 0; segment < SegmentGeometry::segmentCount; ++segment) {
            const bool lit = mask & (1 << segment);
            painter.setBrush(lit ? m_lit : m_unlit);
            for (const QRectF& lamp : grid.dots(i, segment)) {
                if (!round) {
                    painter.drawRect(lamp);
                    continue;
                }
                if (lit) {
                    // A lit lamp is brightest in its middle and full colour to its rim.
                    const qreal r = lamp.width() / 2;
                    QRadialGradient glow(lamp.center(), r, lamp.center() - QPointF(r, r) * 0.25);
                    glow.setColorAt(0, m_highlight);
                    glow.setColorAt(0.6, m_lit);
                    painter.setBrush(glow);
                }
                painter.drawEllipse(lamp);
            }
        }
    }
}
