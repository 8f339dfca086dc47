#pragma once

#include <QString>
#include <QTemporaryDir>

// A private copy of the run-time folder (modules/) that a test may change; the process's
// working directory points at it while the copy lives.
class RuntimeFolder
{
public:
    RuntimeFolder();
    ~RuntimeFolder();

    bool isValid() const { return valid; }
    QString path() const { return dir.path(); }
    QString filePath(const QString &relative) const { return dir.filePath(relative); }
    // Writes a file under the copy, creating folders as needed.
    bool write(const QString &relative, const QByteArray &content) const;

private:
    QTemporaryDir dir;
    QString previous;
    bool valid = false;
};
