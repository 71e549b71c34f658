#pragma once

#include <QList>
#include <QSize>

// What an LED number display shows, apart from how it is drawn.
namespace LedDigits {

// Segment bits, a (bit 0) to g (bit 6), lit for the digit 0-9; 0 for anything else.
int segmentMask(int digit);

// The digits shown for `value`, most significant first, -1 for a blank
// position: no leading zeros, nothing for a negative value, values above
// `maximum` (or above what `count` digits hold) shown as that limit.
QList<int> shownDigits(int value, int maximum, int count);

// The display's pixel size for a digit size and digit count: a digit is 22/40
// of the digit size wide, each further digit adds 26/40, the height is 39/40;
// rounded half to even, never negative.
QSize displaySize(int digitSize, int count);

} // namespace LedDigits
