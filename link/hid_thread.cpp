#include "hid_thread.h"

#include "hidaccess.h"
#include "linklog.h"

#include <QCoreApplication>

#include <hidapi/hidapi.h>

#include <chrono>

std::atomic<bool> languageFileValid{true};

namespace {
constexpr int kIdleWaits = 255;
constexpr std::chrono::milliseconds kIdleWaitStep{8};
} // namespace

Hid_Thread::Hid_Thread()
    : QThread(nullptr)
{
}

Hid_Thread::~Hid_Thread()
{
    stopListener();
    // A write task may still be sending; it uses this object to its end.
    finishWrites();
}

void Hid_Thread::finishWrites()
{
    std::unique_lock lock(idleMutex);
    idleChanged.wait(lock, [this] { return writeTasks == 0; });
}

void Hid_Thread::setDeviceList(const DeviceList &entries)
{
    std::lock_guard lock(deviceListMutex);
    deviceList = entries;
}

DeviceList Hid_Thread::devices() const
{
    std::lock_guard lock(deviceListMutex);
    return deviceList;
}

DeviceEntry Hid_Thread::deviceEntry(quint32 did) const
{
    std::lock_guard lock(deviceListMutex);
    return did < quint32(deviceList.size()) ? deviceList.at(did) : DeviceEntry{};
}

void Hid_Thread::clearPath(quint32 did, QString DeviceEntry::*path, const QString &failedPath)
{
    std::lock_guard lock(deviceListMutex);
    // Only the path that failed: discovery may have put a fresh list in place meanwhile.
    if (did < quint32(deviceList.size()) && deviceList[did].*path == failedPath)
        (deviceList[did].*path).clear();
}

void Hid_Thread::swichCurDevice(uint did)
{
    curDeviceId = did;
    startListener(did);
}

bool Hid_Thread::waitIdle()
{
    for (int waits = kIdleWaits;;) {
        bool idle = true;
        if (linkIdle.compare_exchange_strong(idle, false, std::memory_order_acquire))
            return true;
        {
            std::unique_lock lock(idleMutex);
            idleChanged.wait_for(lock, kIdleWaitStep, [this] { return linkIdle.load(); });
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (--waits == 0)
            return false;
    }
}

void Hid_Thread::giveBackLink()
{
    std::lock_guard lock(idleMutex);
    linkIdle.store(true, std::memory_order_release);
    idleChanged.notify_all();
}

hid_device *Hid_Thread::openInterface(quint32 did, QString DeviceEntry::*path, hid_device *&handle)
{
    const QString target = deviceEntry(did).*path;
    if (target.isEmpty())
        return nullptr;
    hidaccess::close(handle);
    handle = hidaccess::openPath(target);
    if (!handle) {
        clearPath(did, path, target);
        return nullptr;
    }
    if (hid_set_nonblocking(handle, 0) < 0)
        qCDebug(lcLinkIo) << "set blocking failed:" << target;
    return handle;
}

hid_device *Hid_Thread::openCmdDevice(quint32 did)
{
    return openInterface(did, &DeviceEntry::path, cmdHandle);
}

void Hid_Thread::closeCmdDevice()
{
    hidaccess::close(cmdHandle);
    cmdHandle = nullptr;
}
