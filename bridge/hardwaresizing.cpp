#include "hardwaresizing.h"

#include <QSettings>

HardwareSizing readHardwareSizing(const QString &hwDefFile)
{
    const QSettings hwDef(hwDefFile, QSettings::IniFormat);
    HardwareSizing sizing;
    sizing.kbLayoutType = quint8(hwDef.value(QStringLiteral("common/kbLayoutType"), 0).toUInt());
    const uint macros = hwDef.value(QStringLiteral("common/maxMacro")).toUInt();
    sizing.maxMacro = macros > 254 ? 255 : quint8(macros);
    const uint profiles = hwDef.value(QStringLiteral("common/maxProfile"), 0).toUInt();
    sizing.maxProfile = profiles > 9 ? 10 : quint8(profiles);
    return sizing;
}
