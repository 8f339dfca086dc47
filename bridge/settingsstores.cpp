#include "settingsstores.h"

#include "filereplace.h"
#include "settingfiles.h"

SettingsStores::SettingsStores(int profileCount)
    : config(std::make_unique<QSettings>(settingfiles::configuration(), QSettings::IniFormat))
{
    for (int slot = 1; slot <= profileCount; ++slot)
        profiles.push_back(std::make_unique<QSettings>(settingfiles::profile(slot), QSettings::IniFormat));
}

SettingsStores::~SettingsStores() = default;

QSettings *SettingsStores::profile(int slot) const
{
    return slot >= 0 && slot < profileCount() ? profiles[size_t(slot)].get() : nullptr;
}

bool SettingsStores::reopenOnCopy(std::unique_ptr<QSettings> &store, const QString &source)
{
    const QString path = store->fileName();
    // Pending values go to the old file first, so that releasing the store later can
    // never write them over the new content.
    store->sync();
    if (!replaceWithCopy(source, path))
        return false;
    store.reset();
    store = std::make_unique<QSettings>(path, QSettings::IniFormat);
    return true;
}

bool SettingsStores::resetConfiguration()
{
    return reopenOnCopy(config, settingfiles::factoryConfiguration());
}

bool SettingsStores::importProfile(int slot, const QString &file)
{
    return profile(slot) && reopenOnCopy(profiles[size_t(slot)], file);
}

bool SettingsStores::resetProfile(int slot)
{
    return importProfile(slot, settingfiles::factoryProfile());
}

bool SettingsStores::exportProfile(int slot, const QString &target)
{
    QSettings *store = profile(slot);
    if (!store)
        return false;
    store->sync(); // the copy holds everything applied so far
    return replaceWithCopy(store->fileName(), target);
}

void storeNow(QSettings &store, const QString &key, const QVariant &value)
{
    store.setValue(key, value);
    store.sync();
}

QVariantList listValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString().isEmpty() ? QVariantList{} : QVariantList{value};
    return value.toList();
}
