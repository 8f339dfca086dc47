#pragma once

#include <QtGlobal>

#include <map>
#include <optional>

// Key-code translation: hardware scan code (with the extended-key flag) to virtual key,
// virtual key to USB HID keyboard usage. A key missing from a map yields 0, no key.
using ScanMap = std::map<quint16, quint8>;
using KeyMap = std::map<quint8, quint8>;

constexpr quint16 scanMapKey(quint32 scanCode, bool extended)
{
    return quint16((scanCode << 8) | (extended ? 1 : 0));
}

// Exactly the pairs of the translation table.
ScanMap buildScanMap();
// The usage of every virtual key the scan map or a bypass produces; the layout flag picks
// 0x32 (set) or 0x31 (clear) for virtual key 0xDC.
KeyMap buildKeyMap(bool layoutFlag);

// The usage of one keystroke given its scan code and flags, 0 when it is no key.
quint8 translateKeystroke(const ScanMap &scanMap, const KeyMap &keyMap, quint32 scanCode, quint32 flags);

struct ButtonChange
{
    quint32 buttonCode; // 0xF0 left, 0xF1 right, 0xF2 middle
    bool isDown;
};

// The press or release a mouse message stands for; nothing for any other message.
std::optional<ButtonChange> buttonChangeFor(quint32 message);
