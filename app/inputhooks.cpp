#include "inputhooks.h"

#include "keytranslation.h"

#include <QCoreApplication>

#include <array>

namespace {
// Process-wide, as the hook procedures are plain functions; touched on the GUI thread only.
InputHooks *currentInstance = nullptr;
InputHooks::KeyboardCallback keyboardCallback = nullptr;
void *keyboardContext = nullptr;
InputHooks::MouseCallback mouseCallback = nullptr;
void *mouseContext = nullptr;
ScanMap scanMap;
KeyMap keyMap;
// Last reported state of each usage, 1 down: only changes are reported. Never reset.
std::array<quint8, 256> keyState{};

constexpr quint32 kSysBit = 0x04; // WM_SYSKEY* differ from WM_KEY* in this bit alone

// A hook the installation forgot: it keeps delivering until the process ends.
void abandon(std::unique_ptr<InputSource> hook)
{
    if (hook && QCoreApplication::instance())
        hook.release()->setParent(QCoreApplication::instance());
}
} // namespace

InputHooks::InputHooks(bool layoutFlag, InputSourceFactory sources)
    : layout(layoutFlag)
    , factory(std::move(sources))
{
    currentInstance = this;
    scanMap = buildScanMap();
    keyMap = buildKeyMap(currentInstance->layout);
    installHooks();
}

InputHooks::~InputHooks()
{
    if (currentInstance == this)
        currentInstance = nullptr;
}

bool InputHooks::installHooks()
{
    if (keyboardHook || mouseHook)
        removeHooks();
    keyboardHook = factory.keyboard ? factory.keyboard() : nullptr;
    mouseHook = factory.mouse ? factory.mouse() : nullptr;
    if (!keyboardHook || !mouseHook) {
        abandon(std::move(keyboardHook));
        abandon(std::move(mouseHook));
        return false;
    }
    return true;
}

void InputHooks::removeHooks()
{
    keyboardHook.reset();
    mouseHook.reset();
}

void InputHooks::rescanDevices()
{
    if (keyboardHook)
        keyboardHook->rescan();
    if (mouseHook)
        mouseHook->rescan();
}

void InputHooks::setKeyboardCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void InputHooks::setMouseCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

void keyboardHookProcedure(int code, quint32 message, const KeyboardHookRecord &record)
{
    const bool isDown = code == 0 && (message & ~kSysBit) == HookMessage::kKeyDown;
    const quint8 usage = translateKeystroke(scanMap, keyMap, record.scanCode, record.flags);
    if (usage == 0 || keyState[usage] == quint8(isDown))
        return;
    keyState[usage] = isDown;
    if (keyboardCallback)
        keyboardCallback(usage, isDown, keyboardContext);
}

void mouseHookProcedure(int, quint32 message, const MouseHookRecord &record)
{
    const auto change = buttonChangeFor(message);
    if (change && mouseCallback)
        mouseCallback(change->buttonCode, change->isDown, record.x, record.y, mouseContext);
}
