// The view's slots over the definition tables and the language files.

#include "definitiontables.h"
#include "hid_thread.h"
#include "languages.h"
#include "myqquickview.h"
#include "settingfiles.h"

QVariantList myQQuickView::loadHWDef()
{
    return definitions::loadHardwareDefinition(settingfiles::hardwareDefinition(), kbLayoutType);
}

QVariantList myQQuickView::loadUsbStr()
{
    return definitions::loadKeyCodeList(settingfiles::keyCodeDefinition(), QStringLiteral("common/usbStr"));
}

QVariantList myQQuickView::loadUsbCode()
{
    return definitions::loadKeyCodeList(settingfiles::keyCodeDefinition(), QStringLiteral("common/usbCode"));
}

QVariantMap myQQuickView::chkLanguages()
{
    return languages::listLanguages(settingfiles::languageFolder());
}

QStringList myQQuickView::getGlobalStrings(const QString &langCode)
{
    const languages::LanguageFile language = languages::readLanguageFile(settingfiles::languageFile(langCode));
    globalStrings = language.messages;
    // A language file whose check text does not match its strings stops the keyboard link.
    languageFileValid = language.checkMatches;
    return language.sceneStrings;
}
