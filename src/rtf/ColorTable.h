#pragma once

#include "rtf/ControlWords.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace Rtf {

// The colours of \colortbl by index; an entry without components is "auto".
class ColorTable
{
public:
    // A word inside the table.
    void apply(Word word, int value);
    // A byte inside the table: ';' ends an entry.
    void addByte(char c);

    // The colour as 0xRRGGBB; none for "auto" or an index outside the table.
    std::optional<quint32> at(int index) const;

private:
    std::vector<std::optional<quint32>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_given = false;
};

} // namespace Rtf
