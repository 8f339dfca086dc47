#pragma once

#include <QList>
#include <QString>

// One described keyboard model as discovery hands it to the link. An empty path means
// that interface is not present.
struct DeviceEntry {
    int index = 0;
    QString productName;
    QString path;  // command interface
    QString path2; // notification interface
    quint32 reportLength = 0; // one data report without its report ID

    bool operator==(const DeviceEntry &) const = default;
};

using DeviceList = QList<DeviceEntry>;
