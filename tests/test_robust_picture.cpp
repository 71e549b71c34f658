// Team pictures that are missing, damaged, not pictures or absurdly large: the
// logo box shows none of them, refuses the large ones from their header, and
// still shows an ordinary big photo.
#include "platform/modStretch.h"
#include "platform/ImageControl.h"
#include "platform/ImageLoader.h"
#include "platform/PictureBox.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr QSize BoxSize(48, 36);

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

QByteArray be32(quint32 value)
{
    value = qToBigEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

QByteArray le32(qint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    return be32(quint32(data.size())) + type + data + be32(crc32(type + data));
}

// A PNG whose header declares width x height RGB pixels, followed by about
// `dataBytes` of zero rows stored uncompressed: enough to start decoding.
QByteArray declaredPng(quint32 width, quint32 height, int dataBytes)
{
    const QByteArray header = be32(width) + be32(height) + QByteArray("\x08\x02\0\0\0", 5);
    // qCompress puts the length before the zlib stream PNG wants.
    const QByteArray rows = qCompress(QByteArray(dataBytes, '\0'), 0).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", rows);
}

// A 24-bit BMP header for width x height (negative: stored top down) and
// `dataBytes` of pixel data.
QByteArray declaredBmp(qint32 width, qint32 height, int dataBytes)
{
    const QByteArray info = le32(40) + le32(width) + le32(height) + QByteArray("\x01\0\x18\0", 4) +
                            le32(0) + le32(0) + le32(2835) + le32(2835) + le32(0) + le32(0);
    return "BM" + le32(54 + dataBytes) + le32(0) + le32(54) + info + QByteArray(dataBytes, '\x40');
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

// Counts what a reader takes from it.
class CountingBuffer : public QBuffer
{
public:
    explicit CountingBuffer(const QByteArray& bytes)
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }
    qint64 taken = 0;

protected:
    qint64 readData(char* data, qint64 size) override
    {
        const qint64 read = QBuffer::readData(data, size);
        taken += qMax<qint64>(read, 0);
        return read;
    }
};

struct Logo
{
    PictureBox box;
    ImageControl* img = new ImageControl(&box);
    Logo() { box.resize(BoxSize); }
};

} // namespace

class TestRobustPicture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        out.write(bytes);
        return path;
    }

private slots:
    void unusablePictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("countsAsMissing"); // keeps the picture shown before

        const QByteArray png = encoded(gradient(60, 40), "PNG");
        const QByteArray jpeg = encoded(gradient(60, 40), "JPG");
        const QByteArray gif = QByteArray::fromHex(
            "47494638396103000200f00000ff000000ff0021f90400000000002c0000000003000200000203"
            "848f05003b");
        auto add = [](const char* tag, const char* name, const QByteArray& bytes = {},
                      bool countsAsMissing = false) {
            QTest::newRow(tag) << name << bytes << countsAsMissing;
        };
        add("missing", "", {}, true);
        add("a folder", "folder.png", {}, true);
        add("empty", "empty.jpg");
        add("text", "notes.jpg", "Home team, 2026 season\n");
        add("executable", "program.bmp",
            QByteArray::fromHex("7f454c46020101") + QByteArray(500, '\x90'));
        add("PNG signature, then noise", "noise.png", png.left(8) + QByteArray(400, '\xa5'));
        add("PNG with a bad header checksum", "crc.png", png.left(29) + "\0\0\0\0" + png.mid(33));
        add("PNG cut after its header", "cut.png", png.left(33));
        add("JPEG markers only", "markers.jpg", jpeg.left(20));
        add("JPEG with its scan zeroed", "zeroed.jpg",
            jpeg.left(jpeg.size() / 3) + QByteArray(jpeg.size(), '\0'));
        add("GIF cut in its colour table", "cut.gif", gif.left(16));
        add("BMP cut in its header", "cut.bmp", declaredBmp(4, 4, 48).left(30));
        add("BMP of negative width", "neg.bmp", declaredBmp(-4, 4, 48));
        add("PNG declaring 30000 x 30000", "huge.png", declaredPng(30000, 30000, 4'000'000));
        add("PNG declaring 2^31 - 1 square", "max.png", declaredPng(0x7FFFFFFF, 0x7FFFFFFF, 64));
        add("PNG just over 80 megapixels", "80mp.png", declaredPng(8960, 8940, 4'000'000));
        add("BMP declaring 16000 x 16000", "huge.bmp", declaredBmp(16000, 16000, 4'000'000));
        add("BMP declaring 30000 x 30000", "huger.bmp", declaredBmp(30000, 30000, 4096));
        add("BMP wider than any screen", "wide.bmp", declaredBmp(20001, 2, 4'000'000));
    }
    void unusablePictures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, countsAsMissing);

        QString path = m_dir.filePath("never-written.png");
        if (name == "folder.png")
            QVERIFY(QDir(m_dir.path()).mkpath(path = m_dir.filePath(name)));
        else if (!name.isEmpty())
            path = file(name, bytes);

        Logo fresh; // nothing shown before: nothing shown after
        modStretch::FitPicture(fresh.img, &fresh.box, path);
        QVERIFY(!fresh.img->hasPicture());
        QVERIFY(fresh.img->isVisibleTo(&fresh.box) && fresh.img->stretch());
        fresh.box.grab();

        Logo shown; // a good picture first
        modStretch::FitPicture(shown.img, &shown.box,
                               file("good.png", encoded(gradient(8, 6), "PNG")));
        QVERIFY(shown.img->hasPicture());
        modStretch::FitPicture(shown.img, &shown.box, path);
        QCOMPARE(shown.img->hasPicture(), countsAsMissing);
        QVERIFY(shown.img->isVisibleTo(&shown.box) && shown.img->stretch());

        // A declared size beyond the limits is refused from the header: the
        // reader takes a few kilobytes of a file of megabytes.
        if (bytes.size() > 1'000'000) {
            CountingBuffer device(bytes);
            QVERIFY(ImageLoader::load(&device).isNull());
            QVERIFY2(device.taken < 64 * 1024, qPrintable(QString::number(device.taken)));
        }
    }

    void usablePictures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QRect>("shown");
        QTest::newRow("4000 x 3000 photo")
            << encoded(gradient(4000, 3000), "JPG") << QRect(0, 0, 48, 36);
        QTest::newRow("BMP stored top down") << declaredBmp(4, -2, 24) << QRect(0, 6, 48, 24);
        QTest::newRow("BMP stored bottom up") << declaredBmp(2, 4, 24) << QRect(15, 0, 18, 36);
        QTest::newRow("one pixel") << encoded(gradient(1, 1), "PNG") << QRect(6, 0, 36, 36);
    }
    void usablePictures()
    {
        QFETCH(QByteArray, bytes);
        Logo logo;
        // A name per case: pictures are kept decoded by name, size and time.
        modStretch::FitPicture(logo.img, &logo.box, file(QTest::currentDataTag(), bytes));
        QVERIFY(logo.img->hasPicture());
        QTEST(logo.img->geometry(), "shown");
        QVERIFY(!logo.box.grab().isNull());
    }

    // Pictures kept as they were found: what the fuzzer once failed on, and
    // what the end-to-end tests give the program.
    void keptPictures_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(qEnvironmentVariable("TV_TEST_DATA") + "/robust/picture");
        const QStringList found = dir.entryList(QDir::Files);
        QVERIFY(!found.isEmpty());
        for (const QString& name : found)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void keptPictures()
    {
        QFETCH(QString, path);
        Logo logo;
        modStretch::FitPicture(logo.img, &logo.box, path);
        if (logo.img->hasPicture())
            QVERIFY(QRect(QPoint(), BoxSize).contains(logo.img->geometry()));
        logo.box.grab();
    }
};

QTEST_MAIN(TestRobustPicture)
#include "test_robust_picture.moc"
