#pragma once

#include <QVariantList>

class QSettings;

// The scene's configuration list kept in the configuration file: "common/total" entries
// stored as "common/0", "common/1", ...
QVariantList readConfigurationList(const QSettings &store);
// Writes the entries unchanged; keys beyond the new count stay in the file unread.
void writeConfigurationList(QSettings &store, const QVariantList &entries);
