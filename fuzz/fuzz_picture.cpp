// libFuzzer entry: any bytes as a team picture file, fitted into a 48 x 36
// pixel logo box, must show either nothing or a whole picture inside the box.
#include "FuzzCheck.h"
#include "toolkit/FilledBox.h"
#include "toolkit/ImageControl.h"
#include "toolkit/ImageLoader.h"
#include "toolkit/modStretch.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Made on first use and removed when the fuzzer exits.
QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    require(dir.isValid());
    return dir;
}
constexpr QSize BoxSize(48, 36);

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    silenceQtMessages();
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A new name each time: the logo keeps the last few pictures decoded by
    // name, size and time, which a rewrite in the same millisecond can match.
    static quint64 count = 0;
    const QString path = folder().filePath(QString::number(++count));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }

    FilledBox box;
    box.resize(BoxSize);
    auto* img = new ImageControl(&box);
    modStretch::FitPicture(img, &box, path);

    require(img->stretch() && img->isVisibleTo(&box));
    if (img->hasPicture()) {
        const QSize natural = img->sizeHint();
        const QSize decoded = img->picture().size();
        require(decoded.width() <= natural.width() && decoded.height() <= natural.height());
        require(natural.width() <= ImageLoader::maxDeclaredSide &&
                natural.height() <= ImageLoader::maxDeclaredSide);
        require(qint64(natural.width()) * natural.height() <= ImageLoader::maxPixels);
        // Whole, centred, and filling the box in at least one direction.
        const QRect shown = img->geometry();
        require(shown.left() >= 0 && shown.top() >= 0);
        require(shown.left() + shown.width() <= BoxSize.width());
        require(shown.top() + shown.height() <= BoxSize.height());
        require(shown.width() == BoxSize.width() || shown.height() == BoxSize.height());
        require(qAbs(shown.left() * 2 + shown.width() - BoxSize.width()) <= 1);
        require(qAbs(shown.top() * 2 + shown.height() - BoxSize.height()) <= 1);
        img->grab(); // paints the scaled picture
    }
    QFile::remove(path);
    return 0;
}
