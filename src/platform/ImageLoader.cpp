#include "platform/ImageLoader.h"

#include <QFile>
#include <QImageReader>

namespace ImageLoader {
namespace {

QImage read(QImageReader& reader)
{
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.width() > MaxSide || declared.height() > MaxSide ||
        qint64(declared.width()) * declared.height() > MaxPixels)
        return {};
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

} // namespace

QImage load(QIODevice* device)
{
    QImageReader reader(device);
    reader.setAllocationLimit(int(MaxPixels * 4 / (1024 * 1024)) + 1);
    return read(reader);
}

QImage load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return load(&file);
}

} // namespace ImageLoader
