#pragma once

#include "deviceentry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Hid_Thread;

// One keyboard model as the embedded device description lists it.
struct DeviceDescription {
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;
    quint16 usage = 0;
    quint16 usagePage2 = 0;
    quint16 usage2 = 0;
    QString productName;
    quint32 reportLength = 0;
};

// The models of a description file; product names are taken by position from the
// configuration's list ("" where it is short).
QList<DeviceDescription> readDeviceDescriptions(const QString &descriptionFile,
                                                const QStringList &productNames);

// One entry per description, in order. Only the first model is looked for on the bus;
// it counts as present only with both of its interfaces.
DeviceList findDevices(const QList<DeviceDescription> &descriptions);

// The discovery pass: reads the embedded description, finds the keyboard, hands the link
// the new entries and lets the view synchronise with the keyboard.
class DeviceDiscovery
{
public:
    static constexpr const char *kDescriptionFile = ":/DevInfo.ini";

    DeviceDiscovery(Hid_Thread &link, std::function<QStringList()> productNames,
                    std::function<void()> synchronise);

    // A pass asked for while one runs (the link handles GUI events while it waits, so a
    // device-check timer can fire inside a pass) runs once the running pass has ended.
    void checkDevice();

private:
    void runPass();

    Hid_Thread &link;
    std::function<QStringList()> productNames;
    std::function<void()> synchronise;
    bool passRunning = false;
    bool passRequested = false;
};
