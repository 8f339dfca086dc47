// The run-time data shipped in modules/: read exactly as the program reads it, and held
// to what the scene and the keyboard rely on. A wrong check text in a language file, a
// repeated matrix position or a key code without a name would fail quietly at run time.

#include "configurationlist.h"
#include "definitiontables.h"
#include "hardwaresizing.h"
#include "languages.h"
#include "settingsstores.h"

#include <QDir>
#include <QSet>
#include <QtTest>

namespace {
const QString kModules = QStringLiteral(VALDRIN_SOURCE_MODULES);

QString shipped(const QString &relative)
{
    return kModules + QLatin1Char('/') + relative;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr int kFnPosition = 89;
constexpr int kMatrixPositions = 128;

struct Key {
    int x, y, type;
    QString name;
    int matrix;
    uint code;
};

QList<Key> layoutKeys(const QVariantList &hw)
{
    QList<Key> keys;
    for (int i = 2; i + 5 < hw.size(); i += 6)
        keys.append({hw[i].toInt(), hw[i + 1].toInt(), hw[i + 2].toInt(), hw[i + 3].toString(),
                     hw[i + 4].toInt(), hw[i + 5].toUInt()});
    return keys;
}
} // namespace

class ShippedDataTest : public QObject
{
    Q_OBJECT

    HardwareSizing sizing;
    QVariantList hw;
    QMap<QString, quint8> codeOfName;
    QSet<uint> namedCodes;

private slots:
    void initTestCase()
    {
        sizing = readHardwareSizing(shipped(QStringLiteral("setting/HWDef.bin")));
        hw = definitions::loadHardwareDefinition(shipped(QStringLiteral("setting/HWDef.bin")), sizing.kbLayoutType);
        const QString keyCodeDef = shipped(QStringLiteral("setting/KeyCodeDef.bin"));
        const QVariantList names = definitions::loadKeyCodeList(keyCodeDef, QStringLiteral("common/usbStr"));
        const QVariantList codes = definitions::loadKeyCodeList(keyCodeDef, QStringLiteral("common/usbCode"));
        QCOMPARE(names.size(), codes.size());
        codeOfName = definitions::buildKeyCodeMap(names, codes);
        QCOMPARE(codeOfName.size(), names.size()); // names unique
        for (const QVariant &code : codes)
            namedCodes.insert(code.toUInt());
    }

    void sizingWithinWhatTheProgramServes()
    {
        QCOMPARE(int(sizing.kbLayoutType), 0); // the layout every synchronised program uses
        QVERIFY(sizing.maxProfile >= 1 && sizing.maxProfile <= 10);
        QVERIFY(sizing.maxMacro >= 1 && sizing.maxMacro <= 255);
    }

    void layoutKeysAreWellFormed()
    {
        QVERIFY(hw.size() >= 2);
        const int keyCount = hw[0].toInt();
        QVERIFY2(keyCount >= 104, "a full-size keyboard");
        QCOMPARE(hw[1].toInt(), kMatrixPositions);
        QCOMPARE(hw.size(), 2 + 6 * keyCount);

        const QSettings hwDef(shipped(QStringLiteral("setting/HWDef.bin")), QSettings::IniFormat);
        QSet<int> positions;
        QSet<uint> defaults;
        for (const Key &key : layoutKeys(hw)) {
            const QString what = QStringLiteral("key %1 (%2)").arg(key.matrix).arg(key.name);
            QVERIFY2(!key.name.isEmpty(), qPrintable(what));
            QVERIFY2(key.matrix >= 0 && key.matrix < kMatrixPositions, qPrintable(what));
            QVERIFY2(!positions.contains(key.matrix), qPrintable(what + " repeats its position"));
            positions.insert(key.matrix);
            QVERIFY2(key.type >= 1, qPrintable(what));
            QVERIFY2(key.x >= 0 && key.x < 710 && key.y >= 0 && key.y < 200, qPrintable(what));
            if (key.matrix == kFnPosition) {
                QCOMPARE(key.name, QStringLiteral("Fn"));
                continue;
            }
            // A plain key whose default code has a name, and no two keys send the same.
            QVERIFY2(key.code > 0 && key.code <= 0xFF, qPrintable(what));
            QVERIFY2(namedCodes.contains(key.code), qPrintable(what + " has a code without a name"));
            QVERIFY2(!defaults.contains(key.code), qPrintable(what + " repeats its code"));
            defaults.insert(key.code);
        }
        QVERIFY(positions.contains(kFnPosition));
        for (int k = 1; k <= keyCount; ++k)
            QVERIFY(listValue(hwDef.value(QStringLiteral("0/%1").arg(k))).size() >= 6);
    }

    void keyNamesIncludeTheMouseButtons()
    {
        const QMap<QString, quint8> mouse{{"MS-L", 0xF0}, {"MS-R", 0xF1}, {"MS-M", 0xF2}, {"MS-B4", 0xF3}, {"MS-B5", 0xF4}};
        for (auto it = mouse.cbegin(); it != mouse.cend(); ++it)
            QCOMPARE(codeOfName.value(it.key()), it.value());
        for (auto it = codeOfName.cbegin(); it != codeOfName.cend(); ++it)
            QVERIFY2(!it.key().isEmpty() && it.key().trimmed() == it.key(), qPrintable(it.key()));
    }

    void everyLanguageIsCompleteAndChecked()
    {
        const QVariantMap list = languages::listLanguages(shipped(QStringLiteral("i18n")));
        QVERIFY(list.size() >= 3);
        QVERIFY(list.contains(QStringLiteral("ENGLISH")));
        QVERIFY(list.contains(QStringLiteral("CHINESE (Simp)")));
        for (auto it = list.cbegin(); it != list.cend(); ++it) {
            const auto language = languages::readLanguageFile(
                shipped(QStringLiteral("i18n/lang_%1.ini").arg(it.value().toString())));
            const QByteArray name = it.key().toUtf8();
            QVERIFY2(language.checkMatches, name.constData());
            QCOMPARE(language.sceneStrings.size(), 115);
            for (const QString &text : language.sceneStrings)
                QVERIFY2(!text.isEmpty(), name.constData());
            for (const QString &text : language.messages)
                QVERIFY2(!text.isEmpty(), name.constData());
            QVERIFY2(language.messages[3].endsWith(QLatin1Char(' ')) || !it.key().startsWith(QLatin1String("ENGLISH")),
                     "the path follows the picture warning after a space");
        }
    }

    void factoryConfigurationMatchesTheSettingsPage()
    {
        const QSettings factory(shipped(QStringLiteral("setting/apConfigD.bin")), QSettings::IniFormat);
        const QVariantList entries = readConfigurationList(factory);
        QCOMPARE(entries.size(), 32);
        QCOMPARE(entries[0].toInt(), 1);
        QCOMPARE(entries[1].toInt(), 1);
        // The language entry is a position in the sorted language list: English.
        const QStringList names = languages::listLanguages(shipped(QStringLiteral("i18n"))).keys();
        QCOMPARE(names.value(entries[4].toInt()), QStringLiteral("ENGLISH"));
        QCOMPARE(entries[6].toString(), QString());
        for (int i = 8; i <= 28; ++i)
            QVERIFY(entries[i].toInt() >= 0 && entries[i].toInt() <= 255);
        QVERIFY(entries[29].toInt() >= 0 && entries[29].toInt() <= 6);
        QVERIFY(entries[30].toInt() >= 0 && entries[30].toInt() <= 7);
        QVERIFY(entries[31].toString().startsWith(QLatin1String("https://")));
        QVERIFY(!factory.value(QStringLiteral("common/name")).toString().isEmpty());
        QCOMPARE(factory.value(QStringLiteral("common/product_name")).toStringList().size(), 1);
        QCOMPARE(readAll(shipped(QStringLiteral("setting/apConfig.bin"))),
                 readAll(shipped(QStringLiteral("setting/apConfigD.bin"))));
    }

    void factoryProfileHoldsEveryPosition()
    {
        const QSettings factory(shipped(QStringLiteral("setting/pD.bin")), QSettings::IniFormat);
        const QVariantList ledType = listValue(factory.value(QStringLiteral("color/ledType")));
        const QVariantList colors = listValue(factory.value(QStringLiteral("color/color")));
        QCOMPARE(ledType.size(), 7);
        QCOMPARE(colors.size(), 21);
        for (const QVariant &v : ledType + colors)
            QVERIFY(v.toInt() >= 0 && v.toInt() <= 255);

        QMap<int, uint> defaultOf;
        for (const Key &key : layoutKeys(hw))
            defaultOf.insert(key.matrix, key.matrix == kFnPosition ? 0 : key.code);
        for (int k = 0; k < kMatrixPositions; ++k) {
            const QVariantList pair = listValue(factory.value(QStringLiteral("keydefine0/%1").arg(k)));
            QCOMPARE(pair.size(), 2);
            const uint code = pair[0].toUInt() | pair[1].toUInt() << 8;
            QCOMPARE(code, defaultOf.value(k, 0));
            QCOMPARE(listValue(factory.value(QStringLiteral("combokey/%1").arg(k))), (QVariantList{"0", "0"}));
        }
        for (int slot = 1; slot <= sizing.maxProfile; ++slot)
            QCOMPARE(readAll(shipped(QStringLiteral("setting/p%1.bin").arg(slot))),
                     readAll(shipped(QStringLiteral("setting/pD.bin"))));
    }
};

QTEST_GUILESS_MAIN(ShippedDataTest)
#include "tst_shippeddata.moc"
