// The evdev source fed input_event records through a pipe of the test's own, with the
// hooks delivering what it reads.

#include "evdevinputsource.h"
#include "inputhooks.h"

#include <QCursor>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/input.h>
#include <unistd.h>

#include <memory>

namespace {
struct Report
{
    int code; // usage or button code
    bool isDown;
    bool operator==(const Report &) const = default;
};
using Reports = QList<Report>;

struct Record
{
    quint16 type;
    quint16 code;
    qint32 value;
};
using Records = QList<Record>;

void recordKey(quint8 usage, bool isDown, void *context)
{
    static_cast<Reports *>(context)->append({usage, isDown});
}

QPoint buttonPosition;

void recordButton(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *context)
{
    buttonPosition = {x, y};
    static_cast<Reports *>(context)->append({int(buttonCode), isDown});
}

Record key(quint16 code, qint32 value)
{
    return {EV_KEY, code, value};
}

constexpr Record kReport{EV_SYN, SYN_REPORT, 0};
constexpr Record kDropped{EV_SYN, SYN_DROPPED, 0};

// Found by argument-dependent lookup, so a failed comparison shows the values.
char *toString(const Report &r)
{
    return QTest::toString(QStringLiteral("(0x%1, %2)").arg(r.code, 2, 16, QLatin1Char('0')).arg(r.isDown));
}
} // namespace

class EvdevSourceTest : public QObject
{
    Q_OBJECT

    Reports reports;
    int writeEnd = -1;
    QPointer<EvdevInputSource> source;
    std::unique_ptr<InputHooks> hooks;

    // The hooks with a source of the kind reading the pipe; the other hook has none.
    void start(InputKind kind)
    {
        int ends[2];
        QCOMPARE(pipe(ends), 0);
        writeEnd = ends[1];
        auto fed = [kind, readEnd = ends[0], this]() -> std::unique_ptr<InputSource> {
            auto made = std::make_unique<EvdevInputSource>(kind);
            made->watch(readEnd);
            source = made.get();
            return made;
        };
        InputSourceFactory factory;
        (kind == InputKind::Keys ? factory.keyboard : factory.mouse) = fed;
        hooks = std::make_unique<InputHooks>(true, factory);
        // The pipe's source outlives the failed installation; the test owns it.
        QVERIFY(source);
        hooks->setKeyboardCallback(&recordKey, &reports);
        hooks->setMouseCallback(&recordButton, &reports);
    }

    void feed(const Records &records)
    {
        for (const Record &r : records) {
            input_event event{};
            event.type = r.type;
            event.code = r.code;
            event.value = r.value;
            QCOMPARE(write(writeEnd, &event, sizeof event), ssize_t(sizeof event));
        }
    }

private slots:
    void cleanup()
    {
        hooks.reset();
        delete source.data();
        if (writeEnd >= 0)
            close(writeEnd);
        writeEnd = -1;
        reports.clear();
    }

    void keys_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<Reports>("expected");
        QTest::newRow("press, auto-repeat, release")
            << Records{key(KEY_A, 1), kReport, key(KEY_A, 2), kReport, key(KEY_A, 2), kReport, key(KEY_A, 0), kReport}
            << Reports{{0x04, true}, {0x04, false}};
        QTest::newRow("keypad Enter and Enter")
            << Records{key(KEY_KPENTER, 1), key(KEY_KPENTER, 0), key(KEY_ENTER, 1), key(KEY_ENTER, 0), kReport}
            << Reports{{0x58, true}, {0x58, false}, {0x28, true}, {0x28, false}};
        QTest::newRow("Alt+SysRq")
            << Records{key(KEY_LEFTALT, 1), key(KEY_SYSRQ, 1), key(KEY_SYSRQ, 0), key(KEY_LEFTALT, 0), kReport}
            << Reports{{0xE2, true}, {0x46, true}, {0x46, false}, {0xE2, false}};
        QTest::newRow("right Windows key") << Records{key(KEY_RIGHTMETA, 1), key(KEY_RIGHTMETA, 0), kReport}
                                           << Reports{};
        QTest::newRow("buttons are not keys") << Records{key(BTN_LEFT, 1), key(BTN_LEFT, 0), kReport} << Reports{};
        QTest::newRow("other event types") << Records{{EV_MSC, MSC_SCAN, 0x70004}, {EV_LED, LED_CAPSL, 1}, kReport}
                                           << Reports{};
        QTest::newRow("overrun skips to the next report")
            << Records{kDropped, key(KEY_B, 1), kReport, key(KEY_C, 1), key(KEY_C, 0), kReport}
            << Reports{{0x06, true}, {0x06, false}};
    }

    void keys()
    {
        QFETCH(Records, records);
        QFETCH(Reports, expected);
        start(InputKind::Keys);
        feed(records);
        // A key known to report comes last, so everything before it has been read.
        feed({key(KEY_Z, 1), key(KEY_Z, 0), kReport});
        expected << Report{0x1D, true} << Report{0x1D, false};
        QTRY_COMPARE(reports, expected);
    }

    void buttons_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<Reports>("expected");
        QTest::newRow("left") << Records{key(BTN_LEFT, 1), kReport, key(BTN_LEFT, 0), kReport}
                              << Reports{{0xF0, true}, {0xF0, false}};
        QTest::newRow("right and middle")
            << Records{key(BTN_RIGHT, 1), key(BTN_RIGHT, 0), key(BTN_MIDDLE, 1), key(BTN_MIDDLE, 0), kReport}
            << Reports{{0xF1, true}, {0xF1, false}, {0xF2, true}, {0xF2, false}};
        QTest::newRow("extra buttons, moves, keys")
            << Records{key(BTN_SIDE, 1), key(BTN_EXTRA, 0), {EV_REL, REL_X, 5}, {EV_REL, REL_WHEEL, 1},
                       key(KEY_A, 1), key(KEY_A, 0), kReport}
            << Reports{};
    }

    void buttons()
    {
        QFETCH(Records, records);
        QFETCH(Reports, expected);
        start(InputKind::Buttons);
        feed(records);
        feed({key(BTN_MIDDLE, 0), kReport});
        expected << Report{0xF2, false};
        QTRY_COMPARE(reports, expected);
        QCOMPARE(buttonPosition, QCursor::pos());
    }

    void closedDeviceIsDropped()
    {
        start(InputKind::Keys);
        QCOMPARE(source->deviceCount(), 1);
        close(writeEnd);
        writeEnd = -1;
        QTRY_COMPARE(source->deviceCount(), 0);
    }

    void folderWithoutDevicesGivesNoSource()
    {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("event0")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!EvdevInputSource::open(InputKind::Keys, folder.path()));
        QVERIFY(!EvdevInputSource::open(InputKind::Buttons, folder.path()));
    }
};

QTEST_MAIN(EvdevSourceTest)
#include "tst_evdevsource.moc"
