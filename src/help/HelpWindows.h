#pragma once

#include <QPointer>
#include <QString>

class frmHelp;

// Shows the help window kept in `slot`, creating it (and reading the help file
// from `folder`) only when the slot is empty; an open window is brought to the
// front as it is.
frmHelp* showHelpWindow(QPointer<frmHelp>& slot, const QString& folder);

// The folder of the binary file this code was linked into: the library's
// folder when it lives in the library.
QString libraryFolder();

// The control library's own help window.
void showLibraryHelp();
