#pragma once

#include <QString>

// "01.05" for version 0x0105: high byte, a full stop, low byte, each as two upper-case
// hexadecimal digits; "unknown" for version 0, which is also what a failed read leaves.
QString firmwareVersionText(quint16 version);
