#include "LedPainter.h"

#include "LedDigits.h"
#include "SegmentGeometry.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

constexpr qreal UnlitShare = 0.13;
constexpr qreal HighlightShare = 0.35;

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
    return mix(back, lit, UnlitShare);
}

} // namespace

LedPainter::LedPainter(int style, const QColor& lit, const QColor& back)
    : m_style(style == Dots ? Dots : Lines), m_lit(lit), m_unlit(unlitColor(lit, back)),
      m_highlight(mix(lit, Qt::white, HighlightShare)), m_back(back)
{
}

void LedPainter::paintRow(QPainter& painter, const QRectF& area, const QList<int>& digits) const
{
    painter.fillRect(area, m_back);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QList<QRectF> boxes = SegmentGeometry::row(area, int(digits.size()));
    for (int i = 0; i < boxes.size(); ++i)
        paintDigit(painter, SegmentGeometry(boxes[i]), LedDigits::segmentMask(digits[i]));
}

QPixmap LedPainter::pixmap(const QSize& size, qreal devicePixelRatio,
                           const QList<int>& digits) const
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    paintRow(painter, QRectF(QPointF(0, 0), size), digits);
    return pixmap;
}

bool LedPainter::fits(const QPixmap& cache, const QSize& size, qreal devicePixelRatio)
{
    return !cache.isNull() && cache.devicePixelRatio() == devicePixelRatio &&
           cache.deviceIndependentSize() == QSizeF(size);
}

void LedPainter::paintDigit(QPainter& painter, const SegmentGeometry& geometry, int mask) const
{
    for (int segment = 0; segment < SegmentGeometry::SegmentCount; ++segment) {
        const bool lit = mask & (1 << segment);
        painter.setBrush(lit ? m_lit : m_unlit);
        if (m_style == Lines) {
            painter.drawPolygon(geometry.bar(segment));
            continue;
        }
        const qreal r = geometry.dotRadius();
        for (const QPointF& centre : geometry.dots(segment)) {
            if (lit) {
                // A lit lamp is brightest in its middle.
                QRadialGradient glow(centre, r, centre - QPointF(r, r) * 0.25);
                glow.setColorAt(0, m_highlight);
                glow.setColorAt(1, m_lit);
                painter.setBrush(glow);
            }
            painter.drawEllipse(centre, r, r);
        }
    }
}
