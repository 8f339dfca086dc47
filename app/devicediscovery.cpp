#include "devicediscovery.h"

#include "hid_thread.h"
#include "hidaccess.h"

#include <QSettings>

namespace {
quint16 hexValue(const QSettings &settings, int model, const char *key)
{
    // Written without a "0x" prefix, e.g. "04d9"; anything unreadable is 0.
    return settings.value(QStringLiteral("%1/%2").arg(model).arg(QLatin1String(key)))
        .toString()
        .toUShort(nullptr, 16);
}
} // namespace

QList<DeviceDescription> readDeviceDescriptions(const QString &descriptionFile,
                                                const QStringList &productNames)
{
    const QSettings settings(descriptionFile, QSettings::IniFormat);
    const int total = settings.value(QStringLiteral("common/total"), 0).toInt();
    QList<DeviceDescription> descriptions;
    for (int i = 0; i < total; ++i) {
        DeviceDescription d;
        d.vid = hexValue(settings, i, "vid");
        d.pid = hexValue(settings, i, "pid");
        d.usagePage = hexValue(settings, i, "usagePage");
        d.usage = hexValue(settings, i, "usage");
        d.usagePage2 = hexValue(settings, i, "usagePage2");
        d.usage2 = hexValue(settings, i, "usage2");
        d.productName = productNames.value(i);
        d.reportLength = settings.value(QStringLiteral("%1/reportLength").arg(i), 0).toUInt();
        descriptions.append(d);
    }
    return descriptions;
}

DeviceList findDevices(const QList<DeviceDescription> &descriptions)
{
    DeviceList entries;
    for (int i = 0; i < descriptions.size(); ++i) {
        const DeviceDescription &d = descriptions.at(i);
        entries.append({i, d.productName, QString(), QString(), d.reportLength});
        if (i != 0)
            continue;
        QString commandPath;
        QString notifyPath;
        // Every interface is looked at: when several match a pair, the last one wins.
        for (const hidaccess::InterfaceInfo &info : hidaccess::enumerate(d.vid, d.pid)) {
            if (info.usagePage == d.usagePage && info.usage == d.usage)
                commandPath = info.path;
            if (info.usagePage == d.usagePage2 && info.usage == d.usage2)
                notifyPath = info.path;
            if (!commandPath.isEmpty() && !notifyPath.isEmpty())
                entries[0] = {0, d.productName, commandPath, notifyPath, d.reportLength};
        }
    }
    return entries;
}

DeviceDiscovery::DeviceDiscovery(Hid_Thread &link, std::function<QStringList()> productNames,
                                 std::function<void()> synchronise)
    : link(link)
    , productNames(std::move(productNames))
    , synchronise(std::move(synchronise))
{
}

void DeviceDiscovery::checkDevice()
{
    if (passRunning) {
        passRequested = true;
        return;
    }
    passRunning = true;
    do {
        passRequested = false;
        runPass();
    } while (passRequested);
    passRunning = false;
}

void DeviceDiscovery::runPass()
{
    const QList<DeviceDescription> descriptions
        = readDeviceDescriptions(QString::fromLatin1(kDescriptionFile), productNames());
    const DeviceList entries = findDevices(descriptions);
    link.stopListener(); // the listener reads the list that is replaced here
    link.setDeviceList(entries);
    link.swichCurDevice(link.deviceId());
    if (synchronise)
        synchronise();
}
