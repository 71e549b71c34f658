// Draws Tallyvane's own artwork: the program icon (a small LED scoreboard in
// every size the desktop asks for, plus a scalable SVG of the same drawing)
// and the splash logo. Usage: make-assets <output folder>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct LedColours
{
    QColor lit;
    QColor glow;
    QColor unlit;
};

const LedColours Amber{QColor(0xff, 0xa0, 0x32), QColor(0xff, 0x6a, 0x00),
                       QColor(0x33, 0x20, 0x14)};
const LedColours Green{QColor(0x5c, 0xff, 0x78), QColor(0x14, 0xd8, 0x3c),
                       QColor(0x12, 0x2a, 0x1a)};
const QColor PanelTop(0x4a, 0x4f, 0x59);
const QColor PanelBottom(0x1a, 0x1c, 0x21);
const QColor PanelEdge(0x07, 0x08, 0x0a);
const QColor Face(0x0b, 0x0c, 0x0e);
const QColor FaceEdge(0x2e, 0x32, 0x3a);

// Segments a to g of each digit, as bits 0 to 6.
constexpr int digitSegments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};

// One segment: a bar from p to q, `thickness` wide, with pointed ends.
QPolygonF bar(QPointF p, QPointF q, double thickness)
{
    const QPointF along = (q - p) / std::hypot(q.x() - p.x(), q.y() - p.y());
    const QPointF across(-along.y(), along.x());
    const double h = thickness / 2;
    return QPolygonF{{p, p + along * h + across * h, q - along * h + across * h, q,
                      q - along * h - across * h, p + along * h - across * h}};
}

// The seven segments of a digit cell, slanted forward by `slant` (x per y).
std::vector<QPolygonF> segmentShapes(const QRectF& cell, double thickness, double slant)
{
    const double t = thickness, gap = t * 0.18;
    const double l = cell.left() + t / 2, r = cell.right() - t / 2;
    const double top = cell.top() + t / 2, bottom = cell.bottom() - t / 2;
    const double mid = (top + bottom) / 2;
    std::vector<QPolygonF> shapes{
        bar({l + gap, top}, {r - gap, top}, t),    bar({r, top + gap}, {r, mid - gap}, t),
        bar({r, mid + gap}, {r, bottom - gap}, t), bar({l + gap, bottom}, {r - gap, bottom}, t),
        bar({l, mid + gap}, {l, bottom - gap}, t), bar({l, top + gap}, {l, mid - gap}, t),
        bar({l + gap, mid}, {r - gap, mid}, t)};
    for (QPolygonF& shape : shapes)
        for (QPointF& point : shape)
            point.rx() += (cell.bottom() - point.y()) * slant;
    return shapes;
}

// Whole-pixel segments for the smallest icons, where slants and points blur.
std::vector<QPolygonF> pixelSegmentShapes(const QRect& cell, int t)
{
    const int x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    const int mid = y + (h - t) / 2;
    const QRect rects[7] = {{x + t, y, w - 2 * t, t},
                            {x + w - t, y + t, t, mid - y - t},
                            {x + w - t, mid + t, t, y + h - t - mid - t},
                            {x + t, y + h - t, w - 2 * t, t},
                            {x, mid + t, t, y + h - t - mid - t},
                            {x, y + t, t, mid - y - t},
                            {x + t, mid, w - 2 * t, t}};
    std::vector<QPolygonF> shapes;
    for (const QRect& rect : rects)
        shapes.push_back(QPolygonF(QRectF(rect)));
    return shapes;
}

// What one LED cell shows: the lit and the unlit segment shapes.
struct Lamp
{
    std::vector<QPolygonF> lit;
    std::vector<QPolygonF> unlit;
    const LedColours* colours;
};

void addDigit(std::vector<Lamp>& lamps, const std::vector<QPolygonF>& shapes, int digit,
              const LedColours& colours)
{
    Lamp lamp{{}, {}, &colours};
    for (int s = 0; s < 7; ++s)
        (digitSegments[digit] >> s & 1 ? lamp.lit : lamp.unlit).push_back(shapes[s]);
    lamps.push_back(lamp);
}

QPolygonF dot(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path.toFillPolygon();
}

// Three box blurs in a row come close to a Gaussian of the given deviation.
QImage blurred(const QImage& source, double sigma)
{
    const int radius = std::max(1, int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width(), h = image.height();
    std::vector<int> line;
    auto pass = [&](bool horizontal) {
        const int count = horizontal ? h : w, length = horizontal ? w : h;
        line.resize(size_t(length) * 4);
        for (int i = 0; i < count; ++i) {
            auto pixel = [&](int j) -> QRgb& {
                return reinterpret_cast<QRgb*>(
                    image.scanLine(horizontal ? i : j))[horizontal ? j : i];
            };
            for (int j = 0; j < length; ++j) {
                const QRgb c = pixel(j);
                line[j * 4] = qAlpha(c), line[j * 4 + 1] = qRed(c);
                line[j * 4 + 2] = qGreen(c), line[j * 4 + 3] = qBlue(c);
            }
            for (int j = 0; j < length; ++j) {
                int sum[4] = {0, 0, 0, 0};
                for (int k = j - radius; k <= j + radius; ++k)
                    if (k >= 0 && k < length)
                        for (int ch = 0; ch < 4; ++ch)
                            sum[ch] += line[k * 4 + ch];
                const int n = 2 * radius + 1;
                pixel(j) = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
    return image;
}

void paintLamps(QPainter& p, const QSize& size, const std::vector<Lamp>& lamps, double glowSigma)
{
    p.setPen(Qt::NoPen);
    for (const Lamp& lamp : lamps)
        for (const QPolygonF& shape : lamp.unlit) {
            p.setBrush(lamp.colours->unlit);
            p.drawPolygon(shape);
        }
    if (glowSigma > 0) {
        QImage layer(size, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        QPainter g(&layer);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(Qt::NoPen);
        for (const Lamp& lamp : lamps)
            for (const QPolygonF& shape : lamp.lit) {
                g.setBrush(lamp.colours->glow);
                g.drawPolygon(shape);
            }
        g.end();
        p.drawImage(0, 0, blurred(layer, glowSigma));
    }
    for (const Lamp& lamp : lamps)
        for (const QPolygonF& shape : lamp.lit) {
            p.setBrush(lamp.colours->lit);
            p.drawPolygon(shape);
        }
}

// The icon's drawing in a 256-unit square; the small sizes get their own
// whole-pixel versions below.
struct IconDrawing
{
    QRectF panel{8, 8, 240, 240};
    double panelRadius = 44, panelEdge = 5;
    QRectF face{26, 26, 204, 204};
    double faceRadius = 26, faceEdge = 3;
    std::vector<Lamp> lamps;
    double glowSigma = 5;

    IconDrawing()
    {
        const double w = 70, h = 124, t = 17, gap = 22, slant = 0.07;
        const double left = 128 - (2 * w + gap) / 2 - h * slant / 2;
        addDigit(lamps, segmentShapes({left, 44, w, h}, t, slant), 2, Amber);
        addDigit(lamps, segmentShapes({left + w + gap, 44, w, h}, t, slant), 5, Amber);
        Lamp lit{{dot({98, 200}, 9), dot({128, 200}, 9)}, {dot({158, 200}, 9)}, &Green};
        lamps.push_back(lit);
    }
};

QImage panelImage(int size, const QRectF& panel, double radius, double edge, const QRectF& face,
                  double faceRadius, double faceEdge)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(panel.topLeft(), panel.bottomLeft());
    shade.setColorAt(0, PanelTop);
    shade.setColorAt(1, PanelBottom);
    p.setBrush(shade);
    p.setPen(edge > 0 ? QPen(PanelEdge, edge) : QPen(Qt::NoPen));
    p.drawRoundedRect(panel, radius, radius);
    p.setBrush(Face);
    p.setPen(faceEdge > 0 ? QPen(FaceEdge, faceEdge) : QPen(Qt::NoPen));
    p.drawRoundedRect(face, faceRadius, faceRadius);
    return image;
}

QImage largeIcon(int size)
{
    const IconDrawing d;
    const double k = size / 256.0;
    const QTransform scale = QTransform::fromScale(k, k);
    QImage image =
        panelImage(size, scale.mapRect(d.panel), d.panelRadius * k, std::max(1.0, d.panelEdge * k),
                   scale.mapRect(d.face), d.faceRadius * k, std::max(1.0, d.faceEdge * k));
    std::vector<Lamp> lamps = d.lamps;
    for (Lamp& lamp : lamps) {
        for (QPolygonF& shape : lamp.lit)
            shape = scale.map(shape);
        for (QPolygonF& shape : lamp.unlit)
            shape = scale.map(shape);
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintLamps(p, image.size(), lamps, std::max(1.2, d.glowSigma * k));
    return image;
}

QImage smallIcon(int size)
{
    const bool tiny = size < 32;
    const int t = tiny ? 1 : 2, w = tiny ? 5 : 10, h = tiny ? 9 : 18, gap = tiny ? 2 : 4;
    const int top = tiny ? 3 : 5, left = (size - 2 * w - gap) / 2;
    QImage image = panelImage(size, QRectF(0, 0, size, size), tiny ? 3 : 6, 0,
                              QRectF(1, 1, size - 2, size - 2), tiny ? 2 : 4, 0);
    std::vector<Lamp> lamps;
    addDigit(lamps, pixelSegmentShapes({left, top, w, h}, t), 2, Amber);
    addDigit(lamps, pixelSegmentShapes({left + w + gap, top, w, h}, t), 5, Amber);
    if (!tiny) {
        auto square = [](int x) { return QPolygonF(QRectF(x, 25, 2, 2)); };
        lamps.push_back({{square(10), square(15)}, {square(20)}, &Green});
    }
    QPainter p(&image);
    paintLamps(p, image.size(), lamps, tiny ? 0 : 0.8);
    return image;
}

// The splash logo: a portrait scoreboard with both teams' scores.
QImage logo()
{
    const int width = 95, height = 130;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient shade(0, 0, 0, height);
        shade.setColorAt(0, PanelTop);
        shade.setColorAt(1, PanelBottom);
        p.setBrush(shade);
        p.setPen(QPen(PanelEdge, 1.5));
        p.drawRoundedRect(QRectF(0.75, 0.75, width - 1.5, height - 1.5), 10, 10);
        p.setBrush(Face);
        p.setPen(QPen(FaceEdge, 1));
        p.drawRoundedRect(QRectF(5.5, 5.5, width - 11, height - 11), 5, 5);
        p.setPen(QPen(FaceEdge, 1.5));
        p.drawLine(QPointF(14, 66.5), QPointF(width - 14, 66.5));
    }
    const double w = 25, h = 40, t = 6.5, gap = 9, slant = 0.07;
    const double left = (width - 2 * w - gap) / 2 - h * slant / 2;
    std::vector<Lamp> lamps;
    addDigit(lamps, segmentShapes({left, 21, w, h}, t, slant), 2, Amber);
    addDigit(lamps, segmentShapes({left + w + gap, 21, w, h}, t, slant), 5, Amber);
    addDigit(lamps, segmentShapes({left, 82, w, h}, t, slant), 1, Green);
    addDigit(lamps, segmentShapes({left + w + gap, 82, w, h}, t, slant), 8, Green);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintLamps(p, image.size(), lamps, 2.2);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(font);
    p.setPen(QColor(0xc9, 0xcd, 0xd5));
    p.drawText(QRectF(0, 8, width, 11), Qt::AlignCenter, QStringLiteral("HOME"));
    p.drawText(QRectF(0, 69, width, 11), Qt::AlignCenter, QStringLiteral("GUEST"));
    return image;
}

QString svgPoints(const QPolygonF& shape)
{
    QStringList points;
    for (const QPointF& point : shape)
        points << QStringLiteral("%1,%2").arg(point.x(), 0, 'f', 2).arg(point.y(), 0, 'f', 2);
    return points.join(u' ');
}

// The same drawing as the large icons, as SVG text.
QString iconSvg()
{
    const IconDrawing d;
    QString svg;
    QTextStream out(&svg);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"panel\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << PanelTop.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << PanelBottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "    <filter id=\"glow\" x=\"-25%\" y=\"-25%\" width=\"150%\" height=\"150%\">\n"
        << "      <feGaussianBlur stdDeviation=\"" << d.glowSigma << "\"/>\n"
        << "    </filter>\n"
        << "  </defs>\n";
    auto rect = [&](const QRectF& r, double radius, const QString& fill, const QColor& edge,
                    double edgeWidth) {
        out << "  <rect x=\"" << r.x() << "\" y=\"" << r.y() << "\" width=\"" << r.width()
            << "\" height=\"" << r.height() << "\" rx=\"" << radius << "\" fill=\"" << fill
            << "\" stroke=\"" << edge.name() << "\" stroke-width=\"" << edgeWidth << "\"/>\n";
    };
    rect(d.panel, d.panelRadius, QStringLiteral("url(#panel)"), PanelEdge, d.panelEdge);
    rect(d.face, d.faceRadius, Face.name(), FaceEdge, d.faceEdge);
    auto polygons = [&](bool lit, bool glow) {
        for (const Lamp& lamp : d.lamps) {
            const QColor colour =
                glow ? lamp.colours->glow : (lit ? lamp.colours->lit : lamp.colours->unlit);
            for (const QPolygonF& shape : lit ? lamp.lit : lamp.unlit)
                out << (glow ? "    " : "  ") << "<polygon fill=\"" << colour.name()
                    << "\" points=\"" << svgPoints(shape) << "\"/>\n";
        }
    };
    polygons(false, false);
    out << "  <g filter=\"url(#glow)\">\n";
    polygons(true, true);
    out << "  </g>\n";
    polygons(true, false);
    out << "</svg>\n";
    return svg;
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const int size : {16, 32})
        ok &= save(smallIcon(size), out.filePath(QStringLiteral("tallyvane-%1.png").arg(size)));
    for (const int size : {48, 64, 128})
        ok &= save(largeIcon(size), out.filePath(QStringLiteral("tallyvane-%1.png").arg(size)));
    ok &= save(largeIcon(256), out.filePath(QStringLiteral("tallyvane.png")));
    ok &= save(logo(), out.filePath(QStringLiteral("logo.png")));
    QFile svg(out.filePath(QStringLiteral("tallyvane.svg")));
    ok &= svg.open(QIODevice::WriteOnly) && svg.write(iconSvg().toUtf8()) > 0;
    return ok ? 0 : 1;
}
