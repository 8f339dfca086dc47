#pragma once

#include <QMap>
#include <QString>
#include <QVariantList>

// The keyboard's drawn layout and the names of key codes, read from the definition files.
namespace definitions {

// [keys drawn, matrix positions, then per key: x, y, keyType, name, matrix, keyCode]
// from the group of the given layout. Missing elements of a key read as 0 / empty.
QVariantList loadHardwareDefinition(const QString &file, quint8 layout);

// A list value of the key-code file ("common/usbStr", "common/usbCode"); empty when missing.
QVariantList loadKeyCodeList(const QString &file, const QString &key);

// Name -> code (low 8 bits), pairwise up to the shorter list; a repeated name keeps the
// code of its last occurrence.
QMap<QString, quint8> buildKeyCodeMap(const QVariantList &names, const QVariantList &codes);

} // namespace definitions
