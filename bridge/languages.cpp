#include "languages.h"

#include "settingfiles.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace languages {

namespace {
// These two territory numbers name the two Chinese scripts, whatever the locale
// library's numbering of territories.
constexpr int kSimplified = 44;
constexpr int kTraditional = 208;

QString territorySuffix(int territory)
{
    switch (territory) {
    case 0:
        return {};
    case kSimplified:
        return QStringLiteral(" (Simp)");
    case kTraditional:
        return QStringLiteral(" (Trad)");
    default:
        return QStringLiteral(" (%1)").arg(
            QLocale::territoryToString(QLocale::Territory(territory)).toUpper());
    }
}
} // namespace

QString displayName(const QString &code)
{
    const int language = code.left(3).toInt();  // not a number: 0
    const int territory = code.mid(3, 3).toInt();
    return QLocale::languageToString(QLocale::Language(language)).toUpper() + territorySuffix(territory);
}

QVariantMap listLanguages(const QString &folder)
{
    QVariantMap map;
    const QStringList files = QDir(folder).entryList({QStringLiteral("lang_*.ini")}, QDir::AllEntries,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString code = file.mid(5, 6);
        map.insert(displayName(code), code);
    }
    return map;
}

QString checkText(qint64 totalLength)
{
    const qint64 s = totalLength;
    return QString::number((s + 74) & 0xFF) + QString::number((s - 69) & 0xFF)
        + QString::number((70 * s) & 0xFF) + QString::number((s / 70) & 0xFF);
}

LanguageFile readLanguageFile(const QString &file)
{
    const QSettings language(file, QSettings::IniFormat);
    LanguageFile result;
    result.sceneStrings.append(language.value(QStringLiteral("font/family")).toString());
    const int count = qMin(language.value(QStringLiteral("font/total"), 0).toInt(),
                           settingfiles::kMaxListedEntries);
    const QString expected = language.value(QStringLiteral("font/cs")).toString();
    qint64 totalLength = 0;
    for (int k = 1; k <= count; ++k) {
        const QString text = language.value(QStringLiteral("strings/%1").arg(k)).toString();
        result.sceneStrings.append(text);
        totalLength += text.size();
    }
    for (int m = 0; m < 4; ++m)
        result.messages.append(language.value(QStringLiteral("msg/%1").arg(m)).toString());
    result.checkMatches = checkText(totalLength) == expected;
    return result;
}

} // namespace languages
