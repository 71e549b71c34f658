#include "panel/modColor.h"

#include "display/NumberLED.h"
#include "settings/PanelSettings.h"
#include "toolkit/BgrColor.h"

namespace modColor {

void ColorLeds(NumberLED* target, qint32 newLitColor)
{
    target->setBackColor(BgrColor::toColor(PanelSettings::LEDBack));
    target->setLitColor(BgrColor::toColor(newLitColor));
}

void ColorLeds(const std::vector<NumberLED*>& target, qint32 newLitColor)
{
    for (NumberLED* led : target)
        ColorLeds(led, newLitColor);
}

} // namespace modColor
