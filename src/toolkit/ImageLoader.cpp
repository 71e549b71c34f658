#include "toolkit/ImageLoader.h"

#include <QFile>
#include <QImageReader>
#include <cstdlib>

namespace ImageLoader {
namespace {

QImage read(QImageReader& reader, int maxSide = 0, QSize* naturalSize = nullptr)
{
    const QSize declared = reader.size();
    // Qt reports a top-down BMP's height as negative; unknown sizes are -1 x -1.
    const qint64 width = declared.width();
    const qint64 height = std::abs(qint64(declared.height()));
    if (width < 0 || width > maxDeclaredSide || height > maxDeclaredSide ||
        width * height > maxPixels)
        return {};
    reader.setAutoTransform(true);
    const QSize full{int(width), int(height)};
    if (maxSide > 0 && (full.width() > maxSide || full.height() > maxSide))
        reader.setScaledSize(full.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
    QImage image;
    if (!reader.read(&image))
        return {};
    if (naturalSize) {
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        *naturalSize = turned ? full.transposed() : full;
    }
    return image;
}

void limitAllocation(QImageReader& reader)
{
    reader.setAllocationLimit(int(maxPixels * 4 / (1024 * 1024)) + 1);
}

} // namespace

QImage load(QIODevice* device)
{
    QImageReader reader(device);
    limitAllocation(reader);
    return read(reader);
}

QImage load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return load(&file);
}

Picture loadForDisplay(const QString& path, int maxSide)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    limitAllocation(reader);
    Picture picture;
    picture.image = read(reader, maxSide, &picture.naturalSize);
    return picture;
}

} // namespace ImageLoader
