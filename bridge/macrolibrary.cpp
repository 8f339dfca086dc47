#include "macrolibrary.h"

#include "filereplace.h"
#include "settingfiles.h"

#include <QDebug>
#include <QFileInfo>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <array>

namespace {
const QString kExtension = QStringLiteral(".bin");

QString defaultName(int number)
{
    return QStringLiteral("Macro. %1").arg(number, 3, 10, QLatin1Char('0'));
}
} // namespace

MacroLibrary::MacroLibrary(QString folder)
    : folder(std::move(folder))
{
}

bool MacroLibrary::isSafeName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1String("..")) && !name.contains(QChar(0));
}

QString MacroLibrary::path(const QString &name) const
{
    return folder + name + kExtension;
}

bool MacroLibrary::exists(const QString &name) const
{
    return isSafeName(name) && QFileInfo(path(name)).isFile();
}

QStringList MacroLibrary::fileNames() const
{
    return QDir(folder).entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString MacroLibrary::nextFreeName(int from) const
{
    int n = from;
    while (QFile::exists(path(defaultName(n))))
        ++n;
    return defaultName(n);
}

void MacroLibrary::writeNew(const QString &name, int index, bool flush) const
{
    QSettings macro(path(name), QSettings::IniFormat);
    macro.beginGroup(QStringLiteral("config"));
    macro.setValue(QStringLiteral("index"), index);
    macro.setValue(QStringLiteral("total"), 0);
    macro.setValue(QStringLiteral("repeat"), 1);
    macro.setValue(QStringLiteral("did"), -1);
    macro.endGroup();
    if (flush)
        macro.sync();
}

QString MacroLibrary::create()
{
    QDir().mkpath(folder);
    const QString name = nextFreeName(1);
    writeNew(name, -1, false);
    return name;
}

bool MacroLibrary::remove(const QString &name)
{
    return exists(name) && QFile::remove(path(name));
}

bool MacroLibrary::rename(const QString &oldName, const QString &newName)
{
    return exists(oldName) && isSafeName(newName) && QFile::rename(path(oldName), path(newName));
}

bool MacroLibrary::importFrom(const QString &name, const QString &chosenFile)
{
    return exists(name) && replaceWithCopy(chosenFile, path(name));
}

bool MacroLibrary::exportTo(const QString &name, const QString &target)
{
    return exists(name) && replaceWithCopy(path(name), target);
}

QStringList MacroLibrary::steps(const QString &name) const
{
    if (!exists(name))
        return {};
    const QSettings macro(path(name), QSettings::IniFormat);
    const int total = qMin(macro.value(QStringLiteral("config/total"), 0).toInt(), settingfiles::kMaxListedEntries);
    QStringList result;
    for (int i = 0; i < total; ++i)
        result.append(macro.value(QStringLiteral("macro/%1").arg(i), 0).toString());
    return result;
}

bool MacroLibrary::setSteps(const QString &name, const QStringList &steps)
{
    if (!exists(name))
        return false;
    QSettings macro(path(name), QSettings::IniFormat);
    macro.remove(QStringLiteral("macro"));
    macro.setValue(QStringLiteral("config/total"), int(steps.size()));
    for (int i = 0; i < steps.size(); ++i)
        macro.setValue(QStringLiteral("macro/%1").arg(i), steps[i]);
    return true;
}

QVariantList MacroLibrary::config(const QString &name) const
{
    if (!exists(name))
        return {};
    const QSettings macro(path(name), QSettings::IniFormat);
    return {macro.value(QStringLiteral("config/index"), -1).toInt(),
            macro.value(QStringLiteral("config/repeat"), 1).toInt()};
}

void MacroLibrary::setConfig(const QString &name, const QVariant &index, const QVariant &repeat, uint deviceId)
{
    if (!exists(name))
        return;
    QSettings macro(path(name), QSettings::IniFormat);
    macro.setValue(QStringLiteral("config/index"), index);
    macro.setValue(QStringLiteral("config/repeat"), repeat);
    macro.setValue(QStringLiteral("config/did"), deviceId);
}

void MacroLibrary::reconcile(int maxMacro)
{
    std::array<bool, 256> taken{};
    QStringList removals;
    for (const QString &file : fileNames()) {
        const QString filePath = folder + file;
        const int index = QSettings(filePath, QSettings::IniFormat).value(QStringLiteral("config/index"), -1).toInt();
        if (index < 0 || index >= maxMacro || index >= int(taken.size()) || taken[size_t(index)])
            removals.append(filePath);
        else
            taken[size_t(index)] = true;
    }
    for (const QString &filePath : removals) {
        qDebug().noquote() << QStringLiteral("REMOVE: \"%1\"").arg(filePath);
        QFile::remove(filePath);
    }
    QDir().mkpath(folder);
    for (int slot = 0; slot < maxMacro && slot < int(taken.size()); ++slot) {
        // A file already holding the default name keeps its steps: the new one takes the
        // next free name.
        if (!taken[size_t(slot)])
            writeNew(nextFreeName(slot + 1), slot, true);
    }
}
