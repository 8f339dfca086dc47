#include "hidaccess.h"

#include "linklog.h"

#include <hidapi/hidapi.h>

#include <mutex>

namespace hidaccess {

namespace {
std::mutex &globalStateMutex()
{
    static std::mutex mutex;
    return mutex;
}
} // namespace

QList<InterfaceInfo> enumerate(quint16 vendorId, quint16 productId)
{
    std::lock_guard lock(globalStateMutex());
    QList<InterfaceInfo> interfaces;
    hid_device_info *head = hid_enumerate(vendorId, productId);
    for (const hid_device_info *info = head; info; info = info->next)
        interfaces.append({QString::fromLocal8Bit(info->path), info->usage_page, info->usage});
    hid_free_enumeration(head);
    return interfaces;
}

hid_device *openPath(const QString &path)
{
    std::lock_guard lock(globalStateMutex());
    hid_device *device = hid_open_path(path.toLocal8Bit().constData());
    if (!device)
        qCDebug(lcLinkIo) << "open failed:" << path << QString::fromWCharArray(hid_error(nullptr));
    return device;
}

void close(hid_device *device)
{
    if (!device)
        return;
    std::lock_guard lock(globalStateMutex());
    hid_close(device);
}

} // namespace hidaccess
