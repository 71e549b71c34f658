#include "platform/DeliverableFolders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

namespace DeliverableFolders {

QString programFolder() { return QCoreApplication::applicationDirPath(); }

QString libraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&libraryFolder), &info) != 0 && info.dli_fname &&
        *info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return programFolder();
}

} // namespace DeliverableFolders
