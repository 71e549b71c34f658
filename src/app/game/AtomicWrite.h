#pragma once

#include <QString>
#include <functional>

class QIODevice;

// Writes a file whole or not at all (QSaveFile): whatever stops the program
// leaves the old file or the new one. `fill` writes the content and says
// whether it could. Returns the reason on failure, else nothing.
QString writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& fill);
