#pragma once

// What the link's tests share: the entry of the virtual keyboard, the link's messages,
// and the reports that reached the keyboard.

#include "deviceentry.h"
#include "virtualkeyboard.h"

#include <QStringList>

#include <vector>

// The entry discovery gives for the virtual keyboard.
DeviceEntry virtualKeyboardEntry();

// Collects the link's debug messages while it lives.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    QStringList messages() const;
};

// Reports of one kind the keyboard received or delivered, oldest first.
std::vector<vkb::Report> reportsOf(vkb::ReportKind kind);
QStringList hexOf(const std::vector<vkb::Report> &reports);
// The command codes of the command reports the keyboard received ("80", "A1", ...).
QStringList commandCodes();
