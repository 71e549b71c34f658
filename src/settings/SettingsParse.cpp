#include "settings/SettingsParse.h"

#include <algorithm>
#include <limits>

namespace SettingsParse {

std::optional<qint32> strictInt(QStringView text)
{
    const QStringView t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    qsizetype i = (negative || t.startsWith(u'+')) ? 1 : 0;
    if (i == t.size())
        return std::nullopt;
    // Leading zeros are digits like any other: only the value decides the range.
    constexpr qint64 beyond = qint64(std::numeric_limits<qint32>::max()) + 2;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (t[i].unicode() - u'0'), beyond);
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

qint32 color(QStringView text, qint32 defaultValue)
{
    const auto value = strictInt(text);
    return (value && *value >= 0 && *value <= 0xFFFFFF) ? *value : defaultValue;
}

qint32 numLockForce(QStringView text) { return strictInt(text).value_or(0); }

qint16 ledType(QStringView text) { return strictInt(text) == 1 ? 1 : 0; }

qint16 showField(QStringView text) { return strictInt(text) == 0 ? 0 : 1; }

qint16 playerTotal(QStringView text)
{
    const auto value = strictInt(text);
    return value ? static_cast<qint16>(std::clamp(*value, 1, 15)) : 5;
}

} // namespace SettingsParse
