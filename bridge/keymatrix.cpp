#include "keymatrix.h"

#include "settingsstores.h"

#include <QSettings>

namespace keymatrix {

namespace {
QString comboKey(int position)
{
    return QStringLiteral("combokey/%1").arg(position);
}
} // namespace

Table fromList(const QVariantList &src256)
{
    Table bytes{};
    for (int j = 0; j < kTableBytes && j < src256.size(); ++j)
        bytes[size_t(j)] = uchar(src256[j].toInt());
    return bytes;
}

void ComboTable::set(uint position, uchar code0, uchar code1)
{
    if (position >= uint(kPositions))
        return;
    table[2 * position] = code0;
    table[2 * position + 1] = code1;
}

uint ComboTable::codes(uint position) const
{
    if (position >= uint(kPositions))
        return 0;
    return uint(table[2 * position + 1]) << 8 | table[2 * position];
}

void ComboTable::loadFrom(const QSettings &profile)
{
    for (int k = 0; k < kPositions; ++k) {
        const QVariantList pair = listValue(profile.value(comboKey(k), 0));
        table[size_t(2 * k)] = uchar(pair.value(0).toInt());
        table[size_t(2 * k + 1)] = uchar(pair.value(1).toInt());
    }
}

void ComboTable::storeIn(QSettings &profile) const
{
    for (int k = 0; k < kPositions; ++k)
        profile.setValue(comboKey(k), QVariantList{int(table[size_t(2 * k)]), int(table[size_t(2 * k + 1)])});
    profile.sync();
}

} // namespace keymatrix
