#include "toolkit/modStretch.h"

#include "toolkit/ImageControl.h"
#include "toolkit/ImageLoader.h"
#include "toolkit/TwipsGeometry.h"

#include <QDateTime>
#include <QFileInfo>
#include <deque>

namespace modStretch {
namespace {

// Logos are shown small: a reduced copy is plenty, even on a large screen.
constexpr int displaySide = 1024;

// Every fit looks at the file again, but a picture whose file has not changed
// since (same size and time) is not decoded again: a resize would otherwise
// decode a camera photo at every step of the drag.
ImageLoader::Picture load(const QFileInfo& file)
{
    struct Entry
    {
        QString path;
        qint64 size;
        QDateTime modified;
        ImageLoader::Picture picture;
    };
    static std::deque<Entry> cache;
    const QString path = file.absoluteFilePath();
    for (const Entry& e : cache) {
        if (e.path == path && e.size == file.size() && e.modified == file.lastModified())
            return e.picture;
    }
    Entry entry{path, file.size(), file.lastModified(),
                ImageLoader::loadForDisplay(path, displaySide)};
    std::erase_if(cache, [&](const Entry& e) { return e.path == path; });
    cache.push_front(entry);
    if (cache.size() > 4)
        cache.pop_back();
    return entry.picture;
}

void fit(ImageControl* img, QWidget* box)
{
    // Natural size: the image took the picture's own size with stretch off.
    const double natW = Twips::width(img);
    const double natH = Twips::roundHalfEven(Twips::height(img));
    const double boxW = Twips::width(box);
    const double boxH = Twips::height(box);
    if (natW <= 0 || natH <= 0 || boxW <= 0 || boxH <= 0) {
        Twips::setGeometry(img, 0, 0, 0, 0);
        return;
    }
    if (natH / boxH > natW / boxW) {
        Twips::setHeight(img, boxH);
        Twips::setWidth(img, Twips::height(img) * natW / natH);
    } else {
        Twips::setWidth(img, boxW);
        Twips::setHeight(img, Twips::width(img) * natH / natW);
    }
    Twips::setLeft(img, (boxW - Twips::width(img)) / 2);
    Twips::setTop(img, (boxH - Twips::height(img)) / 2);
}

} // namespace

void FitPicture(ImageControl* img, QWidget* box, const QString& path)
{
    img->setVisible(false);
    img->setStretch(false);
    if (path.isEmpty()) {
        img->setPicture(QImage());
    } else if (const QFileInfo file(path); file.isFile()) {
        const ImageLoader::Picture picture = load(file);
        img->setPicture(picture.image, picture.naturalSize);
        if (img->hasPicture())
            fit(img, box);
    }
    img->setStretch(true);
    img->setVisible(true);
}

} // namespace modStretch
