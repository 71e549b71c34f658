#include "app/AppIcon.h"

QIcon appIcon()
{
    // Every size given here is decoded and sent to the window manager with
    // each window at start-up; the larger ones serve only the desktop entry.
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/app/icons/tallyvane-%1.png").arg(size), QSize(size, size));
    return icon;
}
