// The link's exchanges against the virtual keyboard: the bytes on the wire, the pacing
// of data reports, the link idle flag, and every way an exchange can fail.

#include "hex.h"
#include "hid_thread.h"
#include "linkfixture.h"
#include "virtualkeyboard.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using vkb::ReportKind;
using Command = std::function<void(Hid_Thread &, const uchar *)>;
Q_DECLARE_METATYPE(Command)

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
        waitForWriteTasks();

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
        waitForWriteTasks();

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
        waitForWriteTasks();
        QCOMPARE(keyboard.activeProfile(), uchar(1));
    }

    void invalidLanguageFileSendsNothing()
    {
        MessageLog log;
        languageFileValid = false;
        const std::array<uchar, 128> block = pattern(3);
        link->hid_0CH_SetKeyMatrix_1(block.data());
        waitForWriteTasks();

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
        waitForWriteTasks();
        QVERIFY(link->devices().at(0).path.isEmpty());
        QCOMPARE(link->devices().at(0).path2, virtualKeyboardEntry().path2);

        keyboard.plugIn();
        link->hid_21H_SetCurrentProfile(2);
        uchar profile = 7;
        link->hid_A1H_GetCurrentProfile(profile);
        waitForWriteTasks();
        QVERIFY(keyboard.reports().empty()); // the emptied path is not tried again

        link->setDeviceList({virtualKeyboardEntry()}); // the next discovery pass
        link->hid_21H_SetCurrentProfile(2);
        waitForWriteTasks();
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
        waitForWriteTasks();
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
