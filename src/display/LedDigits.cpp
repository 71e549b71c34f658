#include "display/LedDigits.h"

#include <QtGlobal>
#include <algorithm>
#include <climits>

namespace {

// numerator / denominator rounded half to even, for a positive denominator.
qint64 divideHalfEven(qint64 numerator, qint64 denominator)
{
    qint64 quotient = numerator / denominator;
    qint64 twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder < 0) {
        --quotient;
        twiceRemainder += 2 * denominator;
    }
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int scaled(int digitSize, qint64 fortieths)
{
    return int(std::clamp<qint64>(divideHalfEven(digitSize * fortieths, 40), 0, INT_MAX));
}

} // namespace

namespace LedDigits {

int segmentMask(int digit)
{
    static constexpr int masks[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    return digit >= 0 && digit <= 9 ? masks[digit] : 0;
}

QList<int> shownDigits(int value, int maximum, int count)
{
    QList<int> digits(qMax(count, 0), -1);
    qint64 capacity = 1;
    for (int i = 0; i < count && capacity <= INT_MAX; ++i)
        capacity *= 10;
    qint64 shown = std::min<qint64>({value, maximum, capacity - 1});
    if (shown < 0)
        return digits;
    for (int i = count - 1; i >= 0; --i) {
        digits[i] = int(shown % 10);
        shown /= 10;
        if (shown == 0)
            break;
    }
    return digits;
}

QSize displaySize(int digitSize, int count)
{
    if (count < 1)
        return QSize(0, 0);
    return QSize(scaled(digitSize, 26 * qint64(count) - 4), scaled(digitSize, 39));
}

} // namespace LedDigits
