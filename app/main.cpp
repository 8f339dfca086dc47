#include "devicediscovery.h"
#include "hid_thread.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

namespace {
// Product names of the described models, from the application configuration.
QStringList productNames()
{
    const QSettings config(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    return config.value(QStringLiteral("common/product_name")).toStringList();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Every path of the program is relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    Hid_Thread link;
    DeviceDiscovery discovery(link, productNames, {});
    discovery.checkDevice();

    for (const DeviceEntry &entry : link.devices())
        qInfo().noquote() << QStringLiteral("model %1: command %2, notification %3")
                                 .arg(entry.index)
                                 .arg(entry.path.isEmpty() ? QStringLiteral("absent") : entry.path,
                                      entry.path2.isEmpty() ? QStringLiteral("absent") : entry.path2);
    return 0;
}
