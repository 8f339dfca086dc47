#pragma once

#include <QString>

// Replaces target with a byte copy of source, atomically: the copy is written to a
// temporary file beside target and renamed over it only when complete. On failure
// (source unreadable, disk full, folder not writable) target is left as it was.
bool replaceWithCopy(const QString &source, const QString &target);
