#include "configurationlist.h"

#include "settingfiles.h"

#include <QSettings>

namespace {
QString entryKey(int i)
{
    return QStringLiteral("common/%1").arg(i);
}
} // namespace

QVariantList readConfigurationList(const QSettings &store)
{
    const int total = qMin(store.value(QStringLiteral("common/total"), 0).toInt(),
                           settingfiles::kMaxListedEntries);
    QVariantList entries;
    for (int i = 0; i < total; ++i)
        entries.append(store.value(entryKey(i), 0));
    return entries;
}

void writeConfigurationList(QSettings &store, const QVariantList &entries)
{
    store.setValue(QStringLiteral("common/total"), int(entries.size()));
    for (int i = 0; i < entries.size(); ++i)
        store.setValue(entryKey(i), entries[i]);
    store.sync();
}
