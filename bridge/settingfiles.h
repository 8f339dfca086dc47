#pragma once

#include <QString>

// The settings files the view keeps, relative to the executable's folder.
namespace settingfiles {

inline QString configuration()
{
    return QStringLiteral("./modules/setting/apConfig.bin");
}

inline QString hardwareDefinition()
{
    return QStringLiteral("./modules/setting/HWDef.bin");
}

// Profile slot index + 1.
inline QString profile(int slot)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(slot);
}

} // namespace settingfiles
