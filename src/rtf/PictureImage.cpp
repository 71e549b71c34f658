#include "rtf/PictureImage.h"

#include "toolkit/ImageLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace Rtf {
namespace {

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;
constexpr quint32 bitFields = 3;

// A device-independent bitmap is a BMP file without its file header; the
// header says where the pixels start, after the colour table.
QByteArray bmpFile(const QByteArray& dib)
{
    if (dib.size() < infoHeaderBytes)
        return {};
    const auto* bytes = reinterpret_cast<const uchar*>(dib.constData());
    const quint32 headerBytes = qFromLittleEndian<quint32>(bytes);
    const quint16 bitCount = qFromLittleEndian<quint16>(bytes + 14);
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 16);
    const quint32 colorsUsed = qFromLittleEndian<quint32>(bytes + 32);
    if (headerBytes < infoHeaderBytes || headerBytes > quint32(dib.size()))
        return {};
    quint32 colors = bitCount <= 8 ? (colorsUsed ? colorsUsed : 1u << bitCount) : colorsUsed;
    colors = std::min<quint32>(colors, 256);
    const quint32 masks = compression == bitFields && headerBytes == infoHeaderBytes ? 12 : 0;
    const quint32 offset = fileHeaderBytes + headerBytes + masks + colors * 4;

    QByteArray file(fileHeaderBytes, '\0');
    auto* header = reinterpret_cast<uchar*>(file.data());
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(quint32(fileHeaderBytes + dib.size()), header + 2);
    qToLittleEndian<quint32>(offset, header + 10);
    return file + dib;
}

QByteArray fileBytes(const Picture& picture)
{
    switch (picture.kind) {
    case Picture::Kind::Png:
    case Picture::Kind::Jpeg:
        return picture.data;
    case Picture::Kind::Dib:
        return bmpFile(picture.data);
    case Picture::Kind::Other:
        break;
    }
    return {};
}

} // namespace

QImage decodePicture(const Picture& picture)
{
    QByteArray bytes = fileBytes(picture);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ImageLoader::load(&buffer);
}

QSize pictureSize(const Picture& picture)
{
    QByteArray bytes = fileBytes(picture);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();
    return QSize(size.width(), std::abs(size.height()));
}

} // namespace Rtf
