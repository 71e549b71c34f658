#include "settings/PanelSettings.h"

#include "platform/modGrabKeys.h"
#include "settings/SettingsParse.h"
#include "settings/SettingsStore.h"
#include "toolkit/ValueText.h"

namespace {
const QString colorSection = QStringLiteral("ColorSettings");
const QString keySection = QStringLiteral("KeySettings");
const QString picSection = QStringLiteral("PicSettings");
const QString displaySection = QStringLiteral("Display");

QString text(qint64 value)
{
    return ValueText::decimalText(value);
}
} // namespace

void PanelSettings::loadAll()
{
    const SettingsStore store(applicationName());
    auto color = [&](const char* key, qint32 defaultValue) {
        return SettingsParse::color(
            store.read(colorSection, QLatin1String(key), text(defaultValue)), defaultValue);
    };
    auto display = [&](const char* key, qint32 defaultValue) {
        return store.read(displaySection, QLatin1String(key), text(defaultValue));
    };

    PointsColor = color("PointsColor", defaultPointsColor);
    FoulsColor = color("FoulsColor", defaultFoulsColor);
    NumColor = color("NumColor", defaultNumColor);
    LEDBack = color("LEDBack", defaultLEDBack);
    FormBack = color("FormBack", defaultFormBack);
    BorderColor = color("BorderColor", defaultBorderColor);
    NumLockForce = SettingsParse::numLockForce(
        store.read(keySection, QStringLiteral("NumLockForce"), text(0)));

    modGrabKeys::applyNumLockForce(NumLockForce);

    LEDType = SettingsParse::ledType(store.read(picSection, QStringLiteral("LEDType"), text(0)));
    ShowPlayerName = SettingsParse::showField(display("ShowPlayerName", 1));
    ShowPlayerNumber = SettingsParse::showField(display("ShowPlayerNumber", 1));
    ShowPlayerFouls = SettingsParse::showField(display("ShowPlayerFouls", 1));
    ShowPlayerPoints = SettingsParse::showField(display("ShowPlayerPoints", 1));
    PlayerTotal = SettingsParse::playerTotal(display("PlayerTotal", defaultPlayerTotal));
    HomePic = store.read(picSection, QStringLiteral("HomePic"), QString());
    VisitorPic = store.read(picSection, QStringLiteral("VisitorPic"), QString());
}

std::optional<QString> PanelSettings::saveAll()
{
    SettingsStore store(applicationName());
    auto write = [&](const QString& section, const char* key, const QString& value) {
        store.write(section, QLatin1String(key), value);
    };
    write(colorSection, "NumColor", text(NumColor));
    write(colorSection, "LEDBack", text(LEDBack));
    write(colorSection, "FoulsColor", text(FoulsColor));
    write(colorSection, "PointsColor", text(PointsColor));
    write(colorSection, "FormBack", text(FormBack));
    write(colorSection, "BorderColor", text(BorderColor));
    write(keySection, "NumLockForce", text(NumLockForce));
    write(picSection, "HomePic", HomePic);
    write(picSection, "VisitorPic", VisitorPic);
    write(picSection, "LEDType", text(LEDType));
    write(displaySection, "ShowPlayerName", text(ShowPlayerName));
    write(displaySection, "ShowPlayerNumber", text(ShowPlayerNumber));
    write(displaySection, "ShowPlayerFouls", text(ShowPlayerFouls));
    write(displaySection, "ShowPlayerPoints", text(ShowPlayerPoints));
    write(displaySection, "PlayerTotal", text(PlayerTotal));
    return store.sync();
}

QString PanelSettings::storeFileName()
{
    return SettingsStore::filePath(applicationName());
}
