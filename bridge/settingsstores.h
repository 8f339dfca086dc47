#pragma once

#include <QList>
#include <QSettings>

#include <memory>
#include <vector>

// The open settings stores of the configuration and of every profile slot. A store is
// replaced only as a whole file: the new content is copied in atomically and a fresh
// store opened on the same path at the same slot; when the copy fails the old file and
// its store stay exactly as they were.
class SettingsStores
{
public:
    // Opens the configuration, then the profile slots 1 ... profileCount in order.
    explicit SettingsStores(int profileCount);
    ~SettingsStores(); // writes what is still pending

    QSettings &configuration() { return *config; }
    const QSettings &configuration() const { return *config; }
    int profileCount() const { return int(profiles.size()); }
    QSettings *profile(int slot) const; // null outside 0 ... profileCount - 1

    bool resetConfiguration();                             // from the factory copy
    bool importProfile(int slot, const QString &file);     // any file is taken as it is
    bool resetProfile(int slot);                           // from the factory profile
    bool exportProfile(int slot, const QString &target);   // a byte copy of the slot file

private:
    static bool reopenOnCopy(std::unique_ptr<QSettings> &store, const QString &source);

    std::unique_ptr<QSettings> config;
    std::vector<std::unique_ptr<QSettings>> profiles;
};

// Writes a value and puts it on disk at once: a setting the user applied survives
// whatever ends the process.
void storeNow(QSettings &store, const QString &key, const QVariant &value);

// A list value as read from a settings file. The file form of a one-element list is its
// single text, which must become a one-element list, not a list of its characters.
QVariantList listValue(const QVariant &value);
