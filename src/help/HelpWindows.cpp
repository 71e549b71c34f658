#include "help/HelpWindows.h"

#include "help/frmHelp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

frmHelp* showHelpWindow(QPointer<frmHelp>& slot, const QString& folder)
{
    if (!slot)
        slot = new frmHelp(folder);
    if (slot->isMinimized())
        slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

QString libraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&libraryFolder), &info) != 0 && info.dli_fname &&
        *info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QCoreApplication::applicationDirPath();
}

void showLibraryHelp()
{
    static QPointer<frmHelp> window;
    showHelpWindow(window, libraryFolder());
}
