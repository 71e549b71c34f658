#include "help/HelpLauncher.h"

#include "help/frmHelp.h"
#include "platform/DeliverableFolders.h"

namespace HelpLauncher {

frmHelp* show(QPointer<frmHelp>& slot, const QString& folder)
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

void showLibraryHelp()
{
    static QPointer<frmHelp> window;
    show(window, DeliverableFolders::libraryFolder());
}

void showProgramHelp()
{
    static QPointer<frmHelp> window;
    show(window, DeliverableFolders::programFolder());
}

} // namespace HelpLauncher
