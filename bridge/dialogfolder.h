#pragma once

#include <QDir>
#include <QStandardPaths>

// The folder a file dialog starts in. A dialog started in a folder that does not exist
// greets the user with an error box, so without a desktop or pictures folder it starts in
// the home folder.
inline QString dialogStartFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

// Where profile and macro files are imported from and exported to.
inline QString desktopStartFolder()
{
    return dialogStartFolder(QStandardPaths::DesktopLocation);
}
