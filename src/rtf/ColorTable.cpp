#include "rtf/ColorTable.h"

#include <algorithm>

namespace Rtf {

void ColorTable::apply(Word word, int value)
{
    const int component = std::clamp(value, 0, 255);
    switch (word) {
    case Word::Red:
        m_red = component;
        break;
    case Word::Green:
        m_green = component;
        break;
    case Word::Blue:
        m_blue = component;
        break;
    default:
        return;
    }
    m_given = true;
}

void ColorTable::addByte(char c)
{
    if (c != ';')
        return;
    if (m_given)
        m_colors.push_back(quint32(m_red) << 16 | quint32(m_green) << 8 | quint32(m_blue));
    else
        m_colors.push_back(std::nullopt);
    m_red = m_green = m_blue = 0;
    m_given = false;
}

std::optional<quint32> ColorTable::at(int index) const
{
    if (index < 0 || std::size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[std::size_t(index)];
}

} // namespace Rtf
