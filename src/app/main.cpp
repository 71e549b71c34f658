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

    auto* splash = new frmSplash;
    if (CommandLine::bypassesSplash(QCoreApplication::arguments()))
        splash->GoScore();
    else
        splash->show();
    return QApplication::exec();
}
