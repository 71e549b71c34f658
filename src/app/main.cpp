#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/frmSplash.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    QApplication::setWindowIcon(appIcon());

    // Bypassed, the splash would close before it ever shows: it is not made.
    if (CommandLine::bypassesSplash(QCoreApplication::arguments()))
        frmSplash::openScoreboards();
    else
        (new frmSplash)->show();
    return QApplication::exec();
}
