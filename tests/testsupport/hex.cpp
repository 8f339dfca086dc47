#include "hex.h"

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString hex(const vkb::Bytes &bytes)
{
    return hex(bytes.data(), int(bytes.size()));
}

QString hex(const uint8_t *bytes, int count)
{
    return hex(QByteArray(reinterpret_cast<const char *>(bytes), count));
}
