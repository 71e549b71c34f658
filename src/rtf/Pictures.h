#pragma once

#include "rtf/Document.h"
#include "rtf/ControlWords.h"

#include <QByteArrayView>

namespace Rtf {

// Collects one \pict group: its format, its size words and its data, written
// as hexadecimal digits or as \bin bytes.
class PictureReader
{
public:
    void begin();
    // Applies a picture word; false if `word` is none.
    bool apply(Word word, int value);
    void addHex(QByteArrayView digits);
    void addBinary(QByteArrayView bytes);
    // The picture as shown, its size from the goal or the picture's own size,
    // scaled.
    Picture finish();

private:
    Picture m_picture;
    int m_width = 0; // pixels of a bitmap, hundredths of a millimetre of a metafile
    int m_height = 0;
    int m_goalWidth = 0; // twips
    int m_goalHeight = 0;
    int m_scaleX = 100; // percent
    int m_scaleY = 100;
    int m_highNibble = -1;
};

} // namespace Rtf
