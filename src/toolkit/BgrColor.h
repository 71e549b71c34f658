#pragma once

#include <QColor>

// Colours are stored as numbers 0x00BBGGRR: red in the low byte.
namespace BgrColor {

inline QColor toColor(qint64 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline qint32 fromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace BgrColor
