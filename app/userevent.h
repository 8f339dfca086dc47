#pragma once

#include <QEvent>

// An event the main window posts to itself, carrying one code.
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::User; // 1000
    static constexpr int kStartScene = 0x881;           // the scene is initialised: start it

    explicit UserEvent(int code) : QEvent(kType), eventCode(code) {}
    int code() const { return eventCode; }

private:
    int eventCode;
};
