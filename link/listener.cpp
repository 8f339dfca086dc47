// The listener: reads the notification interface in 500 ms rounds and passes every
// lighting report on. The interface stays open from one read to the next, since reports
// that arrive while no handle is open are lost; it is reopened only after a read error,
// and a reopen that fails means the keyboard is gone.

#include "hid_thread.h"

#include "hidaccess.h"
#include "linklog.h"
#include "sanitizerhandoff.h"

#include <QtConcurrent/QtConcurrentRun>

#include <hidapi/hidapi.h>

#include <array>

namespace {
constexpr int kNotificationSize = 12;
constexpr int kReadTimeoutMs = 500;
constexpr int kLightingOffset = 4; // bytes 4 .. 10: the seven values of 08H
constexpr int kLightingCount = 7;
} // namespace

void Hid_Thread::startListener(uint did)
{
    stopListener();
    listenerRunning = true;
    handOff(&listenerFuture);
    listenerFuture = QtConcurrent::run([this, did] {
        takeOver(&listenerFuture);
        listenNotify(did);
        handOff(&listenerRunning);
    });
}

void Hid_Thread::stopListener()
{
    // A listener that ended by itself (removal) is waited for as well: it may still be
    // on its way out.
    listenerRunning = false;
    listenerFuture.waitForFinished();
    takeOver(&listenerRunning);
}

hid_device *Hid_Thread::openNotifyDevice(uint did)
{
    return openInterface(did, &DeviceEntry::path2, notifyHandle);
}

void Hid_Thread::closeNotifyDevice()
{
    hidaccess::close(notifyHandle);
    notifyHandle = nullptr;
}

void Hid_Thread::listenNotify(uint did)
{
    if (deviceEntry(did).path2.isEmpty())
        return;
    while (listenerRunning) {
        if (!notifyHandle && !openNotifyDevice(did)) {
            qCDebug(lcLink) << "Device removed";
            listenerRunning = false;
            break;
        }
        std::array<uint8_t, kNotificationSize> report{};
        const int read = hid_read_timeout(notifyHandle, report.data(), report.size(), kReadTimeoutMs);
        if (read == kNotificationSize) {
            QVariantList ledType;
            for (int i = 0; i < kLightingCount; ++i)
                ledType.append(int(report[kLightingOffset + i]));
            emit keyboardLightingChanged(ledType);
        } else if (read < 0) {
            closeNotifyDevice(); // opened again on the next round
        }
    }
    closeNotifyDevice();
}
