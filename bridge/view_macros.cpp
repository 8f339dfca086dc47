// The view's slots over the macro library, and the sending of a macro to a keyboard slot.

#include "dialogfolder.h"
#include "hid_thread.h"
#include "macroencoding.h"
#include "myqquickview.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {
// The slots a saved macro is sent to at once.
constexpr int kSentSlots = 17;
constexpr int kMacroBlock = 128;

} // namespace

QStringList myQQuickView::getMacroIniNames()
{
    return macroLibrary.fileNames();
}

QVariant myQQuickView::createMacroIni()
{
    return macroLibrary.create();
}

QVariant myQQuickView::deleteMacroIni(const QVariant &name)
{
    return macroLibrary.remove(name.toString());
}

void myQQuickView::renameMacroIniFile(const QVariant &oldName, const QVariant &newName)
{
    macroLibrary.rename(oldName.toString(), newName.toString());
}

void myQQuickView::loadMacroIniFromFile(const QVariant &name)
{
    if (!macroLibrary.exists(name.toString()))
        return;
    const QString file = QFileDialog::getOpenFileName(this, tr("Open File"), desktopStartFolder(), tr("Macro(*.mc)"));
    if (!file.isEmpty())
        macroLibrary.importFrom(name.toString(), file);
}

void myQQuickView::saveMacroIniToFile(const QVariant &name)
{
    if (!macroLibrary.exists(name.toString()))
        return;
    const QString file = QFileDialog::getSaveFileName(this, tr("Save File"), desktopStartFolder(), tr("Macro(*.mc)"));
    if (!file.isEmpty())
        macroLibrary.exportTo(name.toString(), file);
}

QStringList myQQuickView::loadMacroIni(const QVariant &name)
{
    return macroLibrary.steps(name.toString());
}

QVariant myQQuickView::saveMacroIni(const QVariant &name, const QStringList &macros)
{
    if (!macroLibrary.setSteps(name.toString(), macros))
        return false;
    const int index = macroLibrary.config(name.toString()).value(0, -1).toInt();
    if (index >= 0 && index < kSentSlots)
        ui_10H_SetMacroKey(index, name);
    return true;
}

QVariantList myQQuickView::loadMacroIniConfig(const QVariant &name)
{
    return macroLibrary.config(name.toString());
}

void myQQuickView::setMacroIniConfig(const QVariant &name, const QVariantList &config)
{
    if (config.size() < 2)
        return;
    macroLibrary.setConfig(name.toString(), config[0], config[1], link ? link->deviceId() : 0);
}

void myQQuickView::initMacroIni(uchar maxMacro)
{
    macroLibrary.reconcile(maxMacro);
}

QList<uchar> myQQuickView::macroIncode(const QStringList &macros)
{
    return macros::encode(macros, keyCodeMap);
}

void myQQuickView::ui_10H_SetMacroKey(const QVariant &macroId, const QVariant &name)
{
    const QList<uchar> bytes = macroIncode(loadMacroIni(name));
    if (bytes.size() > kMacroBlock) {
        // A cut encoding would lose its end marker: the keyboard keeps its old macro.
        QMessageBox::warning(nullptr, tr("%1").arg(globalStrings.value(0)), tr("%1").arg(globalStrings.value(1)));
        return;
    }
    std::array<uchar, kMacroBlock> block{};
    std::copy(bytes.cbegin(), bytes.cend(), block.begin());
    if (link)
        link->hid_10H_SetMacroKey(uchar(macroId.toInt()), block.data());
}
