#pragma once

#include <QList>
#include <QPoint>
#include <QRectF>
#include <QSize>

// The lamps of the "Dots" style for a row of digits. Unlike the bars, lamps
// are laid on the device pixel grid: a dot only a pixel or two across reads
// as a blur unless it covers whole pixels. Each digit is a grid of lamps with
// the corners left empty, as on a lamp scoreboard; short segments get fewer,
// larger lamps.
class DotGrid
{
public:
    // `area` in logical pixels, as for SegmentGeometry::row().
    DotGrid(const QRectF& area, int count, qreal devicePixelRatio);

    int digitCount() const { return int(m_origins.size()); }
    int dotsPerSegment() const { return m_perSegment; }
    // Distance between neighbouring lamps and a lamp's diameter, in device pixels.
    int pitch() const { return m_pitch; }
    int diameter() const { return m_diameter; }
    // The lamps of one segment of one digit: squares in logical pixels whose
    // edges fall on device pixel edges.
    QList<QRectF> dots(int digit, int segment) const;

private:
    // How far right the lamps of grid row `row` sit, for the slant.
    int shift(int row) const;
    int rows() const { return 2 * m_perSegment + 3; }
    // The size in device pixels of one digit's lamps, slant included.
    QSize digitSize() const;
    // Distance between neighbouring digits' origins, in device pixels.
    qreal digitSpacing(const QList<QRectF>& boxes) const;
    bool fits(const QList<QRectF>& boxes, const QRectF& area) const;

    qreal m_ratio;
    int m_perSegment = 2;
    int m_pitch = 0;
    int m_diameter = 0;
    QList<QPoint> m_origins; // each digit's top left lamp corner, before the slant
};
