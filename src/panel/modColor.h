#pragma once

#include <QtGlobal>
#include <vector>

class NumberLED;

namespace modColor {

// Background from the settings' LEDBack, then the lit colour, display by
// display in index order. Colours are 0x00BBGGRR.
void ColorLeds(const std::vector<NumberLED*>& target, qint32 newLitColor);
void ColorLeds(NumberLED* target, qint32 newLitColor);

} // namespace modColor
