// The discovery pass: the embedded description, and which interfaces make the keyboard
// present, against the virtual keyboard's enumeration.

#include "devicediscovery.h"
#include "hid_thread.h"
#include "linkfixture.h"
#include "virtualkeyboard.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr quint16 kVid = vkb::VirtualKeyboard::kVendorId;
constexpr quint16 kPid = vkb::VirtualKeyboard::kProductId;

// "ff01:1:pathA ff02:1:pathB" lists interfaces of the keyboard's ids; a fourth field
// gives another product id.
std::vector<vkb::Interface> interfaces(const QString &list)
{
    std::vector<vkb::Interface> result;
    for (const QString &item : list.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList f = item.split(QLatin1Char(':'));
        const quint16 pid = f.size() > 3 ? f[3].toUShort(nullptr, 16) : kPid;
        result.push_back({f[2].toStdString(), kVid, pid, f[0].toUShort(nullptr, 16),
                          f[1].toUShort(nullptr, 16), int(result.size())});
    }
    return result;
}
} // namespace

class DiscoveryTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    QTemporaryDir dir;
    int files = 0;

    // A new file each time: the settings class caches a file it has read in this process.
    QString descriptionFile(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("DevInfo%1.ini").arg(++files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QList<DeviceDescription> embedded()
    {
        return readDeviceDescriptions(QString::fromLatin1(DeviceDiscovery::kDescriptionFile),
                                      {QStringLiteral("QN9")});
    }

private slots:
    void init() { keyboard.reset(); }

    void embeddedDescriptionIsExact()
    {
        QFile file(QString::fromLatin1(DeviceDiscovery::kDescriptionFile));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("; type 0: Keyboard, type 1: Mouse\r\n\r\n[common]\r\ntotal = 1\r\n\r\n"
                            "[0]\r\nvid = 04d9\r\npid = a1cd\r\nusagePage = ff01\r\nusage = 0001\r\n"
                            "usagePage2 = ff02\r\nusage2 = 0001\r\nmodelName = T5-KEYBOARD\r\n"
                            "reportLength = 64\r\n"));

        const QList<DeviceDescription> d = embedded();
        QCOMPARE(d.size(), 1);
        QCOMPARE(d[0].vid, quint16(0x04D9));
        QCOMPARE(d[0].pid, quint16(0xA1CD));
        QCOMPARE(d[0].usagePage, quint16(0xFF01));
        QCOMPARE(d[0].usage, quint16(0x0001));
        QCOMPARE(d[0].usagePage2, quint16(0xFF02));
        QCOMPARE(d[0].usage2, quint16(0x0001));
        QCOMPARE(d[0].reportLength, quint32(64));
        QCOMPARE(d[0].productName, QStringLiteral("QN9"));
    }

    void hexValues_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("04d9") << QByteArray("04d9") << 0x04D9;
        QTest::newRow("a1cd") << QByteArray("a1cd") << 0xA1CD;
        QTest::newRow("upper case") << QByteArray("FF01") << 0xFF01;
        QTest::newRow("not hex") << QByteArray("zz") << 0;
        QTest::newRow("too large") << QByteArray("10000") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
    }

    void hexValues()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        const QList<DeviceDescription> d = readDeviceDescriptions(
            descriptionFile("[common]\ntotal = 1\n[0]\nvid = " + text + "\n"), {});
        QCOMPARE(d.size(), 1);
        QCOMPARE(int(d[0].vid), value);
        QCOMPARE(d[0].pid, quint16(0)); // missing keys read as 0
        QCOMPARE(d[0].reportLength, quint32(0));
    }

    void modelCountAndNames()
    {
        QVERIFY(readDeviceDescriptions(descriptionFile("[0]\nvid = 04d9\n"), {}).isEmpty());
        QVERIFY(readDeviceDescriptions(QStringLiteral("/nonexistent/DevInfo.ini"), {}).isEmpty());
        const QList<DeviceDescription> two
            = readDeviceDescriptions(descriptionFile("[common]\ntotal = 2\n"), {QStringLiteral("A")});
        QCOMPARE(two.size(), 2);
        QCOMPARE(two[0].productName, QStringLiteral("A"));
        QCOMPARE(two[1].productName, QString()); // the configuration's list is short
    }

    void interfacesMakeTheKeyboardPresent_data()
    {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("path2");
        QTest::newRow("both interfaces") << "1:6:kbd ff01:1:cmd ff02:1:note" << "cmd" << "note";
        QTest::newRow("notification order first") << "ff02:1:note ff01:1:cmd" << "cmd" << "note";
        QTest::newRow("notification interface missing") << "1:6:kbd ff01:1:cmd" << "" << "";
        QTest::newRow("command interface missing") << "ff02:1:note" << "" << "";
        QTest::newRow("last match wins") << "ff01:1:a ff02:1:note ff01:1:b" << "b" << "note";
        QTest::newRow("pair compared whole") << "ff01:2:cmd ff02:1:note 1:1:x" << "" << "";
        QTest::newRow("another product") << "ff01:1:cmd:1234 ff02:1:note:1234" << "" << "";
        QTest::newRow("nothing listed") << "" << "" << "";
    }

    void interfacesMakeTheKeyboardPresent()
    {
        QFETCH(QString, listed);
        QFETCH(QString, path);
        QFETCH(QString, path2);
        keyboard.setInterfaces(interfaces(listed));
        const DeviceList entries = findDevices(embedded());
        QCOMPARE(entries, (DeviceList{{0, QStringLiteral("QN9"), path, path2, 64}}));
    }

    void unpluggedKeyboardLeavesOneEmptyEntry()
    {
        keyboard.unplug();
        QCOMPARE(findDevices(embedded()), (DeviceList{{0, QStringLiteral("QN9"), {}, {}, 64}}));
    }

    void onlyTheFirstModelIsLookedFor()
    {
        const QList<DeviceDescription> d = embedded();
        const DeviceList entries = findDevices({d[0], d[0]});
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0], virtualKeyboardEntry());
        QCOMPARE(entries[1], (DeviceEntry{1, QStringLiteral("QN9"), {}, {}, 64}));
    }

    void passHandsTheLinkItsEntries()
    {
        Hid_Thread link;
        int synchronised = 0;
        DeviceDiscovery discovery(link, [] { return QStringList{QStringLiteral("QN9")}; },
                                  [&] { ++synchronised; });
        discovery.checkDevice();
        const DeviceList first = link.devices();
        discovery.checkDevice();
        QCOMPARE(first, DeviceList{virtualKeyboardEntry()});
        QCOMPARE(link.devices(), first); // two passes, same hardware, equal lists
        QCOMPARE(synchronised, 2);

        keyboard.unplug();
        discovery.checkDevice();
        QVERIFY(link.devices().at(0).path.isEmpty());
        QCOMPARE(synchronised, 3); // also without the keyboard
    }

    void passAskedForDuringAPassRunsAfterIt()
    {
        Hid_Thread link;
        int passes = 0;
        int depth = 0;
        int deepest = 0;
        DeviceDiscovery *self = nullptr;
        DeviceDiscovery discovery(link, [] { return QStringList(); }, [&] {
            ++passes;
            deepest = std::max(deepest, ++depth);
            if (passes == 1)
                self->checkDevice(); // as a device-check timer firing inside the pass
            --depth;
        });
        self = &discovery;
        discovery.checkDevice();
        QCOMPARE(passes, 2);
        QCOMPARE(deepest, 1);
    }
};

QTEST_GUILESS_MAIN(DiscoveryTest)
#include "tst_discovery.moc"
