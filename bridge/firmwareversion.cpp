#include "firmwareversion.h"

namespace {
QString hex2(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString firmwareVersionText(quint16 version)
{
    if (version == 0)
        return QStringLiteral("unknown");
    return hex2(version >> 8) + QLatin1Char('.') + hex2(version & 0xFF);
}
