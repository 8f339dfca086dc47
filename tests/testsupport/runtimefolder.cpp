#include "runtimefolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}
} // namespace

RuntimeFolder::RuntimeFolder()
    : previous(QDir::currentPath())
{
    valid = dir.isValid()
        && copyTree(QStringLiteral(VALDRIN_RUNTIME_MODULES), dir.filePath(QStringLiteral("modules")))
        && QDir::setCurrent(dir.path());
}

RuntimeFolder::~RuntimeFolder()
{
    QDir::setCurrent(previous);
}

bool RuntimeFolder::write(const QString &relative, const QByteArray &content) const
{
    const QString target = dir.filePath(relative);
    QFile file(target);
    return QDir().mkpath(QFileInfo(target).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(content) == content.size();
}
