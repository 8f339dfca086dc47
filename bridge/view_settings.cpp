// The view's slots over the configuration and profile files.

#include "configurationlist.h"
#include "dialogfolder.h"
#include "myqquickview.h"
#include "settingfiles.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

QVariantList myQQuickView::loadApConfig()
{
    return readConfigurationList(settingsStores.configuration());
}

void myQQuickView::saveApConfig(const QVariantList &apConfigs)
{
    writeConfigurationList(settingsStores.configuration(), apConfigs);
}

void myQQuickView::resetApconfig()
{
    settingsStores.resetConfiguration();
}

bool myQQuickView::getIsSkinShow()
{
    // Each skin is a folder "skin" + number; plain files do not count.
    return QDir(settingfiles::skinFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() >= 2;
}

uchar myQQuickView::getMaxProfile()
{
    return maxProfile;
}

void myQQuickView::loadProfile(int profile)
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Open File"), desktopStartFolder(),
                                                      tr("Profile(*.pf)"));
    if (!file.isEmpty())
        settingsStores.importProfile(profile, file);
}

void myQQuickView::saveProfile(int profile)
{
    const QString file = QFileDialog::getSaveFileName(this, tr("Save File"), desktopStartFolder(),
                                                      tr("Profile(*.pf)"));
    if (!file.isEmpty())
        settingsStores.exportProfile(profile, file);
}

void myQQuickView::resetProfile(int profile)
{
    settingsStores.resetProfile(profile);
}

QVariant myQQuickView::loadDefaultProfile(const QString &key)
{
    const QSettings factory(settingfiles::factoryProfile(), QSettings::IniFormat);
    return factory.value(key);
}

QString myQQuickView::getCustomFilePath()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open File"), dialogStartFolder(QStandardPaths::PicturesLocation),
        tr("Image Files(*.png)"));
    if (path.isEmpty())
        return path;
    if (QFile(path).open(QIODevice::ReadOnly))
        return path;
    // Before a language is loaded the message texts are empty.
    QMessageBox::warning(nullptr, tr("%1").arg(globalStrings.value(2)),
                         QStringLiteral("%1%2").arg(globalStrings.value(3), path));
    return {};
}
