#pragma once

#include "inputsource.h"
#include "linuxscancodes.h"

#include <memory>

class QSocketNotifier;
struct xcb_connection_t;

// XInput 2 raw key or button events of the whole X11 display, selected on the root window
// through a connection of its own, read through a socket notifier on the GUI thread.
class X11InputSource : public InputSource
{
    Q_OBJECT

public:
    // Nothing when there is no X display or it lacks XInput 2.
    static std::unique_ptr<X11InputSource> start(InputKind kind);
    ~X11InputSource() override;

private:
    X11InputSource(InputKind kind, xcb_connection_t *connection, quint32 root, quint8 opcode);
    void read();
    void handle(quint16 eventType, quint32 detail);
    void button(quint32 number, bool isDown);

    InputKind kind;
    xcb_connection_t *connection;
    quint32 root;
    quint8 opcode; // the extension's events carry it
    QSocketNotifier *notifier = nullptr;
    LinuxKeystrokes keystrokes;
};
