#pragma once

#include "settings/PanelSettings.h"

// One save of the record, told apart from every other by a generation number
// that each of the fifteen stored keys carries in its own way.
inline void setGeneration(quint32 generation)
{
    using S = PanelSettings;
    const qint32 g = qint32(generation);
    qint32* colors[] = {&S::PointsColor, &S::FoulsColor, &S::NumColor,
                        &S::LEDBack,     &S::FormBack,   &S::BorderColor};
    for (int i = 0; i < 6; ++i)
        *colors[i] = (g + i) & 0xFFFFFF;
    S::NumLockForce = g;
    qint16* flags[] = {&S::LEDType, &S::ShowPlayerName, &S::ShowPlayerNumber, &S::ShowPlayerFouls,
                       &S::ShowPlayerPoints};
    for (int i = 0; i < 5; ++i)
        *flags[i] = qint16((generation >> i) & 1);
    S::PlayerTotal = qint16(1 + generation % 15);
    S::HomePic = QStringLiteral("/pictures/home %1.jpg").arg(generation);
    S::VisitorPic = QStringLiteral("/pictures/visitor, %1.jpg").arg(generation);
}
