#pragma once

#include "hookevents.h"
#include "inputsource.h"

#include <memory>

// The global keyboard and mouse hooks. One per process: it builds the translation maps,
// installs the hooks and delivers key changes and button events to the callbacks. The hook
// procedures below are where every source hands its events, so the translation is the same
// whatever delivers them; they run on the GUI thread only.
class InputHooks : public QObject
{
    Q_OBJECT

public:
    using KeyboardCallback = void (*)(quint8 usage, bool isDown, void *context);
    using MouseCallback = void (*)(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *context);

    // Stores the layout flag, becomes the current instance, rebuilds the maps from empty and
    // installs the hooks.
    explicit InputHooks(bool layoutFlag, InputSourceFactory sources = systemInputSources());
    ~InputHooks() override;

    bool layoutFlag() const { return layout; }

    // Removes any hooks held, then installs both. When either cannot be installed, both
    // handles are forgotten and the result is false; a hook that did install keeps
    // delivering until the process ends.
    bool installHooks();
    void removeHooks();
    bool keyboardHookHeld() const { return keyboardHook != nullptr; }
    bool mouseHookHeld() const { return mouseHook != nullptr; }

    // Events before a callback is set are dropped; the key-state table still follows them.
    void setKeyboardCallback(KeyboardCallback callback, void *context);
    void setMouseCallback(MouseCallback callback, void *context);

public slots:
    // Lets the hooks' sources pick up devices that appeared since installation.
    void rescanDevices();

private:
    bool layout;
    InputSourceFactory factory;
    std::unique_ptr<InputSource> keyboardHook;
    std::unique_ptr<InputSource> mouseHook;
};

// The hook procedures: a non-zero code counts every key event as a release; the mouse
// procedure does not examine it.
void keyboardHookProcedure(int code, quint32 message, const KeyboardHookRecord &record);
void mouseHookProcedure(int code, quint32 message, const MouseHookRecord &record);
