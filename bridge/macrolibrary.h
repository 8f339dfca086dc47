#pragma once

#include "settingfiles.h"

#include <QStringList>
#include <QVariantList>

// The user's macros, one INI file per macro in one folder: name + ".bin" with the group
// "config" (index: keyboard slot or -1, total: step count, repeat: 1 ... 3, did: device
// id) and the steps "macro/0" ... A name is a file's base name: an empty name, or one
// holding a path separator or "..", names no macro, so nothing outside the folder is
// ever created, read, renamed, copied or deleted.
class MacroLibrary
{
public:
    explicit MacroLibrary(QString folder = settingfiles::macroFolder()); // with a trailing separator

    static bool isSafeName(const QString &name);
    bool exists(const QString &name) const;

    QStringList fileNames() const; // "*.bin", by name ignoring case, with the extension
    QString create();              // "Macro. 001", "Macro. 002", ... the first free one
    bool remove(const QString &name);
    bool rename(const QString &oldName, const QString &newName); // never over another file
    bool importFrom(const QString &name, const QString &chosenFile); // over an existing macro
    bool exportTo(const QString &name, const QString &target);

    QStringList steps(const QString &name) const; // empty when the macro does not exist
    bool setSteps(const QString &name, const QStringList &steps);
    QVariantList config(const QString &name) const; // [index, repeat]; empty when missing
    void setConfig(const QString &name, const QVariant &index, const QVariant &repeat, uint deviceId);

    // Keeps one file per keyboard slot below maxMacro: files without a valid slot of their
    // own are deleted, and each free slot gets a new empty macro.
    void reconcile(int maxMacro);

private:
    QString path(const QString &name) const;
    QString nextFreeName(int from) const;
    void writeNew(const QString &name, int index, bool flush) const;

    QString folder;
};
