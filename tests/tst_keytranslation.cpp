// The hook procedures' translation, key-state table and mouse table, the installation of
// the hooks, and the Linux key codes turned into what a low-level hook would have seen.

#include "inputhooks.h"
#include "keytranslation.h"
#include "linuxscancodes.h"

#include <QPointer>
#include <QtTest>

#include <linux/input-event-codes.h>

#include <memory>

namespace {
struct KeyReport
{
    int usage;
    bool isDown;
    bool operator==(const KeyReport &) const = default;
};

struct ButtonReport
{
    quint32 buttonCode;
    bool isDown;
    qint32 x;
    qint32 y;
    bool operator==(const ButtonReport &) const = default;
};

using KeyReports = QList<KeyReport>;
using ButtonReports = QList<ButtonReport>;

void recordKey(quint8 usage, bool isDown, void *context)
{
    static_cast<KeyReports *>(context)->append({usage, isDown});
}

void recordButton(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *context)
{
    static_cast<ButtonReports *>(context)->append({buttonCode, isDown, x, y});
}

void key(quint32 message, quint32 scanCode, quint32 flags = 0, int code = 0)
{
    keyboardHookProcedure(code, message, {0, scanCode, flags});
}

void press(quint32 scanCode, quint32 flags = 0)
{
    key(HookMessage::kKeyDown, scanCode, flags);
}

void release(quint32 scanCode, quint32 flags = 0)
{
    key(HookMessage::kKeyUp, scanCode, flags);
}

// A source that delivers nothing: it stands for an installed hook.
class StubSource : public InputSource
{
};

InputSourceFactory noSources()
{
    return {};
}

InputSourceFactory sources(bool keyboardStarts, bool mouseStarts, QPointer<InputSource> *keyboard = nullptr)
{
    auto start = [](bool starts, QPointer<InputSource> *seen) {
        return [starts, seen]() -> std::unique_ptr<InputSource> {
            if (!starts)
                return nullptr;
            auto source = std::make_unique<StubSource>();
            if (seen)
                *seen = source.get();
            return source;
        };
    };
    return {start(keyboardStarts, keyboard), start(mouseStarts, nullptr)};
}

// Found by argument-dependent lookup, so a failed comparison shows the values.
char *toString(const KeyReport &r)
{
    return QTest::toString(QStringLiteral("(0x%1, %2)").arg(r.usage, 2, 16, QLatin1Char('0')).arg(r.isDown));
}
char *toString(const ButtonReport &r)
{
    return QTest::toString(
        QStringLiteral("(0x%1, %2, %3, %4)").arg(r.buttonCode, 0, 16).arg(r.isDown).arg(r.x).arg(r.y));
}
} // namespace

class KeyTranslationTest : public QObject
{
    Q_OBJECT

    KeyReports keys;
    ButtonReports buttons;
    std::unique_ptr<InputHooks> hooks;

    void makeHooks(bool layoutFlag)
    {
        hooks = std::make_unique<InputHooks>(layoutFlag, noSources());
        hooks->setKeyboardCallback(&recordKey, &keys);
        hooks->setMouseCallback(&recordButton, &buttons);
    }

private slots:
    void init()
    {
        keys.clear();
        buttons.clear();
        makeHooks(true);
    }

    void cleanup() { hooks.reset(); }

    void translation_data()
    {
        QTest::addColumn<int>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<quint32>("flags"); // beyond the extended flag
        QTest::addColumn<int>("usage");     // 0: nothing is delivered

        const struct
        {
            int scan;
            bool extended;
            int usage;
        } table[] = {
            {0x01, 0, 0x29}, {0x02, 0, 0x1E}, {0x03, 0, 0x1F}, {0x04, 0, 0x20}, {0x05, 0, 0x21},
            {0x06, 0, 0x22}, {0x07, 0, 0x23}, {0x08, 0, 0x24}, {0x09, 0, 0x25}, {0x0A, 0, 0x26},
            {0x0B, 0, 0x27}, {0x0C, 0, 0x2D}, {0x0D, 0, 0x2E}, {0x0E, 0, 0x2A}, {0x0F, 0, 0x2B},
            {0x10, 0, 0x14}, {0x11, 0, 0x1A}, {0x12, 0, 0x08}, {0x13, 0, 0x15}, {0x14, 0, 0x17},
            {0x15, 0, 0x1C}, {0x16, 0, 0x18}, {0x17, 0, 0x0C}, {0x18, 0, 0x12}, {0x19, 0, 0x13},
            {0x1A, 0, 0x2F}, {0x1B, 0, 0x30}, {0x1C, 0, 0x28}, {0x1C, 1, 0x58}, {0x1D, 0, 0xE0},
            {0x1D, 1, 0xE4}, {0x1E, 0, 0x04}, {0x1F, 0, 0x16}, {0x20, 0, 0x07}, {0x21, 0, 0x09},
            {0x22, 0, 0x0A}, {0x23, 0, 0x0B}, {0x24, 0, 0x0D}, {0x25, 0, 0x0E}, {0x26, 0, 0x0F},
            {0x27, 0, 0x33}, {0x28, 0, 0x34}, {0x29, 0, 0x35}, {0x2A, 0, 0xE1}, {0x2B, 0, 0x32},
            {0x2C, 0, 0x1D}, {0x2D, 0, 0x1B}, {0x2E, 0, 0x06}, {0x2F, 0, 0x19}, {0x30, 0, 0x05},
            {0x31, 0, 0x11}, {0x32, 0, 0x10}, {0x33, 0, 0x36}, {0x34, 0, 0x37}, {0x35, 0, 0x38},
            {0x35, 1, 0x54}, {0x36, 1, 0xE5}, {0x37, 0, 0x55}, {0x37, 1, 0x46}, {0x38, 0, 0xE2},
            {0x38, 1, 0xE6}, {0x39, 0, 0x2C}, {0x3A, 0, 0x39}, {0x3B, 0, 0x3A}, {0x3C, 0, 0x3B},
            {0x3D, 0, 0x3C}, {0x3E, 0, 0x3D}, {0x3F, 0, 0x3E}, {0x40, 0, 0x3F}, {0x41, 0, 0x40},
            {0x42, 0, 0x41}, {0x43, 0, 0x42}, {0x44, 0, 0x43}, {0x45, 0, 0x48}, {0x45, 1, 0x53},
            {0x46, 0, 0x47}, {0x47, 0, 0x5F}, {0x47, 1, 0x4A}, {0x48, 0, 0x60}, {0x48, 1, 0x52},
            {0x49, 0, 0x61}, {0x49, 1, 0x4B}, {0x4A, 0, 0x56}, {0x4B, 0, 0x5C}, {0x4B, 1, 0x50},
            {0x4C, 0, 0x5D}, {0x4D, 0, 0x5E}, {0x4D, 1, 0x4F}, {0x4E, 0, 0x57}, {0x4F, 0, 0x59},
            {0x4F, 1, 0x4D}, {0x50, 0, 0x5A}, {0x50, 1, 0x51}, {0x51, 0, 0x5B}, {0x51, 1, 0x4E},
            {0x52, 0, 0x62}, {0x52, 1, 0x49}, {0x53, 0, 0x63}, {0x53, 1, 0x4C}, {0x56, 0, 0x64},
            {0x57, 0, 0x44}, {0x58, 0, 0x45}, {0x5B, 1, 0xE3}, {0x5D, 1, 0x65}, {0x6E, 0, 0x72},
        };
        static_assert(std::size(table) == 105);
        for (const auto &row : table) {
            QTest::addRow("scan %02x%s", row.scan, row.extended ? " E" : "")
                << row.scan << row.extended << quint32(0) << row.usage;
        }
        QTest::newRow("Ctrl+Break") << 0x46 << true << quint32(0) << 0x48;
        QTest::newRow("Alt+Print Screen") << 0x54 << false << KeyFlag::kAltDown << 0x46;
        QTest::newRow("Alt+Print Screen, extended") << 0x54 << true << KeyFlag::kAltDown << 0x46;
        QTest::newRow("scan 54 without Alt") << 0x54 << false << quint32(0) << 0;
        QTest::newRow("Alt held on another key") << 0x1E << false << KeyFlag::kAltDown << 0x04;
        QTest::newRow("right Windows key") << 0x5C << true << quint32(0) << 0;
        QTest::newRow("scan 5b without the flag") << 0x5B << false << quint32(0) << 0;
        QTest::newRow("scan 1e with the flag") << 0x1E << true << quint32(0) << 0;
        QTest::newRow("scan 00") << 0x00 << false << quint32(0) << 0;
        QTest::newRow("scan above 255 counts as 0") << 0x11E << false << quint32(0) << 0;
        QTest::newRow("F13") << 0x64 << false << quint32(0) << 0;
    }

    void translation()
    {
        QFETCH(int, scan);
        QFETCH(bool, extended);
        QFETCH(quint32, flags);
        QFETCH(int, usage);
        flags |= extended ? KeyFlag::kExtended : 0;

        press(scan, flags);
        release(scan, flags);
        const KeyReports expected = usage ? KeyReports{{usage, true}, {usage, false}} : KeyReports{};
        QCOMPARE(keys, expected);
    }

    void layoutFlagChoosesUsageOfScan2B_data()
    {
        QTest::addColumn<bool>("layoutFlag");
        QTest::addColumn<int>("usage");
        QTest::newRow("set") << true << 0x32;
        QTest::newRow("clear") << false << 0x31;
    }

    void layoutFlagChoosesUsageOfScan2B()
    {
        QFETCH(bool, layoutFlag);
        QFETCH(int, usage);
        makeHooks(layoutFlag);
        QCOMPARE(hooks->layoutFlag(), layoutFlag);
        press(0x2B);
        release(0x2B);
        QCOMPARE(keys, (KeyReports{{usage, true}, {usage, false}}));
    }

    void onlyChangesOfStateAreReported_data()
    {
        QTest::addColumn<QList<quint32>>("messages"); // for scan 0x1E, code 0
        QTest::addColumn<KeyReports>("expected");
        using M = QList<quint32>;
        QTest::newRow("auto-repeat") << M{0x100, 0x100, 0x100, 0x101, 0x101} << KeyReports{{4, true}, {4, false}};
        QTest::newRow("release never pressed") << M{0x101} << KeyReports{};
        QTest::newRow("system key messages") << M{0x104, 0x104, 0x105} << KeyReports{{4, true}, {4, false}};
        QTest::newRow("mixed key messages") << M{0x104, 0x101} << KeyReports{{4, true}, {4, false}};
        QTest::newRow("other messages release") << M{0x100, 0x102} << KeyReports{{4, true}, {4, false}};
    }

    void onlyChangesOfStateAreReported()
    {
        QFETCH(QList<quint32>, messages);
        QFETCH(KeyReports, expected);
        for (quint32 message : messages)
            key(message, 0x1E);
        QCOMPARE(keys, expected);
    }

    void nonZeroHookCodeCountsAsRelease()
    {
        press(0x1E);
        key(HookMessage::kKeyDown, 0x1E, 0, 1);
        QCOMPARE(keys, (KeyReports{{4, true}, {4, false}}));
    }

    void keysBeforeTheCallbackAreDroppedButFollowed()
    {
        hooks->setKeyboardCallback(nullptr, nullptr);
        press(0x1E);
        hooks->setKeyboardCallback(&recordKey, &keys);
        press(0x1E); // still down: a repeat
        release(0x1E);
        QCOMPARE(keys, (KeyReports{{4, false}}));
    }

    void contextIsHandedToTheCallback()
    {
        KeyReports other;
        hooks->setKeyboardCallback(&recordKey, &other);
        press(0x1E);
        release(0x1E);
        QCOMPARE(other.size(), 2);
        QVERIFY(keys.isEmpty());
    }

    void mouseTable_data()
    {
        QTest::addColumn<QList<quint32>>("messages");
        QTest::addColumn<ButtonReports>("expected");
        using M = QList<quint32>;
        QTest::newRow("left") << M{0x201, 0x202} << ButtonReports{{0xF0, true, 7, -9}, {0xF0, false, 7, -9}};
        QTest::newRow("right") << M{0x204, 0x205} << ButtonReports{{0xF1, true, 7, -9}, {0xF1, false, 7, -9}};
        QTest::newRow("middle") << M{0x207, 0x208} << ButtonReports{{0xF2, true, 7, -9}, {0xF2, false, 7, -9}};
        QTest::newRow("repeated press") << M{0x201, 0x201} << ButtonReports{{0xF0, true, 7, -9}, {0xF0, true, 7, -9}};
        QTest::newRow("release alone") << M{0x205} << ButtonReports{{0xF1, false, 7, -9}};
        QTest::newRow("double clicks") << M{0x203, 0x206, 0x209} << ButtonReports{};
        QTest::newRow("move, wheels, extra buttons") << M{0x200, 0x20A, 0x20B, 0x20C, 0x20E} << ButtonReports{};
    }

    void mouseTable()
    {
        QFETCH(QList<quint32>, messages);
        QFETCH(ButtonReports, expected);
        for (quint32 message : messages)
            mouseHookProcedure(0, message, {7, -9});
        QCOMPARE(buttons, expected);
    }

    void mouseProcedureIgnoresTheHookCode()
    {
        mouseHookProcedure(5, HookMessage::kLeftDown, {1, 2});
        QCOMPARE(buttons, (ButtonReports{{0xF0, true, 1, 2}}));
    }

    void installation_data()
    {
        QTest::addColumn<bool>("keyboardStarts");
        QTest::addColumn<bool>("mouseStarts");
        QTest::newRow("both") << true << true;
        QTest::newRow("keyboard fails") << false << true;
        QTest::newRow("mouse fails") << true << false;
        QTest::newRow("neither") << false << false;
    }

    void installation()
    {
        QFETCH(bool, keyboardStarts);
        QFETCH(bool, mouseStarts);
        QPointer<InputSource> keyboardSource;
        InputHooks installed(true, sources(keyboardStarts, mouseStarts, &keyboardSource));
        const bool both = keyboardStarts && mouseStarts;
        QCOMPARE(installed.keyboardHookHeld(), both);
        QCOMPARE(installed.mouseHookHeld(), both);
        QCOMPARE(installed.installHooks(), both);

        installed.removeHooks();
        QVERIFY(!installed.keyboardHookHeld());
        // A hook whose partner failed is forgotten, not removed: it stays until the end.
        QCOMPARE(!keyboardSource.isNull(), keyboardStarts && !mouseStarts);
        delete keyboardSource.data();
    }

    void reinstallingRemovesTheHeldHooksFirst()
    {
        QPointer<InputSource> first;
        InputHooks installed(true, sources(true, true, &first));
        QVERIFY(first);
        const QPointer<InputSource> held = first;
        QVERIFY(installed.installHooks());
        QVERIFY(held.isNull());
        QVERIFY(first);
    }

    void linuxScanCodes_data()
    {
        QTest::addColumn<int>("linuxCode");
        QTest::addColumn<int>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("usage"); // through the translation, 0 for none

        QTest::newRow("A") << KEY_A << 0x1E << false << 0x04;
        QTest::newRow("Esc") << KEY_ESC << 0x01 << false << 0x29;
        QTest::newRow("Enter") << KEY_ENTER << 0x1C << false << 0x28;
        QTest::newRow("keypad Enter") << KEY_KPENTER << 0x1C << true << 0x58;
        QTest::newRow("Num Lock") << KEY_NUMLOCK << 0x45 << true << 0x53;
        QTest::newRow("Pause") << KEY_PAUSE << 0x45 << false << 0x48;
        QTest::newRow("Scroll Lock") << KEY_SCROLLLOCK << 0x46 << false << 0x47;
        QTest::newRow("SysRq") << KEY_SYSRQ << 0x37 << true << 0x46;
        QTest::newRow("keypad *") << KEY_KPASTERISK << 0x37 << false << 0x55;
        QTest::newRow("keypad /") << KEY_KPSLASH << 0x35 << true << 0x54;
        QTest::newRow("left Ctrl") << KEY_LEFTCTRL << 0x1D << false << 0xE0;
        QTest::newRow("right Ctrl") << KEY_RIGHTCTRL << 0x1D << true << 0xE4;
        QTest::newRow("left Shift") << KEY_LEFTSHIFT << 0x2A << false << 0xE1;
        QTest::newRow("right Shift") << KEY_RIGHTSHIFT << 0x36 << true << 0xE5;
        QTest::newRow("left Alt") << KEY_LEFTALT << 0x38 << false << 0xE2;
        QTest::newRow("right Alt") << KEY_RIGHTALT << 0x38 << true << 0xE6;
        QTest::newRow("Home") << KEY_HOME << 0x47 << true << 0x4A;
        QTest::newRow("Up") << KEY_UP << 0x48 << true << 0x52;
        QTest::newRow("Page Up") << KEY_PAGEUP << 0x49 << true << 0x4B;
        QTest::newRow("Left") << KEY_LEFT << 0x4B << true << 0x50;
        QTest::newRow("Right") << KEY_RIGHT << 0x4D << true << 0x4F;
        QTest::newRow("End") << KEY_END << 0x4F << true << 0x4D;
        QTest::newRow("Down") << KEY_DOWN << 0x50 << true << 0x51;
        QTest::newRow("Page Down") << KEY_PAGEDOWN << 0x51 << true << 0x4E;
        QTest::newRow("Insert") << KEY_INSERT << 0x52 << true << 0x49;
        QTest::newRow("Delete") << KEY_DELETE << 0x53 << true << 0x4C;
        QTest::newRow("keypad 7") << KEY_KP7 << 0x47 << false << 0x5F;
        QTest::newRow("keypad .") << KEY_KPDOT << 0x53 << false << 0x63;
        QTest::newRow("102nd key") << KEY_102ND << 0x56 << false << 0x64;
        QTest::newRow("F11") << KEY_F11 << 0x57 << false << 0x44;
        QTest::newRow("F12") << KEY_F12 << 0x58 << false << 0x45;
        QTest::newRow("F13") << KEY_F13 << 0x64 << false << 0;
        QTest::newRow("F23") << KEY_F23 << 0x6E << false << 0x72;
        QTest::newRow("F24") << KEY_F24 << 0x76 << false << 0;
        QTest::newRow("left Windows") << KEY_LEFTMETA << 0x5B << true << 0xE3;
        QTest::newRow("right Windows") << KEY_RIGHTMETA << 0x5C << true << 0;
        QTest::newRow("Menu") << KEY_COMPOSE << 0x5D << true << 0x65;
        QTest::newRow("Mute") << KEY_MUTE << 0x20 << true << 0;
        QTest::newRow("unknown") << KEY_MACRO << 0 << false << 0;
        QTest::newRow("button code") << BTN_LEFT << 0 << false << 0;
    }

    void linuxScanCodes()
    {
        QFETCH(int, linuxCode);
        QFETCH(int, scan);
        QFETCH(bool, extended);
        QFETCH(int, usage);
        const ScanCode code = scanCodeForLinuxKey(linuxCode);
        QCOMPARE(code.scan, scan);
        QCOMPARE(code.extended, extended);

        LinuxKeystrokes strokes;
        for (bool isDown : {true, false}) {
            const Keystroke stroke = strokes.stroke(linuxCode, isDown);
            keyboardHookProcedure(0, stroke.message, stroke.record);
        }
        const KeyReports expected = usage ? KeyReports{{usage, true}, {usage, false}} : KeyReports{};
        QCOMPARE(keys, expected);
    }

    void modifiersShapeTheKeystroke_data()
    {
        QTest::addColumn<int>("modifier"); // held while the key goes down
        QTest::addColumn<int>("linuxCode");
        QTest::addColumn<int>("scan");
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<quint32>("message");

        QTest::newRow("Alt+SysRq") << KEY_LEFTALT << KEY_SYSRQ << 0x54 << KeyFlag::kAltDown << HookMessage::kSysKeyDown;
        QTest::newRow("right Alt+SysRq") << KEY_RIGHTALT << KEY_SYSRQ << 0x54 << KeyFlag::kAltDown
                                         << HookMessage::kSysKeyDown;
        QTest::newRow("Alt+A") << KEY_LEFTALT << KEY_A << 0x1E << KeyFlag::kAltDown << HookMessage::kSysKeyDown;
        QTest::newRow("Ctrl+Pause") << KEY_LEFTCTRL << KEY_PAUSE << 0x46 << KeyFlag::kExtended << HookMessage::kKeyDown;
        QTest::newRow("right Ctrl+Pause") << KEY_RIGHTCTRL << KEY_PAUSE << 0x46 << KeyFlag::kExtended
                                          << HookMessage::kKeyDown;
        QTest::newRow("Shift+SysRq") << KEY_LEFTSHIFT << KEY_SYSRQ << 0x37 << KeyFlag::kExtended
                                     << HookMessage::kKeyDown;
        QTest::newRow("Ctrl+SysRq") << KEY_LEFTCTRL << KEY_SYSRQ << 0x37 << KeyFlag::kExtended << HookMessage::kKeyDown;
    }

    void modifiersShapeTheKeystroke()
    {
        QFETCH(int, modifier);
        QFETCH(int, linuxCode);
        QFETCH(int, scan);
        QFETCH(quint32, flags);
        QFETCH(quint32, message);

        LinuxKeystrokes strokes;
        strokes.stroke(modifier, true);
        const Keystroke held = strokes.stroke(linuxCode, true);
        QCOMPARE(held.record.scanCode, quint32(scan));
        QCOMPARE(held.record.flags, flags);
        QCOMPARE(held.message, message);

        // With the modifier up again the key is itself once more.
        strokes.stroke(linuxCode, false);
        strokes.stroke(modifier, false);
        const Keystroke alone = strokes.stroke(linuxCode, true);
        const ScanCode own = scanCodeForLinuxKey(linuxCode);
        QCOMPARE(alone.record.scanCode, quint32(own.scan));
        QCOMPARE(alone.record.flags, own.extended ? KeyFlag::kExtended : 0);
        QCOMPARE(alone.message, HookMessage::kKeyDown);
        QCOMPARE(strokes.stroke(linuxCode, false).message, HookMessage::kKeyUp);
    }
};

QTEST_GUILESS_MAIN(KeyTranslationTest)
#include "tst_keytranslation.moc"
