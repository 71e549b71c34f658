#pragma once

#include <QImage>
#include <QString>

// Decodes picture files defensively: a picture whose header declares a size
// beyond what a scoreboard could use is refused before any pixel is decoded.
namespace ImageLoader {

constexpr int maxDeclaredSide = 20000;   // pixels
constexpr qint64 maxPixels = 80'000'000; // about an 80-megapixel photo

// A null image when the file cannot be read, is not a picture or is too big.
QImage load(const QString& path);
QImage load(QIODevice* device);

struct Picture
{
    QImage image;      // at most `maxSide` pixels on its longer side
    QSize naturalSize; // the picture's own size in pixels
};
// For showing small: a big picture is decoded reduced (JPEG decodes at the
// reduced size directly), which keeps photos from costing a full decode.
Picture loadForDisplay(const QString& path, int maxSide);

} // namespace ImageLoader
