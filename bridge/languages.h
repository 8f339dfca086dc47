#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The language files "lang_" + code + ".ini": code is three digits of a QLocale language
// number and three of a territory number.
namespace languages {

// "ENGLISH", "CHINESE (Simp)", "GERMAN (SWITZERLAND)" ...
QString displayName(const QString &code);

// Display name -> code of every language file in the folder, by file name ignoring case;
// a later file with the same display name replaces the earlier one.
QVariantMap listLanguages(const QString &folder);

// The check text a language file carries over its strings, S being the total number of
// UTF-16 characters of all scene strings.
QString checkText(qint64 totalLength);

struct LanguageFile {
    QStringList sceneStrings; // [font family, string 1, ..., string n]
    QStringList messages;     // the four message-box texts
    bool checkMatches = false;
};

// A missing or unreadable file gives empty texts (and a check text that cannot match
// an empty one).
LanguageFile readLanguageFile(const QString &file);

} // namespace languages
