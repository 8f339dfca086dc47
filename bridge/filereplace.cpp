#include "filereplace.h"

#include <QFile>
#include <QSaveFile>

bool replaceWithCopy(const QString &source, const QString &target)
{
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        return false;
    QSaveFile to(target);
    if (!to.open(QIODevice::WriteOnly))
        return false;
    // Settings files are small; a bounded chunk keeps a huge chosen file from taking
    // all memory at once.
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = from.read(chunk, sizeof chunk);
        if (got < 0)
            return false; // the temporary file is removed, target untouched
        if (got == 0)
            break;
        if (to.write(chunk, got) != got)
            return false;
    }
    return to.commit();
}
