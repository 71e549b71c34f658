#pragma once

#include <QString>

// Where each deliverable lies, so that each finds the files installed beside it.
namespace DeliverableFolders {

// The folder of the running program.
QString programFolder();

// The folder of the binary file this code was linked into: the control
// library's folder when it lives in the library.
QString libraryFolder();

} // namespace DeliverableFolders
