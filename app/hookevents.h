#pragma once

#include <QtGlobal>

// What a source of system-wide input hands the hook procedures: the message and event
// record that a low-level hook sees, whatever delivered the event.
namespace HookMessage {
constexpr quint32 kKeyDown = 0x100;
constexpr quint32 kKeyUp = 0x101;
constexpr quint32 kSysKeyDown = 0x104; // a key pressed while Alt is held
constexpr quint32 kSysKeyUp = 0x105;

constexpr quint32 kMouseMove = 0x200;
constexpr quint32 kLeftDown = 0x201;
constexpr quint32 kLeftUp = 0x202;
constexpr quint32 kLeftDoubleClick = 0x203;
constexpr quint32 kRightDown = 0x204;
constexpr quint32 kRightUp = 0x205;
constexpr quint32 kRightDoubleClick = 0x206;
constexpr quint32 kMiddleDown = 0x207;
constexpr quint32 kMiddleUp = 0x208;
constexpr quint32 kWheel = 0x20A;
constexpr quint32 kExtraDown = 0x20B;
constexpr quint32 kExtraUp = 0x20C;
constexpr quint32 kHorizontalWheel = 0x20E;
} // namespace HookMessage

namespace KeyFlag {
constexpr quint32 kExtended = 0x01;
constexpr quint32 kAltDown = 0x20;
} // namespace KeyFlag

struct KeyboardHookRecord
{
    quint32 virtualKey = 0; // not read: the translation starts from the scan code
    quint32 scanCode = 0;
    quint32 flags = 0; // KeyFlag bits
};

struct MouseHookRecord
{
    qint32 x = 0; // the pointer's position on the screen
    qint32 y = 0;
};
