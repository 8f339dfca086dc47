#pragma once

#include <QObject>

#include <functional>
#include <memory>

// What a source delivers: key events for the keyboard hook, button events for the mouse hook.
enum class InputKind { Keys, Buttons };

// A started source of system-wide input events: it hands every event it reads to the hook
// procedures on the GUI thread, and stops when destroyed. Holding one is holding a hook.
class InputSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Picks up devices that appeared since the source started; most sources need not.
    virtual void rescan() {}
};

// How the two hooks get their events: each function starts a source for its hook, or
// gives nothing when none can start.
struct InputSourceFactory
{
    std::function<std::unique_ptr<InputSource>()> keyboard;
    std::function<std::unique_ptr<InputSource>()> mouse;
};

// The desktop's sources: evdev when the process can read at least one device of the kind
// (keyboards for the keyboard hook, mice for the mouse hook), else X11 XInput 2 raw events.
// One source per hook, so no event arrives twice.
InputSourceFactory systemInputSources();
