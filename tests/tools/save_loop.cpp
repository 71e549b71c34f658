// Saves the settings record to the given store file over and over, each save
// a new generation, until it is killed. Prints "saving" once the first save
// is complete; a failed save ends it with status 1.
//
//   save_loop <store file> <first generation>
#include "SaveGeneration.h"
#include "platform/SettingsStore.h"

#include <QString>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop <store file> <first generation>\n");
        return 2;
    }
    SettingsStore::setFilePathOverride(QString::fromLocal8Bit(argv[1]));
    for (quint32 generation = QByteArray(argv[2]).toUInt();; ++generation) {
        setGeneration(generation);
        if (const auto failure = PanelSettings::SaveAll()) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(*failure));
            return 1;
        }
        static bool announced = false;
        if (!announced) {
            std::puts("saving");
            std::fflush(stdout);
            announced = true;
        }
    }
}
