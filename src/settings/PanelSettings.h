#pragma once

#include <QString>
#include <optional>

// The one process-wide settings record, shared by every panel and the options
// dialog. Colours are 0x00BBGGRR.
struct PanelSettings
{
    static inline qint32 PointsColor = 0;
    static inline qint32 FoulsColor = 0;
    static inline qint32 NumColor = 0;
    static inline qint32 LEDBack = 0;
    static inline qint32 FormBack = 0;
    static inline qint32 BorderColor = 0;
    static inline qint32 NumLockForce = 0;
    static inline qint16 LEDType = 0;
    static inline qint16 ShowPlayerName = 0;
    static inline qint16 ShowPlayerNumber = 0;
    static inline qint16 ShowPlayerFouls = 0;
    static inline qint16 ShowPlayerPoints = 0;
    static inline qint16 PlayerTotal = 0;
    static inline QString HomePic;
    static inline QString VisitorPic;

    // Not stored: cleared when the settings change, set by each side's panel
    // once it has applied them.
    static inline bool HomeRefreshed = false;
    static inline bool VisitorRefreshed = false;

    static constexpr qint32 defaultPointsColor = 49152;
    static constexpr qint32 defaultFoulsColor = 255;
    static constexpr qint32 defaultNumColor = 33023;
    static constexpr qint32 defaultLEDBack = 0;
    static constexpr qint32 defaultFormBack = 255;
    static constexpr qint32 defaultBorderColor = 16777215;
    static constexpr qint16 defaultPlayerTotal = 5;

    static QString applicationName() { return QStringLiteral("Tallyvane"); }

    // Fills every stored field from the per-user store, applying the NumLock
    // policy as soon as it is known.
    static void loadAll();
    // Writes every stored field; on failure, the reason in words (the record
    // keeps its values either way).
    static std::optional<QString> saveAll();
    // Where the store lives, for messages.
    static QString storeFileName();
};
