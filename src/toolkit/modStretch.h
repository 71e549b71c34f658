#pragma once

#include <QString>

class ImageControl;
class QWidget;

namespace modStretch {

// Loads the picture at `path` into `img` and fits it, whole and undistorted,
// into the centre of `box`. An empty path clears the picture; a path naming
// no file leaves the picture as it was; a file that is not a usable picture
// shows none. The file is read afresh on every call.
void FitPicture(ImageControl* img, QWidget* box, const QString& path);

} // namespace modStretch
