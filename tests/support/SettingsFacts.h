#pragma once

#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"

#include <QStringList>
#include <QVariantList>

// The settings record and its file as labelled facts, key by key in save
// order: "NumColor=33023 LEDBack=0 ... PlayerTotal=5".
namespace SettingsFacts {

inline const QStringList keys =
    QString("ColorSettings/NumColor ColorSettings/LEDBack ColorSettings/FoulsColor "
            "ColorSettings/PointsColor ColorSettings/FormBack ColorSettings/BorderColor "
            "KeySettings/NumLockForce PicSettings/HomePic PicSettings/VisitorPic "
            "PicSettings/LEDType Display/ShowPlayerName Display/ShowPlayerNumber "
            "Display/ShowPlayerFouls Display/ShowPlayerPoints Display/PlayerTotal")
        .split(u' ');

// The record's stored fields; given a store, what a reader of its file finds
// under each key instead ("absent" for a key it lacks).
inline QString record(const SettingsStore* store = nullptr)
{
    using S = PanelSettings;
    const QVariantList values = {S::NumColor,        S::LEDBack,          S::FoulsColor,
                                 S::PointsColor,     S::FormBack,         S::BorderColor,
                                 S::NumLockForce,    S::HomePic,          S::VisitorPic,
                                 S::LEDType,         S::ShowPlayerName,   S::ShowPlayerNumber,
                                 S::ShowPlayerFouls, S::ShowPlayerPoints, S::PlayerTotal};
    QStringList all;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QString section = keys[i].section(u'/', 0, 0), key = keys[i].section(u'/', 1);
        all << key + u'=' +
                   (store ? store->read(section, key, QStringLiteral("absent"))
                          : values[i].toString());
    }
    return all.join(u' ');
}

// What a reader of the settings file finds now.
inline QString stored()
{
    const SettingsStore store(PanelSettings::applicationName());
    return record(&store);
}

} // namespace SettingsFacts
