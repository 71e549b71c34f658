#pragma once

#include "rtf/Document.h"

#include <QImage>

namespace Rtf {

// The picture's pixels, decoded within the same limits as team pictures (a
// size declared too large is refused from the header); a null image when it
// cannot be shown.
QImage decodePicture(const Picture& picture);

// The picture's own size in pixels, read from its header alone.
QSize pictureSize(const Picture& picture);

} // namespace Rtf
