#pragma once

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells when a hidraw device is added or removed, from a udev monitor read on the GUI
// thread. Where no monitor can be made (no udev) it stays silent.
class DeviceMonitor : public QObject
{
    Q_OBJECT

public:
    explicit DeviceMonitor(QObject *parent = nullptr);
    ~DeviceMonitor() override;

    bool isListening() const { return monitor != nullptr; }

signals:
    void deviceChanged();

private:
    void receive();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};
