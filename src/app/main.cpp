#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/GameKeeper.h"
#include "app/frmSplash.h"

#include <QApplication>
#include <QDebug>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every caption.
    QApplication::setApplicationName(QStringLiteral("Tallyvane"));
    QApplication::setWindowIcon(appIcon());

    const CommandLine::Options options = CommandLine::parse(QCoreApplication::arguments());
    for (const QString& problem : options.problems)
        qWarning().noquote() << problem;
    GameKeeper::configure({GameFile::defaultFolder(), options.homeRoster, options.visitorRoster});

    // Bypassed, the splash would close before it ever shows: it is not made.
    if (CommandLine::bypassesSplash(options.rest))
        frmSplash::openScoreboards();
    else
        (new frmSplash)->show();
    return QApplication::exec();
}
