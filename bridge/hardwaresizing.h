#pragma once

#include <QString>

// The three sizing values the view takes from the hardware definition when it is built.
struct HardwareSizing {
    quint8 kbLayoutType = 0; // key-definition group of a profile, layout group of the table
    quint8 maxMacro = 0;     // capped: above 254 reads as 255
    quint8 maxProfile = 0;   // number of profile slots, capped: above 9 reads as 10
};

// A missing or unreadable file gives all zeros.
HardwareSizing readHardwareSizing(const QString &hwDefFile);
