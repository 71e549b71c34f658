#include "settings/PanelSettings.h"

#include "platform/modGrabKeys.h"
#include "toolkit/ValueText.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsParse.h"

namespace {
const QString ColorSection = QStringLiteral("ColorSettings");
const QString KeySection = QStringLiteral("KeySettings");
const QString PicSection = QStringLiteral("PicSettings");
const QString DisplaySection = QStringLiteral("Display");

QString text(qint64 value) { return ValueText::decimalText(value); }
} // namespace

void PanelSettings::LoadAll()
{
    const SettingsStore store(applicationName());
    auto color = [&](const char* key, qint32 defaultValue) {
        return SettingsParse::color(store.read(ColorSection, QLatin1String(key), text(defaultValue)),
                                    defaultValue);
    };
    auto display = [&](const char* key, qint32 defaultValue) {
        return store.read(DisplaySection, QLatin1String(key), text(defaultValue));
    };

    PointsColor = color("PointsColor", DefaultPointsColor);
    FoulsColor = color("FoulsColor", DefaultFoulsColor);
    NumColor = color("NumColor", DefaultNumColor);
    LEDBack = color("LEDBack", DefaultLEDBack);
    FormBack = color("FormBack", DefaultFormBack);
    BorderColor = color("BorderColor", DefaultBorderColor);
    NumLockForce = SettingsParse::numLockForce(store.read(KeySection, QStringLiteral("NumLockForce"), text(0)));

    modGrabKeys::ApplyNumLockForce(NumLockForce);

    LEDType = SettingsParse::ledType(store.read(PicSection, QStringLiteral("LEDType"), text(0)));
    ShowPlayerName = SettingsParse::showField(display("ShowPlayerName", 1));
    ShowPlayerNumber = SettingsParse::showField(display("ShowPlayerNumber", 1));
    ShowPlayerFouls = SettingsParse::showField(display("ShowPlayerFouls", 1));
    ShowPlayerPoints = SettingsParse::showField(display("ShowPlayerPoints", 1));
    PlayerTotal = SettingsParse::playerTotal(display("PlayerTotal", DefaultPlayerTotal));
    HomePic = store.read(PicSection, QStringLiteral("HomePic"), QString());
    VisitorPic = store.read(PicSection, QStringLiteral("VisitorPic"), QString());
}

std::optional<QString> PanelSettings::SaveAll()
{
    SettingsStore store(applicationName());
    auto write = [&](const QString& section, const char* key, const QString& value) {
        store.write(section, QLatin1String(key), value);
    };
    write(ColorSection, "NumColor", text(NumColor));
    write(ColorSection, "LEDBack", text(LEDBack));
    write(ColorSection, "FoulsColor", text(FoulsColor));
    write(ColorSection, "PointsColor", text(PointsColor));
    write(ColorSection, "FormBack", text(FormBack));
    write(ColorSection, "BorderColor", text(BorderColor));
    write(KeySection, "NumLockForce", text(NumLockForce));
    write(PicSection, "HomePic", HomePic);
    write(PicSection, "VisitorPic", VisitorPic);
    write(PicSection, "LEDType", text(LEDType));
    write(DisplaySection, "ShowPlayerName", text(ShowPlayerName));
    write(DisplaySection, "ShowPlayerNumber", text(ShowPlayerNumber));
    write(DisplaySection, "ShowPlayerFouls", text(ShowPlayerFouls));
    write(DisplaySection, "ShowPlayerPoints", text(ShowPlayerPoints));
    write(DisplaySection, "PlayerTotal", text(PlayerTotal));
    return store.sync();
}

QString PanelSettings::storeFileName() { return SettingsStore::filePath(applicationName()); }
