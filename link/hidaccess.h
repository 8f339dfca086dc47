#pragma once

// hidapi keeps one global error string, so enumerating, opening and closing must never
// run on two threads at once. Every such call in the program goes through here.

#include <QByteArray>
#include <QList>
#include <QString>

struct hid_device_;
using hid_device = hid_device_;

namespace hidaccess {

struct InterfaceInfo {
    QString path;
    quint16 usagePage = 0;
    quint16 usage = 0;
};

// The interfaces with these ids, in the order the HID layer lists them.
QList<InterfaceInfo> enumerate(quint16 vendorId, quint16 productId);

// Null when the path cannot be opened.
hid_device *openPath(const QString &path);

void close(hid_device *device);

} // namespace hidaccess
