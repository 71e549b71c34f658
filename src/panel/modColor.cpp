#include "panel/modColor.h"

#include "display/NumberLED.h"
#include "platform/Colors.h"
#include "settings/PanelSettings.h"

namespace modColor {

void ColorLeds(NumberLED* target, qint32 newLitColor)
{
    target->setBackColor(Colors::fromBgr(quint32(PanelSettings::LEDBack)));
    target->setLitColor(Colors::fromBgr(quint32(newLitColor)));
}

void ColorLeds(const std::vector<NumberLED*>& target, qint32 newLitColor)
{
    for (NumberLED* led : target)
        ColorLeds(led, newLitColor);
}

} // namespace modColor
