// The virtual keyboard's own behaviour, driven through the hidapi C calls: what the link
// tests rely on without showing it (enumeration, unplug, stall, rejections, per-handle
// queues, per-profile memory).

#include <QList>
#include <QTest>

#include <hidapi.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "hex.h"
#include "virtualkeyboard.h"

using namespace vkb;
using namespace std::chrono_literals;

namespace {

using Handle = std::unique_ptr<hid_device, decltype(&hid_close)>;

VirtualKeyboard &keyboard()
{
    return VirtualKeyboard::instance();
}

Handle open(const char *path)
{
    return Handle(hid_open_path(path), &hid_close);
}

int command(hid_device *h, uint8_t code, uint8_t p0 = 0, uint8_t p1 = 0, uint8_t p2 = 0)
{
    const uint8_t report[9] = {0, code, p0, p1, p2, 0, 0x55, 0xAA, 0};
    return hid_send_feature_report(h, report, sizeof report);
}

int writeChunk(hid_device *h, const uint8_t *chunk)
{
    uint8_t report[65] = {0};
    std::copy_n(chunk, 64, report + 1);
    return hid_write(h, report, sizeof report);
}

// Sends a block the way the link does: the command report, then 64-byte data reports.
void writeBlock(hid_device *h, uint8_t code, uint8_t p1, uint8_t p2, const Bytes &block)
{
    QCOMPARE(command(h, code, 0, p1, p2), 9);
    for (size_t at = 0; at < block.size(); at += 64)
        QCOMPARE(writeChunk(h, block.data() + at), 65);
}

Bytes pattern(size_t length, int seed)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = uint8_t(seed + 7 * i);
    return bytes;
}

// Every field of a profile in one row: key matrix 0, combination matrix 256, lighting
// 512, seven colours 519, pictures 583.
Bytes flat(const ProfileMemory &p)
{
    const Lighting &l = p.lighting;
    Bytes bytes(p.keyMatrix.begin(), p.keyMatrix.end());
    bytes.insert(bytes.end(), p.comboMatrix.begin(), p.comboMatrix.end());
    bytes.insert(bytes.end(), {l.type, l.brightness, l.speed, l.direction, l.color, l.bl0, l.bl1});
    bytes.insert(bytes.end(), p.sevenColors.begin(), p.sevenColors.end());
    for (const auto &picture : p.pictures)
        bytes.insert(bytes.end(), picture.begin(), picture.end());
    return bytes;
}
constexpr int kLightingAt = 512;
constexpr int kPicturesAt = 583;

enum Call { Write, Read, ReadTimeout, SendFeature, GetFeature, InputReport, ProductString, DeviceInfo };

// One call of each kind on an open handle with a usable buffer; -1 when it failed.
int callOn(Call call, hid_device *h, uint8_t *buffer, size_t length)
{
    switch (call) {
    case Write:
        return hid_write(h, buffer, length);
    case Read:
        return hid_read(h, buffer, length);
    case ReadTimeout:
        return hid_read_timeout(h, buffer, length, 0);
    case SendFeature:
        return hid_send_feature_report(h, buffer, length);
    case GetFeature:
        return hid_get_feature_report(h, buffer, length);
    case InputReport:
        return hid_get_input_report(h, buffer, length);
    case ProductString:
        return hid_get_product_string(h, reinterpret_cast<wchar_t *>(buffer), length / sizeof(wchar_t));
    case DeviceInfo:
        return hid_get_device_info(h) ? 0 : -1;
    }
    return -1;
}

int countOf(ReportKind kind)
{
    const auto reports = keyboard().reports();
    return int(std::count_if(reports.begin(), reports.end(), [&](const Report &r) { return r.kind == kind; }));
}

} // namespace

class TestVirtualKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        keyboard().reset();
    }
    void cleanup()
    {
        QCOMPARE(keyboard().openHandleCount(), 0);
    }

    void enumeratesItsInterfaces_data()
    {
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        QTest::addColumn<bool>("unplugged");
        QTest::addColumn<int>("expected");
        const int vid = VirtualKeyboard::kVendorId;
        const int pid = VirtualKeyboard::kProductId;
        QTest::newRow("any device") << 0 << 0 << false << 3;
        QTest::newRow("its vendor") << vid << 0 << false << 3;
        QTest::newRow("its vendor and product") << vid << pid << false << 3;
        QTest::newRow("another vendor") << 0x1234 << 0 << false << 0;
        QTest::newRow("another product") << vid << 0x0001 << false << 0;
        QTest::newRow("unplugged") << 0 << 0 << true << 0;
    }
    void enumeratesItsInterfaces()
    {
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        QFETCH(bool, unplugged);
        QFETCH(int, expected);
        if (unplugged)
            keyboard().unplug();

        hid_device_info *list = hid_enumerate(ushort(vendorId), ushort(productId));
        const auto wanted = VirtualKeyboard::defaultInterfaces();
        int count = 0;
        for (hid_device_info *i = list; i; i = i->next, ++count) {
            QVERIFY(count < int(wanted.size()));
            const Interface &w = wanted[size_t(count)];
            QCOMPARE(QString::fromLatin1(i->path), QString::fromStdString(w.path));
            QCOMPARE(i->vendor_id, w.vendorId);
            QCOMPARE(i->product_id, w.productId);
            QCOMPARE(i->usage_page, w.usagePage);
            QCOMPARE(i->usage, w.usage);
            QCOMPARE(i->interface_number, w.interfaceNumber);
            QCOMPARE(i->bus_type, HID_API_BUS_USB);
            QCOMPARE(QString::fromWCharArray(i->serial_number), QStringLiteral("VKB0001"));
            QCOMPARE(QString::fromWCharArray(i->manufacturer_string), QStringLiteral("Valdrin"));
            QCOMPARE(QString::fromWCharArray(i->product_string), QStringLiteral("QN9"));
        }
        hid_free_enumeration(list);
        QCOMPARE(count, expected);
    }

    void opensOnlyListedPaths()
    {
        QVERIFY(!open("virtual-hidraw9"));
        QVERIFY(!open(nullptr));
        QVERIFY(QString::fromWCharArray(hid_error(nullptr)) != QStringLiteral("Success"));
        Handle first = Handle(hid_open(VirtualKeyboard::kVendorId, VirtualKeyboard::kProductId, nullptr), &hid_close);
        QVERIFY(first);
        QCOMPARE(QString::fromLatin1(hid_get_device_info(first.get())->path), QStringLiteral("virtual-hidraw0"));
        QVERIFY(!hid_open(VirtualKeyboard::kVendorId, VirtualKeyboard::kProductId, L"OTHER"));
    }

    // Tests rename paths: the usage page, not the path, makes the command and
    // notification interfaces.
    void renamedInterfacesKeepTheirRoles()
    {
        const uint16_t vid = VirtualKeyboard::kVendorId;
        const uint16_t pid = VirtualKeyboard::kProductId;
        keyboard().setInterfaces({{"renamed-a", vid, pid, 0xFF02, 1, 2}, {"renamed-b", vid, pid, 0xFF01, 1, 1}});
        QVERIFY(!open(VirtualKeyboard::kCommandPath));
        Handle notify = open("renamed-a");
        Handle cmd = open("renamed-b");
        QVERIFY(notify && cmd);

        QCOMPARE(command(cmd.get(), 0x04, 0x2A), 9);
        QCOMPARE(keyboard().sensitivity(), uint8_t(0x2A));
        QCOMPARE(command(notify.get(), 0x04, 0x11), -1);
        QCOMPARE(keyboard().sensitivity(), uint8_t(0x2A));
        QCOMPARE(keyboard().changeLightingOnKeyboard({1, 2, 3, 4, 5, 6, 7}), 1);
        uint8_t buffer[64];
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), 12);
    }

    void unplugFailsCallsOnHandlesOpenedBefore_data()
    {
        QTest::addColumn<int>("call");
        QTest::newRow("write") << int(Write);
        QTest::newRow("non-blocking read") << int(Read);
        QTest::newRow("read with time limit") << int(ReadTimeout);
        QTest::newRow("send feature report") << int(SendFeature);
        QTest::newRow("get feature report") << int(GetFeature);
        QTest::newRow("product string") << int(ProductString);
        QTest::newRow("device info") << int(DeviceInfo);
    }
    void unplugFailsCallsOnHandlesOpenedBefore()
    {
        QFETCH(int, call);
        alignas(wchar_t) uint8_t buffer[65] = {0};
        Handle old = open(VirtualKeyboard::kCommandPath);
        QCOMPARE(hid_set_nonblocking(old.get(), 1), 0);
        QVERIFY(callOn(Call(call), old.get(), buffer, sizeof buffer) >= 0);

        keyboard().unplug();
        QCOMPARE(callOn(Call(call), old.get(), buffer, sizeof buffer), -1);
        QVERIFY(QString::fromWCharArray(hid_error(old.get())) != QStringLiteral("Success"));
        QVERIFY(!open(VirtualKeyboard::kCommandPath));
        QVERIFY(!hid_open(VirtualKeyboard::kVendorId, VirtualKeyboard::kProductId, nullptr));

        keyboard().plugIn();
        Handle fresh = open(VirtualKeyboard::kCommandPath);
        QVERIFY(fresh);
        QCOMPARE(hid_set_nonblocking(fresh.get(), 1), 0);
        QVERIFY(callOn(Call(call), fresh.get(), buffer, sizeof buffer) >= 0);
        QCOMPARE(callOn(Call(call), old.get(), buffer, sizeof buffer), -1);
        QCOMPARE(keyboard().openHandleCount(), 2);
        old.reset();
        QCOMPARE(keyboard().openHandleCount(), 1);
    }

    void unplugWakesBlockedRead()
    {
        Handle h = open(VirtualKeyboard::kCommandPath);
        int result = 0;
        bool pluggedAtReturn = true;
        std::thread reader([&] {
            uint8_t buffer[64];
            result = hid_read(h.get(), buffer, sizeof buffer);
            pluggedAtReturn = keyboard().isPluggedIn();
        });
        std::this_thread::sleep_for(50ms);
        keyboard().unplug();
        reader.join();
        QCOMPARE(result, -1);
        QVERIFY(!pluggedAtReturn);
    }

    void stallHoldsCommandDataUntilLifted()
    {
        Handle cmd = open(VirtualKeyboard::kCommandPath);
        Handle notify = open(VirtualKeyboard::kNotifyPath);
        uint8_t answer[9] = {0};
        QCOMPARE(command(cmd.get(), 0xB0), 9);
        keyboard().setStalled(true);
        QCOMPARE(hid_get_feature_report(cmd.get(), answer, sizeof answer), 9);

        uint8_t buffer[64];
        const auto start = std::chrono::steady_clock::now();
        QCOMPARE(hid_read_timeout(cmd.get(), buffer, sizeof buffer, 50), 0);
        QVERIFY(std::chrono::steady_clock::now() - start >= 50ms);
        keyboard().changeLightingOnKeyboard({});
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), 12);

        std::atomic<bool> lifted = false;
        int result = 0;
        bool liftedAtReturn = false;
        std::thread reader([&] {
            uint8_t data[64];
            result = hid_read(cmd.get(), data, sizeof data);
            liftedAtReturn = lifted;
        });
        std::this_thread::sleep_for(50ms);
        lifted = true;
        keyboard().setStalled(false);
        reader.join();
        QCOMPARE(result, 64);
        QVERIFY(liftedAtReturn);
    }

    void rejectNextRefusesTheNthCallOfItsKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("nths");
        QTest::addColumn<QString>("expected"); // per call: + taken, - refused and not acted on
        QTest::newRow("feature set, next") << int(ReportKind::FeatureSet) << QList<int>{1} << "-++";
        QTest::newRow("feature set, third") << int(ReportKind::FeatureSet) << QList<int>{3} << "++-";
        QTest::newRow("feature get, two pending") << int(ReportKind::FeatureGet) << QList<int>{3, 1} << "-+-+";
        QTest::newRow("data write, second") << int(ReportKind::DataWrite) << QList<int>{2} << "+-+";
        QTest::newRow("data read, second") << int(ReportKind::DataRead) << QList<int>{2} << "+-+";
    }
    void rejectNextRefusesTheNthCallOfItsKind()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, nths);
        QFETCH(QString, expected);
        Handle cmd = open(VirtualKeyboard::kCommandPath);
        Handle notify = open(VirtualKeyboard::kNotifyPath);
        for (int nth : nths)
            keyboard().rejectNext(ReportKind(kind), nth);

        QString outcome;
        for (uint8_t i = 1; i <= expected.size(); ++i) {
            uint8_t buffer[64];
            int result = -1;
            bool acted = false;
            switch (ReportKind(kind)) {
            case ReportKind::FeatureSet:
                result = command(cmd.get(), 0x04, i);
                acted = keyboard().sensitivity() == i;
                break;
            case ReportKind::FeatureGet:
                QCOMPARE(command(cmd.get(), 0xB0), 9);
                result = hid_get_feature_report(cmd.get(), buffer, 9);
                acted = hid_read_timeout(cmd.get(), buffer, sizeof buffer, 0) == 64;
                break;
            case ReportKind::DataWrite:
                QCOMPARE(command(cmd.get(), 0x30), 9);
                std::fill(std::begin(buffer), std::end(buffer), i);
                result = writeChunk(cmd.get(), buffer);
                acted = keyboard().profile(0).sevenColors[0] == i;
                break;
            case ReportKind::DataRead:
                keyboard().sendNotification({i});
                result = hid_read_timeout(notify.get(), buffer, sizeof buffer, 0);
                acted = result == 1;
                break;
            }
            outcome += result >= 0 && acted ? '+' : result < 0 && !acted ? '-' : '?';
        }
        QCOMPARE(outcome, expected);
        QCOMPARE(countOf(ReportKind(kind)), int(expected.size()));
    }

    void refusedReadLeavesTheReportQueued()
    {
        Handle notify = open(VirtualKeyboard::kNotifyPath);
        keyboard().rejectNext(ReportKind::DataRead);
        uint8_t buffer[64];
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), 0); // delivers nothing: not counted
        keyboard().sendNotification({0x07, 0x08});
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), -1);
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), 2);
        QCOMPARE(hex(buffer, 2), QStringLiteral("07 08"));
        QCOMPARE(countOf(ReportKind::DataRead), 2);
    }

    void inputReportsReachOnlyHandlesOpenAtTheTime()
    {
        QCOMPARE(keyboard().changeLightingOnKeyboard({9, 9, 9, 9, 9, 9, 9}), 0);
        Handle notify = open(VirtualKeyboard::kNotifyPath);
        Handle closed = open(VirtualKeyboard::kNotifyPath);
        Handle cmd = open(VirtualKeyboard::kCommandPath);
        Handle otherCmd = open(VirtualKeyboard::kCommandPath);
        closed.reset();

        const Lighting lighting{1, 2, 3, 4, 5, 6, 7};
        QCOMPARE(keyboard().changeLightingOnKeyboard(lighting), 1);
        QVERIFY(keyboard().profile(0).lighting == lighting);
        Handle late = open(VirtualKeyboard::kNotifyPath);
        uint8_t buffer[64];
        QCOMPARE(hid_read_timeout(late.get(), buffer, sizeof buffer, 0), 0);
        QCOMPARE(hid_read_timeout(cmd.get(), buffer, sizeof buffer, 0), 0);
        QCOMPARE(hid_read_timeout(notify.get(), buffer, 5, 0), 5);
        QCOMPARE(hex(buffer, 5), QStringLiteral("00 88 00 00 01"));
        QCOMPARE(keyboard().changeLightingOnKeyboard(lighting), 2);
        QCOMPARE(hid_read_timeout(notify.get(), buffer, sizeof buffer, 0), 12);
        QCOMPARE(hex(buffer, 12), QStringLiteral("00 88 00 00 01 02 03 04 05 06 07 00"));
        QCOMPARE(hid_read_timeout(late.get(), buffer, sizeof buffer, 0), 12);

        // A block read answers every handle open on the command interface.
        QCOMPARE(command(cmd.get(), 0xB0), 9);
        QCOMPARE(hid_get_feature_report(cmd.get(), buffer, 9), 9);
        QCOMPARE(hid_read_timeout(otherCmd.get(), buffer, sizeof buffer, 0), 64);
        QCOMPARE(hid_read_timeout(cmd.get(), buffer, sizeof buffer, 0), 64);
        QCOMPARE(hid_read_timeout(late.get(), buffer, sizeof buffer, 0), 0);
        // Asking again for the same command's answer does not send the block again.
        QCOMPARE(hid_get_feature_report(cmd.get(), buffer, 9), 9);
        QCOMPARE(hid_read_timeout(cmd.get(), buffer, sizeof buffer, 0), 0);
    }

    void answersReadCommands_data()
    {
        QTest::addColumn<int>("code"); // -1: no command sent
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<QString>("answer");
        QTest::newRow("version and layout") << 0x80 << 0 << 0 << "00 80 02 07 02 00 00 00 00";
        QTest::newRow("options") << 0x82 << 0 << 0 << "00 82 01 02 03 00 00 00 00";
        QTest::newRow("sensitivity") << 0x84 << 0 << 0 << "00 84 05 00 00 00 00 00 00";
        QTest::newRow("lighting") << 0x88 << 0 << 0 << "00 88 11 12 13 14 15 16 17";
        QTest::newRow("active profile") << 0xA1 << 0 << 0 << "00 A1 02 00 00 00 00 00 00";
        QTest::newRow("block read echoes its parameters") << 0x92 << 1 << 3 << "00 92 00 01 03 00 55 AA 00";
        QTest::newRow("other code echoes the command") << 0x77 << 4 << 0 << "00 77 00 04 00 00 55 AA 00";
        QTest::newRow("no command yet") << -1 << 0 << 0 << "00 00 00 00 00 00 00 00 00";
    }
    void answersReadCommands()
    {
        QFETCH(int, code);
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(QString, answer);
        Handle h = open(VirtualKeyboard::kCommandPath);
        if (code >= 0) {
            keyboard().setFirmwareVersion(0x0207);
            keyboard().setLayoutByte(0x02);
            QCOMPARE(command(h.get(), 0x02, 1, 2, 3), 9);
            QCOMPARE(command(h.get(), 0x04, 5), 9);
            QCOMPARE(command(h.get(), 0x21, 2), 9);
            const uint8_t lighting[9] = {0, 0x08, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
            QCOMPARE(hid_send_feature_report(h.get(), lighting, sizeof lighting), 9);
            QCOMPARE(command(h.get(), uint8_t(code), 0, uint8_t(p1), uint8_t(p2)), 9);
        }
        uint8_t got[9] = {0};
        QCOMPARE(hid_get_feature_report(h.get(), got, sizeof got), 9);
        QCOMPARE(hex(got, 9), answer);
    }

    void profileMemoryFollowsActiveProfile_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<int>("readCode"); // 0: no read command for it
        QTest::addColumn<int>("at");       // where it lands in flat()
        QTest::addColumn<int>("length");
        QTest::newRow("key matrix, first half") << 0x0C << 0 << 0 << 0x8C << 0 << 128;
        QTest::newRow("key matrix, second half") << 0x0D << 0 << 0 << 0x8D << 128 << 128;
        QTest::newRow("combination, first half") << 0x1C << 0 << 0 << 0 << 256 << 128;
        QTest::newRow("combination, second half") << 0x1D << 0 << 0 << 0 << 384 << 128;
        QTest::newRow("lighting") << 0x08 << 0 << 0 << 0x88 << kLightingAt << 7;
        QTest::newRow("seven colours") << 0x30 << 0 << 0 << 0xB0 << 519 << 64;
        QTest::newRow("picture 0, colour 0") << 0x12 << 0 << 0 << 0x92 << kPicturesAt << 128;
        QTest::newRow("picture 2, colour 3") << 0x12 << 2 << 3 << 0x92 << kPicturesAt + 2 * 512 + 3 * 128 << 128;
        QTest::newRow("picture 4, colour 1") << 0x12 << 4 << 1 << 0x92 << kPicturesAt + 4 * 512 + 128 << 128;
    }
    void profileMemoryFollowsActiveProfile()
    {
        QFETCH(int, code);
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(int, readCode);
        QFETCH(int, at);
        QFETCH(int, length);
        Handle h = open(VirtualKeyboard::kCommandPath);
        const auto write = [&](const Bytes &bytes) {
            if (code == 0x08) {
                uint8_t report[9] = {0, 0x08};
                std::copy(bytes.begin(), bytes.end(), report + 2);
                QCOMPARE(hid_send_feature_report(h.get(), report, sizeof report), 9);
            } else {
                writeBlock(h.get(), uint8_t(code), uint8_t(p1), uint8_t(p2), bytes);
            }
        };
        const auto read = [&] {
            uint8_t answer[9] = {0};
            if (command(h.get(), uint8_t(readCode), 0, uint8_t(p1), uint8_t(p2)) != 9
                || hid_get_feature_report(h.get(), answer, sizeof answer) != 9)
                return Bytes();
            if (readCode == 0x88)
                return Bytes(answer + 2, answer + 9);
            Bytes block;
            uint8_t report[64];
            for (int n = 0; n <= length / 64 && hid_read_timeout(h.get(), report, sizeof report, 0) == 64; ++n)
                block.insert(block.end(), report, report + 64);
            return block;
        };
        const Bytes first = pattern(size_t(length), 1);
        const Bytes second = pattern(size_t(length), 100);

        QCOMPARE(command(h.get(), 0x21, 1), 9);
        write(first);
        QCOMPARE(command(h.get(), 0x21, 4), 9);
        write(second);
        QCOMPARE(command(h.get(), 0x21, 5), 9); // no sixth profile: ignored
        QCOMPARE(keyboard().activeProfile(), uint8_t(4));
        if (readCode)
            QCOMPARE(hex(read()), hex(second));
        QCOMPARE(command(h.get(), 0x21, 1), 9);
        if (readCode)
            QCOMPARE(hex(read()), hex(first));

        const Bytes factory = flat(ProfileMemory{});
        for (int index = 0; index < keyboard().profileCount(); ++index) {
            Bytes expected = factory;
            if (index == 1 || index == 4)
                std::copy_n((index == 1 ? first : second).begin(), length, expected.begin() + at);
            QVERIFY2(flat(keyboard().profile(index)) == expected, qPrintable(QStringLiteral("profile %1").arg(index)));
        }
    }

    void blocksThatCannotLandChangeNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<bool>("interrupted"); // another command after the first chunk
        QTest::newRow("picture index out of range") << 0x12 << 5 << 0 << false;
        QTest::newRow("colour index out of range") << 0x12 << 0 << 4 << false;
        QTest::newRow("key matrix cut short") << 0x0C << 0 << 0 << true;
        QTest::newRow("combination cut short") << 0x1D << 0 << 0 << true;
    }
    void blocksThatCannotLandChangeNothing()
    {
        QFETCH(int, code);
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(bool, interrupted);
        Handle h = open(VirtualKeyboard::kCommandPath);
        const Bytes chunk = pattern(64, 3);
        QCOMPARE(command(h.get(), uint8_t(code), 0, uint8_t(p1), uint8_t(p2)), 9);
        QCOMPARE(writeChunk(h.get(), chunk.data()), 65);
        if (interrupted)
            QCOMPARE(command(h.get(), 0x04, 1), 9);
        QCOMPARE(writeChunk(h.get(), chunk.data()), 65);

        const Bytes factory = flat(ProfileMemory{});
        for (int index = 0; index < keyboard().profileCount(); ++index)
            QVERIFY2(flat(keyboard().profile(index)) == factory, qPrintable(QStringLiteral("profile %1").arg(index)));
    }

    void restoreCommandBringsBackFactoryMemory_data()
    {
        QTest::addColumn<int>("p1");
        QTest::addColumn<bool>("restores");
        QTest::newRow("restore parameters") << 0x1F << true;
        QTest::newRow("other parameters") << 0x00 << false;
    }
    void restoreCommandBringsBackFactoryMemory()
    {
        QFETCH(int, p1);
        QFETCH(bool, restores);
        Handle h = open(VirtualKeyboard::kCommandPath);
        const Bytes macro = pattern(128, 5);
        QCOMPARE(command(h.get(), 0x02, 1, 2, 3), 9);
        QCOMPARE(command(h.get(), 0x04, 9), 9);
        QCOMPARE(command(h.get(), 0x21, 2), 9);
        writeBlock(h.get(), 0x30, 0, 0, pattern(64, 8));
        writeBlock(h.get(), 0x10, 7, 0, macro);
        const ProfileMemory written = keyboard().profile(2);
        QCOMPARE(hex(keyboard().macro(7)), hex(macro));

        QCOMPARE(command(h.get(), 0x13, 0xFF, uint8_t(p1)), 9);
        QCOMPARE(keyboard().recoveryRequested(), restores);
        const bool kept = !restores;
        QCOMPARE(keyboard().options() == (std::array<uint8_t, 3>{1, 2, 3}), kept);
        QCOMPARE(keyboard().sensitivity() == 9, kept);
        QCOMPARE(keyboard().activeProfile() == 2, kept);
        QCOMPARE(keyboard().macro(7) == macro, kept);
        QCOMPARE(flat(keyboard().profile(2)) == flat(written), kept);
        QCOMPARE(flat(keyboard().profile(2)) == flat(ProfileMemory{}), restores);
    }

    void badArgumentsFailWithoutReachingTheKeyboard_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("nullHandle");
        QTest::addColumn<bool>("nullBuffer");
        QTest::addColumn<int>("length");
        const QList<QPair<const char *, Call>> calls{
            {"write", Write},           {"read", Read},
            {"read with time limit", ReadTimeout}, {"send feature", SendFeature},
            {"get feature", GetFeature}, {"input report", InputReport},
            {"product string", ProductString},
        };
        for (const auto &[name, call] : calls) {
            QTest::addRow("%s, null handle", name) << int(call) << true << false << 64;
            QTest::addRow("%s, null buffer", name) << int(call) << false << true << 64;
            QTest::addRow("%s, zero length", name) << int(call) << false << false << 0;
        }
    }
    void badArgumentsFailWithoutReachingTheKeyboard()
    {
        QFETCH(int, call);
        QFETCH(bool, nullHandle);
        QFETCH(bool, nullBuffer);
        QFETCH(int, length);
        Handle h = open(VirtualKeyboard::kCommandPath);
        QCOMPARE(command(h.get(), 0xB0), 9); // something to get and to read
        QCOMPARE(hid_get_feature_report(h.get(), std::array<uint8_t, 9>{}.data(), 9), 9);
        keyboard().clearReports();

        alignas(wchar_t) uint8_t buffer[65] = {0};
        hid_device *target = nullHandle ? nullptr : h.get();
        QCOMPARE(callOn(Call(call), target, nullBuffer ? nullptr : buffer, size_t(length)), -1);
        QVERIFY(QString::fromWCharArray(hid_error(target)) != QStringLiteral("Success"));
        QVERIFY(keyboard().reports().empty());
    }
};

QTEST_GUILESS_MAIN(TestVirtualKeyboard)
#include "tst_virtualkeyboard.moc"
