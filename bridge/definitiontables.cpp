#include "definitiontables.h"

#include "settingfiles.h"
#include "settingsstores.h"

#include <QSettings>

namespace definitions {

QVariantList loadHardwareDefinition(const QString &file, quint8 layout)
{
    const QSettings hwDef(file, QSettings::IniFormat);
    const QString group = QString::number(layout) + QLatin1Char('/');
    const int keys = hwDef.value(group + QStringLiteral("total_HW"), 0).toInt();
    const int positions = hwDef.value(group + QStringLiteral("total_FW"), 0).toInt();
    QVariantList result{keys, positions};
    for (int k = 1; k <= qMin(keys, settingfiles::kMaxListedEntries); ++k) {
        const QVariantList e = listValue(hwDef.value(group + QString::number(k)));
        result << e.value(0).toInt() << e.value(1).toInt() << e.value(2).toInt()
               << e.value(3).toString() << e.value(4).toInt() << e.value(5).toUInt();
    }
    return result;
}

QVariantList loadKeyCodeList(const QString &file, const QString &key)
{
    const QSettings keyCodes(file, QSettings::IniFormat);
    return listValue(keyCodes.value(key));
}

QMap<QString, quint8> buildKeyCodeMap(const QVariantList &names, const QVariantList &codes)
{
    QMap<QString, quint8> map;
    const qsizetype count = qMin(names.size(), codes.size());
    for (qsizetype i = 0; i < count; ++i)
        map.insert(names[i].toString(), quint8(codes[i].toUInt()));
    return map;
}

} // namespace definitions
