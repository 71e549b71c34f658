#include "rtf/Pictures.h"

#include "toolkit/Twips.h"

#include <algorithm>
#include <array>

namespace Rtf {
namespace {

constexpr int maxScale = 1000;

constexpr std::array<signed char, 256> hexValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values[std::size_t('0' + i)] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        values[std::size_t('a' + i)] = static_cast<signed char>(10 + i);
        values[std::size_t('A' + i)] = static_cast<signed char>(10 + i);
    }
    return values;
}();

// A side as shown: the goal if the document gives one, else the picture's
// own size, then the scale.
int shownSide(int goal, int own, bool metafile, int scale)
{
    const double ownTwips = metafile ? own * 1440.0 / 2540.0 : own * double(Twips::perPixel);
    const double side = (goal > 0 ? goal : ownTwips) * scale / 100.0;
    return int(std::clamp(side, 0.0, double(maxTwips)));
}

} // namespace

void PictureReader::begin()
{
    *this = PictureReader{};
}

bool PictureReader::apply(Word word, int value)
{
    switch (word) {
    case Word::Png:
        m_picture.kind = Picture::Kind::Png;
        break;
    case Word::Jpeg:
        m_picture.kind = Picture::Kind::Jpeg;
        break;
    case Word::Dib:
        m_picture.kind = Picture::Kind::Dib;
        break;
    case Word::Metafile:
        m_picture.kind = Picture::Kind::Other;
        break;
    case Word::PictureWidth:
        m_width = std::max(value, 0);
        break;
    case Word::PictureHeight:
        m_height = std::max(value, 0);
        break;
    case Word::PictureGoalWidth:
        m_goalWidth = std::max(value, 0);
        break;
    case Word::PictureGoalHeight:
        m_goalHeight = std::max(value, 0);
        break;
    case Word::PictureScaleX:
        m_scaleX = std::clamp(value, 1, maxScale);
        break;
    case Word::PictureScaleY:
        m_scaleY = std::clamp(value, 1, maxScale);
        break;
    default:
        return false;
    }
    return true;
}

void PictureReader::addHex(QByteArrayView digits)
{
    if (m_picture.kind == Picture::Kind::Other)
        return; // only a metafile's size is shown
    QByteArray& data = m_picture.data;
    data.reserve(data.size() + digits.size() / 2);
    for (char c : digits) {
        const int value = hexValues[static_cast<unsigned char>(c)];
        if (value < 0)
            continue; // line ends between the digits
        if (m_highNibble < 0) {
            m_highNibble = value;
        } else {
            data.append(char(m_highNibble << 4 | value));
            m_highNibble = -1;
        }
    }
}

void PictureReader::addBinary(QByteArrayView bytes)
{
    if (m_picture.kind != Picture::Kind::Other)
        m_picture.data.append(bytes);
}

Picture PictureReader::finish()
{
    const bool metafile = m_picture.kind == Picture::Kind::Other;
    m_picture.width = shownSide(m_goalWidth, m_width, metafile, m_scaleX);
    m_picture.height = shownSide(m_goalHeight, m_height, metafile, m_scaleY);
    return std::move(m_picture);
}

} // namespace Rtf
