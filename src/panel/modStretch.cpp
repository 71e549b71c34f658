#include "panel/modStretch.h"

#include "platform/ImageControl.h"
#include "platform/ImageLoader.h"
#include "platform/Twips.h"

#include <QFileInfo>

namespace modStretch {
namespace {

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
    } else if (QFileInfo(path).isFile()) {
        img->setPicture(ImageLoader::load(path));
        if (img->hasPicture())
            fit(img, box);
    }
    img->setStretch(true);
    img->setVisible(true);
}

} // namespace modStretch
