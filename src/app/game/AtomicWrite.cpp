#include "app/game/AtomicWrite.h"

#include <QSaveFile>

QString writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& fill)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!fill(file)) {
        file.cancelWriting();
        return file.errorString().isEmpty() ? QStringLiteral("the content could not be written")
                                            : file.errorString();
    }
    return file.commit() ? QString() : file.errorString();
}
