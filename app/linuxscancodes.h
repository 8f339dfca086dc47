#pragma once

#include "hookevents.h"

#include <QtGlobal>

// Linux key codes (input-event-codes.h; X key codes are these + 8) turned into what a
// low-level keyboard hook would have seen for the same key.
struct ScanCode
{
    quint8 scan = 0; // 0: the key has no scan code here
    bool extended = false;
};

ScanCode scanCodeForLinuxKey(quint16 linuxCode);

struct Keystroke
{
    quint32 message;
    KeyboardHookRecord record;
};

// Follows which Alt and Ctrl keys are down across the key events of one source, for the
// Alt flag and the two keys whose scan code changes with a modifier.
class LinuxKeystrokes
{
public:
    Keystroke stroke(quint16 linuxCode, bool isDown);

private:
    bool altDown() const { return leftAlt || rightAlt; }
    bool ctrlDown() const { return leftCtrl || rightCtrl; }

    bool leftAlt = false;
    bool rightAlt = false;
    bool leftCtrl = false;
    bool rightCtrl = false;
};
