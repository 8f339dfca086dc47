#include "linuxscancodes.h"

#include <linux/input-event-codes.h>

namespace {
struct Entry
{
    quint16 linuxCode;
    ScanCode scanCode;
};

// Keys whose scan code is not their Linux code. Codes 1 to 88 not listed here are their
// own scan code.
constexpr Entry kExceptions[] = {
    {KEY_RIGHTSHIFT, {0x36, true}},
    {KEY_NUMLOCK, {0x45, true}},
    {KEY_RO, {0x73, false}},
    {KEY_HENKAN, {0x79, false}},
    {KEY_KATAKANAHIRAGANA, {0x70, false}},
    {KEY_MUHENKAN, {0x7B, false}},
    {KEY_KPENTER, {0x1C, true}},
    {KEY_RIGHTCTRL, {0x1D, true}},
    {KEY_KPSLASH, {0x35, true}},
    {KEY_SYSRQ, {0x37, true}},
    {KEY_RIGHTALT, {0x38, true}},
    {KEY_HOME, {0x47, true}},
    {KEY_UP, {0x48, true}},
    {KEY_PAGEUP, {0x49, true}},
    {KEY_LEFT, {0x4B, true}},
    {KEY_RIGHT, {0x4D, true}},
    {KEY_END, {0x4F, true}},
    {KEY_DOWN, {0x50, true}},
    {KEY_PAGEDOWN, {0x51, true}},
    {KEY_INSERT, {0x52, true}},
    {KEY_DELETE, {0x53, true}},
    {KEY_MUTE, {0x20, true}},
    {KEY_VOLUMEDOWN, {0x2E, true}},
    {KEY_VOLUMEUP, {0x30, true}},
    {KEY_POWER, {0x5E, true}},
    {KEY_KPEQUAL, {0x59, false}},
    {KEY_PAUSE, {0x45, false}},
    {KEY_KPCOMMA, {0x7E, false}},
    {KEY_YEN, {0x7D, false}},
    {KEY_LEFTMETA, {0x5B, true}},
    {KEY_RIGHTMETA, {0x5C, true}},
    {KEY_COMPOSE, {0x5D, true}},
    {KEY_NEXTSONG, {0x19, true}},
    {KEY_PLAYPAUSE, {0x22, true}},
    {KEY_PREVIOUSSONG, {0x10, true}},
    {KEY_STOPCD, {0x24, true}},
    {KEY_F13, {0x64, false}},
    {KEY_F14, {0x65, false}},
    {KEY_F15, {0x66, false}},
    {KEY_F16, {0x67, false}},
    {KEY_F17, {0x68, false}},
    {KEY_F18, {0x69, false}},
    {KEY_F19, {0x6A, false}},
    {KEY_F20, {0x6B, false}},
    {KEY_F21, {0x6C, false}},
    {KEY_F22, {0x6D, false}},
    {KEY_F23, {0x6E, false}},
    {KEY_F24, {0x76, false}},
};

constexpr quint16 kLastPlainCode = KEY_F12;
// Ctrl+Pause is Break and Alt+SysRq is SysRq proper: each has a scan code of its own.
constexpr ScanCode kBreak{0x46, true};
constexpr ScanCode kAltSysRq{0x54, false};
} // namespace

ScanCode scanCodeForLinuxKey(quint16 linuxCode)
{
    for (const Entry &entry : kExceptions) {
        if (entry.linuxCode == linuxCode)
            return entry.scanCode;
    }
    if (linuxCode >= KEY_ESC && linuxCode <= kLastPlainCode)
        return {quint8(linuxCode), false};
    return {};
}

Keystroke LinuxKeystrokes::stroke(quint16 linuxCode, bool isDown)
{
    switch (linuxCode) {
    case KEY_LEFTALT: leftAlt = isDown; break;
    case KEY_RIGHTALT: rightAlt = isDown; break;
    case KEY_LEFTCTRL: leftCtrl = isDown; break;
    case KEY_RIGHTCTRL: rightCtrl = isDown; break;
    default: break;
    }
    ScanCode code = scanCodeForLinuxKey(linuxCode);
    if (linuxCode == KEY_PAUSE && ctrlDown())
        code = kBreak;
    else if (linuxCode == KEY_SYSRQ && altDown())
        code = kAltSysRq;

    Keystroke result{};
    result.record.scanCode = code.scan;
    result.record.flags = (code.extended ? KeyFlag::kExtended : 0) | (altDown() ? KeyFlag::kAltDown : 0);
    if (altDown())
        result.message = isDown ? HookMessage::kSysKeyDown : HookMessage::kSysKeyUp;
    else
        result.message = isDown ? HookMessage::kKeyDown : HookMessage::kKeyUp;
    return result;
}
