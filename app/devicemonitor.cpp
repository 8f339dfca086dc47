#include "devicemonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

DeviceMonitor::DeviceMonitor(QObject *parent)
    : QObject(parent)
{
    context = udev_new();
    if (!context)
        return;
    monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        monitor = nullptr;
        return;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &DeviceMonitor::receive);
}

DeviceMonitor::~DeviceMonitor()
{
    delete notifier;
    udev_monitor_unref(monitor);
    udev_unref(context);
}

void DeviceMonitor::receive()
{
    while (udev_device *device = udev_monitor_receive_device(monitor)) {
        udev_device_unref(device);
        emit deviceChanged();
    }
}
