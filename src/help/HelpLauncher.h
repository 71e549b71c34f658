#pragma once

#include <QPointer>
#include <QString>

class frmHelp;

// Each deliverable has one help window, reading the help file beside it.
namespace HelpLauncher {

// Shows the help window kept in `slot`, creating it (and reading the help file
// from `folder`) only when the slot is empty; an open window is brought to the
// front as it is.
frmHelp* show(QPointer<frmHelp>& slot, const QString& folder);

// The control library's own help window.
void showLibraryHelp();

// The program's own help window.
void showProgramHelp();

} // namespace HelpLauncher
