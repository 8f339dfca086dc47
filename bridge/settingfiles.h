#pragma once

#include <QString>

// The files and folders the view keeps and reads, relative to the executable's folder.
namespace settingfiles {

inline QString configuration()
{
    return QStringLiteral("./modules/setting/apConfig.bin");
}

inline QString factoryConfiguration()
{
    return QStringLiteral("./modules/setting/apConfigD.bin");
}

// Profile slot index + 1.
inline QString profile(int slot)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(slot);
}

inline QString factoryProfile()
{
    return QStringLiteral("./modules/setting/pD.bin");
}

inline QString hardwareDefinition()
{
    return QStringLiteral("./modules/setting/HWDef.bin");
}

inline QString keyCodeDefinition()
{
    return QStringLiteral("./modules/setting/KeyCodeDef.bin");
}

inline QString languageFolder()
{
    return QStringLiteral("./modules/i18n/");
}

// A six-digit language code: three digits language, three digits territory.
inline QString languageFile(const QString &code)
{
    return languageFolder() + QStringLiteral("lang_") + code + QStringLiteral(".ini");
}

inline QString macroFolder()
{
    return QStringLiteral("./modules/macro/");
}

inline QString skinFolder()
{
    return QStringLiteral("./modules/img");
}

// A count read from one of these files is believed up to this many entries: a damaged or
// hostile count must not make the window hang while it reads defaults for missing keys.
constexpr int kMaxListedEntries = 4096;

} // namespace settingfiles
