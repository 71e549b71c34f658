#pragma once

#include <QImage>
#include <QString>

// Decodes picture files defensively: a picture whose header declares a size
// beyond what a scoreboard could use is refused before any pixel is decoded.
namespace ImageLoader {

constexpr int MaxSide = 20000;           // pixels
constexpr qint64 MaxPixels = 80'000'000; // about an 80-megapixel photo

// A null image when the file cannot be read, is not a picture or is too big.
QImage load(const QString& path);
QImage load(QIODevice* device);

} // namespace ImageLoader
