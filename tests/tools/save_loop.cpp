// Saves the settings record to the given store file over and over until it is
// killed, every field of save n holding n (paths "/pictures/n.jpg"). Prints
// "saving" once the first save is complete; a failed save ends it.
//
//   save_loop <store file> <first n>
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    using S = PanelSettings;
    SettingsStore::setFilePathOverride(QString::fromLocal8Bit(argv[1]));
    for (qint16 n = qint16(atoi(argv[2]));; n = qint16(n % 30000 + 1)) {
        S::PointsColor = S::FoulsColor = S::NumColor = S::LEDBack = S::FormBack = S::BorderColor =
            S::NumLockForce = S::LEDType = S::ShowPlayerName = S::ShowPlayerNumber =
                S::ShowPlayerFouls = S::ShowPlayerPoints = S::PlayerTotal = n;
        S::HomePic = S::VisitorPic = QString("/pictures/%1.jpg").arg(n);
        if (S::saveAll())
            return 1;
        static bool announced = false;
        if (!announced)
            announced = std::puts("saving") >= 0 && std::fflush(stdout) == 0;
    }
}
