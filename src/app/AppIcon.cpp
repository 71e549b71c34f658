#include "app/AppIcon.h"

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/app/icons/tallyvane-%1.png").arg(size), QSize(size, size));
    icon.addFile(QStringLiteral(":/app/icons/tallyvane.png"), QSize(256, 256));
    return icon;
}
