#pragma once

#include "rtf/Document.h"

#include <QByteArrayView>

namespace Rtf {

// Reads RTF as word processors write it. Anything it does not understand is
// skipped, so every input gives a document; time and memory grow linearly with
// the input, however it is malformed. Needs QtCore only.
Document read(QByteArrayView rtf);

} // namespace Rtf
