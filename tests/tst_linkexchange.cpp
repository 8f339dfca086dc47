// The link's exchanges against the virtual keyboard: the bytes on the wire, the pacing
// of data reports, the link idle flag, and every way an exchange can fail.

#include "hex.h"
#include "hid_thread.h"
#include "linkfixture.h"
#include "virtualkeyboard.h"

#include <QElapsedTimer>
#include <QThreadPool>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using vkb::ReportKind;
using Command = std::function<void(Hid_Thread &, const uchar *)>;
Q_DECLARE_METATYPE(Command)
// Runs a read command with the caller's own values and shows what it delivered.
using Read = std::function<QString(Hid_Thread &)>;
Q_DECLARE_METATYPE(Read)

namespace {
using namespace std::chrono_literals;

constexpr auto kDataReportPause = 8ms;
constexpr int kBusyWaits = 255;

std::array<uchar, 128> pattern(uchar seed)
{
    std::array<uchar, 128> bytes{};
    for (int i = 0; i < int(bytes.size()); ++i)
        bytes[i] = uchar(i * 7 + seed);
    return bytes;
}

// What the keyboard keeps for the reads below: byte i of a block is i * step + seed.
uchar fill(int i, int step, int seed)
{
    return uchar(i * step + seed);
}
constexpr uchar kCallerByte = 0xCC;

// Bytes 0, 63, 64 and 127 of a 128-byte block (0 and 63 of a 64-byte one).
QString digest(const uchar *block, int length)
{
    QStringList bytes{hex(block, 1), hex(block + 63, 1)};
    if (length == 128)
        bytes << hex(block + 64, 1) << hex(block + 127, 1);
    return bytes.join(QLatin1Char(' '));
}

QString digestOfFill(int first, int length, int step, int seed)
{
    std::array<uchar, 128> block{};
    for (int i = 0; i < length; ++i)
        block[i] = fill(first + i, step, seed);
    return digest(block.data(), length);
}

template<int Length>
QString blockRead(std::function<bool(Hid_Thread &, uchar *)> read, Hid_Thread &link)
{
    std::array<uchar, Length> block{};
    block.fill(kCallerByte);
    const bool result = read(link, block.data());
    return QStringLiteral("%1 %2").arg(result ? "true" : "false", digest(block.data(), Length));
}

// The data reports that carry a block: report ID 0, then 64 bytes each.
QStringList dataReportsFor(const uchar *block, int length)
{
    QStringList reports;
    for (int position = 0; position < length; position += 64)
        reports.append(hex(QByteArray(1, '\0')
                           + QByteArray(reinterpret_cast<const char *>(block) + position, 64)));
    return reports;
}
} // namespace

class LinkExchangeTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    std::unique_ptr<Hid_Thread> link;

    // Lets go of a link the test took with waitIdle(): an exchange that fails at once
    // still gives the link back.
    void releaseLink()
    {
        languageFileValid = false;
        link->sendFrame(0);
        languageFileValid = true;
    }

private slots:
    void initTestCase()
    {
        // One pool thread: what Qt's pool keeps about its threads is not visible to
        // ThreadSanitizer, and write tasks run one after another anyway.
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }

    void init()
    {
        keyboard.reset();
        languageFileValid = true;
        link = std::make_unique<Hid_Thread>();
        link->setDeviceList({virtualKeyboardEntry()});
    }

    void cleanup()
    {
        link.reset();
        languageFileValid = true;
    }

    void writeCommandReports_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("commandReport");
        QTest::addColumn<int>("blockLength");

        auto row = [](const char *name, Command command, const char *report, int blockLength) {
            QTest::newRow(name) << command << QString::fromLatin1(report) << blockLength;
        };
        row("02H", [](Hid_Thread &l, const uchar *) { l.hid_02H_SetKeyboardoption(1, 2, 3); },
            "00 02 01 02 03 00 55 AA 00", 0);
        row("04H", [](Hid_Thread &l, const uchar *) { l.hid_04H_SetButtonSensitivity(9); },
            "00 04 09 00 00 00 55 AA 00", 0);
        row("08H", [](Hid_Thread &l, const uchar *) { l.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6, 7); },
            "00 08 01 02 03 04 05 06 07", 0);
        row("09H", [](Hid_Thread &l, const uchar *) { l.hid_09H_StopMacroSending(); },
            "00 09 AA CC EE 00 55 AA 00", 0);
        row("0CH", [](Hid_Thread &l, const uchar *b) { l.hid_0CH_SetKeyMatrix_1(b); },
            "00 0C 00 00 00 00 55 AA 00", 128);
        row("0DH", [](Hid_Thread &l, const uchar *b) { l.hid_0DH_SetKeyMatrix_2(b); },
            "00 0D 00 00 00 00 55 AA 00", 128);
        row("0FH", [](Hid_Thread &l, const uchar *) { l.hid_0FH_SetISPBootLoader(); },
            "00 0F 49 53 50 5A A5 55 AA", 0);
        row("10H", [](Hid_Thread &l, const uchar *b) { l.hid_10H_SetMacroKey(7, b); },
            "00 10 00 07 00 00 55 AA 00", 128);
        row("12H", [](Hid_Thread &l, const uchar *b) { l.hid_12H_SetUserPicture(3, 1, b); },
            "00 12 00 03 01 00 55 AA 00", 128);
        row("13H", [](Hid_Thread &l, const uchar *) { l.hid_13H_SetRecoveryData(); },
            "00 13 FF 1F 00 00 55 AA 00", 0);
        row("21H", [](Hid_Thread &l, const uchar *) { l.hid_21H_SetCurrentProfile(2); },
            "00 21 02 00 00 00 55 AA 00", 0);
        row("30H", [](Hid_Thread &l, const uchar *b) { l.hid_30H_SetSevenColor(b); },
            "00 30 00 00 00 00 55 AA 00", 64);
        row("1CH", [](Hid_Thread &l, const uchar *b) { l.hid_1CH_SetKeyMatrix_1(b); },
            "00 1C 00 00 00 00 55 AA 00", 128);
        row("1DH", [](Hid_Thread &l, const uchar *b) { l.hid_1DH_SetKeyMatrix_2(b); },
            "00 1D 00 00 00 00 55 AA 00", 128);
    }

    void writeCommandReports()
    {
        QFETCH(Command, command);
        QFETCH(QString, commandReport);
        QFETCH(int, blockLength);

        std::array<uchar, 128> block = pattern(0x31);
        command(*link, block.data());
        const std::array<uchar, 128> sent = block;
        block.fill(0xEE); // the caller may reuse its buffer as soon as the slot returns
        link->finishWrites();

        QCOMPARE(hexOf(reportsOf(ReportKind::FeatureSet)), QStringList{commandReport});
        QCOMPARE(hexOf(reportsOf(ReportKind::DataWrite)), dataReportsFor(sent.data(), blockLength));
        QCOMPARE(keyboard.openHandleCount(), 0); // no handle is held between exchanges
    }

    void writesKeepTheirPaceAndOrder()
    {
        const std::array<uchar, 128> first = pattern(1);
        const std::array<uchar, 128> second = pattern(2);
        link->hid_0CH_SetKeyMatrix_1(first.data());
        link->hid_0DH_SetKeyMatrix_2(second.data()); // waits for the first task
        link->hid_30H_SetSevenColor(first.data());
        link->finishWrites();

        const std::vector<vkb::Report> all = keyboard.reports();
        QStringList order;
        for (const vkb::Report &r : all)
            order.append(r.kind == ReportKind::FeatureSet ? hex(&r.bytes.at(1), 1) : QStringLiteral("data"));
        QCOMPARE(order, (QStringList{"0C", "data", "data", "0D", "data", "data", "30", "data"}));

        // Every data report is followed by a pause before the next report, also the last
        // one of an exchange before the next command.
        for (size_t i = 0; i + 1 < all.size(); ++i) {
            if (all[i].kind == ReportKind::DataWrite)
                QVERIFY2(all[i + 1].at - all[i].at >= kDataReportPause, qPrintable(QString::number(i)));
        }
        const vkb::ProfileMemory memory = keyboard.profile(0);
        QVERIFY(std::equal(first.begin(), first.end(), memory.keyMatrix.begin()));
        QVERIFY(std::equal(second.begin(), second.end(), memory.keyMatrix.begin() + 128));
    }

    void readAfterWriteWaitsForIt()
    {
        keyboard.setActiveProfile(3);
        const std::array<uchar, 128> block = pattern(5);
        link->hid_12H_SetUserPicture(1, 0, block.data());
        uchar profile = 0xFF;
        link->hid_A1H_GetCurrentProfile(profile); // right after: the write still runs

        QCOMPARE(profile, uchar(3));
        const std::vector<vkb::Report> all = keyboard.reports();
        QCOMPARE(all.size(), size_t(5));
        QCOMPARE(hex(all[3].bytes), QStringLiteral("00 A1 00 00 00 00 55 AA 00"));
        QVERIFY(all[3].at - all[2].at >= kDataReportPause);
    }

    void firmwareVersionAnswer_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<int>("mode");
        QTest::newRow("04") << 0x04 << 2;
        QTest::newRow("07") << 0x07 << 3;
        QTest::newRow("01") << 0x01 << 0;
    }

    void firmwareVersionAnswer()
    {
        QFETCH(int, layoutByte);
        QFETCH(int, mode);
        keyboard.setFirmwareVersion(0x0123);
        keyboard.setLayoutByte(uchar(layoutByte));
        ushort version = 0;
        uchar layoutMode = 0xFF;
        link->hid_80H_GetFWVersion(version, layoutMode);
        QCOMPARE(version, ushort(0x0123));
        QCOMPARE(int(layoutMode), mode);
    }

    void readCommands_data()
    {
        QTest::addColumn<Read>("read");
        QTest::addColumn<QString>("commandReport");
        QTest::addColumn<int>("dataReports");
        QTest::addColumn<QString>("success");
        QTest::addColumn<QString>("failure"); // the keyboard refused the answer report
        QTest::addColumn<QString>("busy");

        const QString caller128 = QStringLiteral("CC CC CC CC");
        const QString caller64 = QStringLiteral("CC CC");
        auto row = [](const char *name, Read read, const char *report, int data, QString success,
                      QString failure, QString busy) {
            QTest::newRow(name) << read << QString::fromLatin1(report) << data << success << failure << busy;
        };
        row("80H", [](Hid_Thread &l) {
                ushort version = 0x1111;
                uchar mode = 3;
                l.hid_80H_GetFWVersion(version, mode);
                return QStringLiteral("%1 %2").arg(version, 4, 16, QLatin1Char('0')).arg(mode);
            },
            "00 80 00 00 00 00 55 AA 00", 0, "0123 2", "1111 3", "1111 3");
        row("82H", [](Hid_Thread &l) {
                uchar b[3] = {9, 8, 7};
                l.hid_82H_GetKeyboardoption(b[0], b[1], b[2]);
                return hex(b, 3);
            },
            "00 82 00 00 00 00 55 AA 00", 0, "11 22 33", "09 08 07", "09 08 07");
        row("84H", [](Hid_Thread &l) {
                uchar sensitivity = 42;
                l.hid_84H_GetButtonSensitivity(sensitivity);
                return hex(&sensitivity, 1);
            },
            "00 84 00 00 00 00 55 AA 00", 0, "44", "2A", "2A");
        row("88H", [](Hid_Thread &l) {
                uchar v[7] = {0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77};
                const bool ok = l.hid_88H_GetLEDType(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
                return QStringLiteral("%1 %2").arg(ok ? "true" : "false", hex(v, 7));
            },
            "00 88 00 00 00 00 55 AA 00", 0, "true 01 02 03 04 05 06 07",
            "false 71 72 73 74 75 76 77", "false 71 72 73 74 75 76 77");
        row("8CH", [](Hid_Thread &l) {
                return blockRead<128>([](Hid_Thread &k, uchar *b) { k.hid_8CH_GetKeyMatrix_1(b); return true; }, l);
            },
            "00 8C 00 00 00 00 55 AA 00", 2, "true " + digestOfFill(0, 128, 7, 0x10),
            "true " + caller128, "true " + caller128);
        row("8DH", [](Hid_Thread &l) {
                return blockRead<128>([](Hid_Thread &k, uchar *b) { k.hid_8DH_GetKeyMatrix_2(b); return true; }, l);
            },
            "00 8D 00 00 00 00 55 AA 00", 2, "true " + digestOfFill(128, 128, 7, 0x10),
            "true " + caller128, "true " + caller128);
        row("90H", [](Hid_Thread &l) {
                return blockRead<128>([](Hid_Thread &k, uchar *b) { k.hid_90H_GetMacroKey(5, b); return true; }, l);
            },
            "00 90 00 05 00 00 55 AA 00", 2, "true " + digestOfFill(0, 128, 3, 1),
            "true " + caller128, "true " + caller128);
        row("92H", [](Hid_Thread &l) {
                return blockRead<128>([](Hid_Thread &k, uchar *b) { k.hid_92H_GetUserPicture(2, 1, b); return true; }, l);
            },
            "00 92 00 02 01 00 55 AA 00", 2, "true " + digestOfFill(128, 128, 5, 2),
            "true " + caller128, "true " + caller128);
        row("A1H", [](Hid_Thread &l) {
                uchar profile = 9;
                l.hid_A1H_GetCurrentProfile(profile);
                return hex(&profile, 1);
            },
            "00 A1 00 00 00 00 55 AA 00", 0, "02", "00", "09");
        row("B0H", [](Hid_Thread &l) {
                return blockRead<64>([](Hid_Thread &k, uchar *b) { return k.hid_B0H_GetSevenColor(b); }, l);
            },
            "00 B0 00 00 00 00 55 AA 00", 1, "true " + digestOfFill(0, 64, 9, 4),
            "false " + caller64, "false " + caller64);
    }

    void readCommands()
    {
        QFETCH(Read, read);
        QFETCH(QString, commandReport);
        QFETCH(int, dataReports);
        QFETCH(QString, success);
        QFETCH(QString, failure);
        QFETCH(QString, busy);

        // What the keyboard keeps, in its profile 2.
        vkb::ProfileMemory memory;
        memory.lighting = {1, 2, 3, 4, 5, 6, 7};
        for (int i = 0; i < 256; ++i)
            memory.keyMatrix[i] = fill(i, 7, 0x10);
        for (int i = 0; i < 512; ++i)
            memory.pictures[2][i] = fill(i, 5, 2);
        for (int i = 0; i < 64; ++i)
            memory.sevenColors[i] = fill(i, 9, 4);
        keyboard.setProfile(2, memory);
        keyboard.setActiveProfile(2);
        keyboard.setFirmwareVersion(0x0123);
        keyboard.setLayoutByte(0x04);
        std::array<uchar, 128> macro{};
        for (int i = 0; i < 128; ++i)
            macro[i] = fill(i, 3, 1);
        link->hid_02H_SetKeyboardoption(0x11, 0x22, 0x33);
        link->hid_04H_SetButtonSensitivity(0x44);
        link->hid_10H_SetMacroKey(5, macro.data());
        link->finishWrites();
        keyboard.clearReports();

        QCOMPARE(read(*link), success);
        QCOMPARE(hexOf(reportsOf(ReportKind::FeatureSet)), QStringList{commandReport});
        QCOMPARE(int(reportsOf(ReportKind::FeatureGet).size()), 1);
        QCOMPARE(int(reportsOf(ReportKind::DataRead).size()), dataReports);

        keyboard.rejectNext(ReportKind::FeatureGet);
        QCOMPARE(read(*link), failure);

        MessageLog log;
        QVERIFY(link->waitIdle());
        keyboard.clearReports();
        QCOMPARE(read(*link), busy);
        QCOMPARE(log.messages(), QStringList{"cmd Failed"});
        QVERIFY(keyboard.reports().empty());
        releaseLink();
    }

    void blockReadDeliversBothReports()
    {
        vkb::ProfileMemory memory;
        std::copy_n(pattern(9).begin(), 64, memory.sevenColors.begin());
        keyboard.setProfile(0, memory);
        std::array<uchar, 64> colors{};
        QVERIFY(link->hid_B0H_GetSevenColor(colors.data()));
        QCOMPARE(hex(colors.data(), 64), hex(memory.sevenColors.data(), 64));
        QCOMPARE(hexOf(reportsOf(ReportKind::FeatureSet)), QStringList{"00 B0 00 00 00 00 55 AA 00"});
    }

    void busyLinkGivesUp()
    {
        MessageLog log;
        QVERIFY(link->waitIdle()); // the test holds the link
        bool eventsHandled = false;
        QTimer::singleShot(0, this, [&] { eventsHandled = true; });

        QElapsedTimer waited;
        waited.start();
        link->hid_21H_SetCurrentProfile(1);
        QVERIFY(waited.elapsed() >= kBusyWaits * 8 - 1);
        QVERIFY(eventsHandled); // GUI events go on while a command waits

        uchar sensitivity = 42;
        link->hid_84H_GetButtonSensitivity(sensitivity);
        std::array<uchar, 64> colors = {};
        colors.fill(0x5A);
        QVERIFY(!link->hid_B0H_GetSevenColor(colors.data()));

        QCOMPARE(log.messages(), (QStringList{"cmd Failed 21", "cmd Failed", "cmd Failed"}));
        QCOMPARE(sensitivity, uchar(42));
        QCOMPARE(colors[0], uchar(0x5A));
        QVERIFY(keyboard.reports().empty());

        releaseLink();
        link->hid_21H_SetCurrentProfile(1);
        link->finishWrites();
        QCOMPARE(keyboard.activeProfile(), uchar(1));
    }

    void invalidLanguageFileSendsNothing()
    {
        MessageLog log;
        languageFileValid = false;
        const std::array<uchar, 128> block = pattern(3);
        link->hid_0CH_SetKeyMatrix_1(block.data());
        link->finishWrites();

        uchar profile = 9;
        link->hid_A1H_GetCurrentProfile(profile);
        uchar sensitivity = 42;
        link->hid_84H_GetButtonSensitivity(sensitivity);
        uchar led[7] = {1, 2, 3, 4, 5, 6, 7};
        QVERIFY(!link->hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]));
        ushort version = 0x1111;
        uchar mode = 3;
        link->hid_80H_GetFWVersion(version, mode);

        QVERIFY(keyboard.reports().empty());
        QCOMPARE(keyboard.openHandleCount(), 0);
        QVERIFY(log.messages().isEmpty());
        QCOMPARE(profile, uchar(0)); // the pre-filled answer
        QCOMPARE(sensitivity, uchar(42));
        QCOMPARE(hex(led, 7), QStringLiteral("01 02 03 04 05 06 07"));
        QCOMPARE(version, ushort(0x1111));
        QCOMPARE(mode, uchar(3));
    }

    void failedOpenEmptiesPathUntilDiscovery()
    {
        keyboard.unplug();
        link->hid_21H_SetCurrentProfile(1);
        link->finishWrites();
        QVERIFY(link->devices().at(0).path.isEmpty());
        QCOMPARE(link->devices().at(0).path2, virtualKeyboardEntry().path2);

        keyboard.plugIn();
        link->hid_21H_SetCurrentProfile(2);
        uchar profile = 7;
        link->hid_A1H_GetCurrentProfile(profile);
        link->finishWrites();
        QVERIFY(keyboard.reports().empty()); // the emptied path is not tried again

        link->setDeviceList({virtualKeyboardEntry()}); // the next discovery pass
        link->hid_21H_SetCurrentProfile(2);
        link->finishWrites();
        QCOMPARE(keyboard.activeProfile(), uchar(2));
    }

    void rejectedReportEndsExchange_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("dataReportsTried");
        QTest::newRow("command report") << int(ReportKind::FeatureSet) << 1 << 0;
        QTest::newRow("first data report") << int(ReportKind::DataWrite) << 1 << 1;
        QTest::newRow("second data report") << int(ReportKind::DataWrite) << 2 << 2;
    }

    void rejectedReportEndsExchange()
    {
        QFETCH(int, kind);
        QFETCH(int, nth);
        QFETCH(int, dataReportsTried);
        MessageLog log;
        keyboard.rejectNext(ReportKind(kind), nth);
        const std::array<uchar, 128> block = pattern(4);
        link->hid_0CH_SetKeyMatrix_1(block.data());
        link->finishWrites();
        QCOMPARE(int(reportsOf(ReportKind::DataWrite).size()), dataReportsTried);
        QCOMPARE(keyboard.openHandleCount(), 0);

        // The link was given back: the next command goes out at once.
        uchar profile = 0xFF;
        keyboard.setActiveProfile(4);
        link->hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(4));
        QVERIFY(log.messages().isEmpty());
    }

    void blockReadFailingAtSecondReport()
    {
        vkb::ProfileMemory memory;
        const std::array<uchar, 128> fromKeyboard = pattern(0x10);
        std::copy(fromKeyboard.begin(), fromKeyboard.end(), memory.keyMatrix.begin());
        keyboard.setProfile(0, memory);
        keyboard.rejectNext(ReportKind::DataRead, 2);

        const std::array<uchar, 128> own = pattern(0x80);
        std::array<uchar, 128> buffer = own;
        link->hid_8CH_GetKeyMatrix_1(buffer.data());
        QCOMPARE(hex(buffer.data(), 64), hex(fromKeyboard.data(), 64));
        QCOMPARE(hex(buffer.data() + 64, 64), hex(own.data() + 64, 64));
    }

    void stalledReadEndsAtItsTimeLimit()
    {
        keyboard.setStalled(true);
        const std::array<uchar, 128> own = pattern(0x22);
        std::array<uchar, 128> buffer = own;
        QElapsedTimer waited;
        waited.start();
        link->hid_8DH_GetKeyMatrix_2(buffer.data());
        QVERIFY(waited.elapsed() >= 1000 - 1);
        QCOMPARE(hex(buffer.data(), 128), hex(own.data(), 128));
        QCOMPARE(keyboard.openHandleCount(), 0);

        keyboard.setStalled(false);
        keyboard.setActiveProfile(2);
        uchar profile = 0;
        link->hid_A1H_GetCurrentProfile(profile);
        QCOMPARE(profile, uchar(2));
    }
};

QTEST_GUILESS_MAIN(LinkExchangeTest)
#include "tst_linkexchange.moc"
