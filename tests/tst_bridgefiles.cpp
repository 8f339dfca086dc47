// The file-keeping units behind the view: whole-file replacement of the stores, the
// configuration list, the definition tables, the language files and the version text.
// Every case works in a private folder that becomes the working directory.

#include "configurationlist.h"
#include "definitiontables.h"
#include "filereplace.h"
#include "firmwareversion.h"
#include "languages.h"
#include "settingfiles.h"
#include "settingsstores.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Set in the environment of a second run of this program, which then prints the
// configuration list of that file as a fresh process reads it.
const char kPrintConfiguration[] = "VALDRIN_PRINT_CONFIGURATION";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}
} // namespace

class BridgeFilesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString previous;
    int files = 0;

    // The settings class caches a file it has read: each case reads a file of a new name.
    QString freshFile(const QByteArray &content)
    {
        const QString path = dir->filePath(QStringLiteral("file%1.ini").arg(++files));
        writeFile(path, content);
        return path;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
        QVERIFY(QDir().mkpath(QStringLiteral("modules/setting")));
    }

    void cleanup()
    {
        QDir::setCurrent(previous);
        dir.reset();
    }

    void failedReplacementLeavesTheTargetAlone_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("source missing") << "missing.bin" << "target.bin";
        QTest::newRow("source is a folder") << "modules" << "target.bin";
        QTest::newRow("target folder missing") << "good.bin" << "nowhere/target.bin";
    }

    void failedReplacementLeavesTheTargetAlone()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QVERIFY(writeFile(QStringLiteral("good.bin"), "new"));
        QVERIFY(writeFile(QStringLiteral("target.bin"), "old"));
        QVERIFY(!replaceWithCopy(source, target));
        QCOMPARE(readAll(QStringLiteral("target.bin")), QByteArray("old"));
        // No temporary file is left behind.
        QCOMPARE(QDir().entryList(QDir::Files).size(), 2);
        QVERIFY(replaceWithCopy(QStringLiteral("good.bin"), QStringLiteral("target.bin")));
        QCOMPARE(readAll(QStringLiteral("target.bin")), QByteArray("new"));
    }

    void importReplacesOneSlotInPlace()
    {
        for (int slot = 1; slot <= 4; ++slot)
            QVERIFY(writeFile(settingfiles::profile(slot), QStringLiteral("[keydefine0]\n5=%1, 0\n").arg(slot).toUtf8()));
        QVERIFY(writeFile(QStringLiteral("chosen.pf"), "[keydefine0]\n5=53, 64\n"));
        SettingsStores stores(4);
        QSettings *untouched = stores.profile(1);

        QVERIFY(stores.importProfile(2, QStringLiteral("chosen.pf")));
        QCOMPARE(stores.profileCount(), 4);
        QCOMPARE(stores.profile(1), untouched);
        QCOMPARE(stores.profile(2)->fileName(), QFileInfo(settingfiles::profile(3)).absoluteFilePath());
        QCOMPARE(listValue(stores.profile(2)->value(QStringLiteral("keydefine0/5"))), (QVariantList{"53", "64"}));
        QCOMPARE(readAll(settingfiles::profile(3)), readAll(QStringLiteral("chosen.pf")));
        for (int slot : {0, 1, 3})
            QCOMPARE(stores.profile(slot)->value(QStringLiteral("keydefine0/5")).toStringList().value(0),
                     QString::number(slot + 1));
    }

    void failedImportLosesNothing()
    {
        QVERIFY(writeFile(settingfiles::profile(1), "[color]\nledType=1, 2, 3, 4, 5, 6, 7\n"));
        SettingsStores stores(1);
        QSettings *before = stores.profile(0);
        before->setValue(QStringLiteral("color/color"), QVariantList{9, 9, 9}); // not yet on disk

        QVERIFY(!stores.importProfile(0, QStringLiteral("vanished.pf")));
        QVERIFY(!stores.resetProfile(0)); // no factory profile in this folder
        QCOMPARE(stores.profile(0), before);
        QCOMPARE(before->value(QStringLiteral("color/color")).toList(), (QVariantList{9, 9, 9}));
        before->sync();
        const QByteArray onDisk = readAll(settingfiles::profile(1));
        QVERIFY2(onDisk.contains("ledType=1, 2, 3, 4, 5, 6, 7") && onDisk.contains("color=9, 9, 9"), onDisk);
    }

    void resetAndExportCopyWholeFiles()
    {
        QVERIFY(writeFile(settingfiles::factoryProfile(), "[color]\nledType=0, 4, 2, 0, 7, 0, 0\n"));
        QVERIFY(writeFile(settingfiles::factoryConfiguration(), "[common]\ntotal=1\n0=1\n"));
        QVERIFY(writeFile(QStringLiteral("export.pf"), "an older export, longer than the new one"));
        SettingsStores stores(2);
        // A value applied a moment ago is part of the export.
        storeNow(*stores.profile(1), QStringLiteral("combokey/7"), QVariantList{4, 5});
        stores.profile(1)->setValue(QStringLiteral("combokey/8"), QVariantList{6, 7});

        QVERIFY(stores.exportProfile(1, QStringLiteral("export.pf")));
        QCOMPARE(readAll(QStringLiteral("export.pf")), readAll(settingfiles::profile(2)));
        QVERIFY(readAll(QStringLiteral("export.pf")).contains("8=6, 7"));

        QVERIFY(stores.resetProfile(1));
        QCOMPARE(readAll(settingfiles::profile(2)), readAll(settingfiles::factoryProfile()));
        QVERIFY(!stores.profile(1)->contains(QStringLiteral("combokey/7")));
        QCOMPARE(stores.profile(1)->value(QStringLiteral("color/ledType")).toStringList().size(), 7);

        stores.configuration().setValue(QStringLiteral("common/total"), 32);
        QVERIFY(stores.resetConfiguration());
        QCOMPARE(readConfigurationList(stores.configuration()), (QVariantList{"1"}));
        QCOMPARE(readAll(settingfiles::configuration()), readAll(settingfiles::factoryConfiguration()));
        QVERIFY(!stores.exportProfile(2, QStringLiteral("export.pf"))); // no such slot
    }

    void configurationListWithoutTotalIsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no file") << QByteArray("<none>");
        QTest::newRow("total 0") << QByteArray("[common]\ntotal=0\n0=1\n");
        QTest::newRow("no total") << QByteArray("[common]\n0=1\n1=2\n");
        QTest::newRow("negative") << QByteArray("[common]\ntotal=-4\n");
    }

    void configurationListWithoutTotalIsEmpty()
    {
        QFETCH(QByteArray, content);
        const QString path = content == "<none>" ? dir->filePath(QStringLiteral("none.ini")) : freshFile(content);
        QVERIFY(readConfigurationList(QSettings(path, QSettings::IniFormat)).isEmpty());
    }

    void configurationListMissingEntriesReadAsZero()
    {
        const QString path = freshFile("[common]\ntotal=3\n1=text\n");
        QCOMPARE(readConfigurationList(QSettings(path, QSettings::IniFormat)), (QVariantList{0, "text", 0}));
        // A hostile count is read no further than a bounded number of entries.
        const QString hostile = freshFile("[common]\ntotal=2000000000\n");
        QCOMPARE(readConfigurationList(QSettings(hostile, QSettings::IniFormat)).size(),
                 settingfiles::kMaxListedEntries);
    }

    void configurationListRoundTripsThroughAFreshProcess()
    {
        QVariantList entries{1, 2, 1, 0, 1, true, QStringLiteral("file:/home/u/a, b.png"), 0};
        for (int i = 0; i < 21; ++i)
            entries.append(i * 12);
        entries << 3 << 7 << QStringLiteral("https://valdrin.example/qn9");
        QCOMPARE(entries.size(), 32);
        const QString path = dir->filePath(QStringLiteral("apConfig.bin"));
        {
            QSettings store(path, QSettings::IniFormat);
            store.setValue(QStringLiteral("common/total"), 40); // an older, longer list
            store.setValue(QStringLiteral("common/35"), 9);
            writeConfigurationList(store, entries);
            QCOMPARE(readConfigurationList(store), entries); // types kept until re-read
        }
        QProcess reader;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kPrintConfiguration), path);
        reader.setProcessEnvironment(env);
        reader.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(reader.waitForFinished(10000));
        const QJsonArray read = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
        QCOMPARE(read.size(), 32);
        for (int i = 0; i < 32; ++i) // from disk every entry comes back as text
            QCOMPARE(read[i].toString(), entries[i].toString());
    }

    void hardwareDefinitionShape()
    {
        const QString path = freshFile("[common]\nkbLayoutType=1\n"
                                       "[1]\ntotal_HW=2\ntotal_FW=128\n"
                                       "1=10, 20, 1, Esc, 0, 41\n"
                                       "2=\"40\", 20, 3, \",<\", 89\n"
                                       "[0]\ntotal_HW=1\n1=0, 0, 1, A, 4, 4\n");
        const QVariantList hw = definitions::loadHardwareDefinition(path, 1);
        QCOMPARE(hw.size(), 14);
        QCOMPARE(hw.mid(0, 8), (QVariantList{2, 128, 10, 20, 1, QStringLiteral("Esc"), 0, 41u}));
        // A short entry reads its missing elements as 0.
        QCOMPARE(hw.mid(8), (QVariantList{40, 20, 3, QStringLiteral(",<"), 89, 0u}));
        QCOMPARE(hw[7].typeId(), QMetaType::UInt);
        QCOMPARE(definitions::loadHardwareDefinition(path, 0).size(), 8);
        QCOMPARE(definitions::loadHardwareDefinition(path, 2), (QVariantList{0, 0}));
    }

    void keyCodeListsAndMap()
    {
        const QString path = freshFile("[common]\nusbStr=N1, N2, N3, N1, N5\nusbCode=4, 5, 262, 7\n"
                                       "[single]\nusbStr=Esc\n");
        const QVariantList names = definitions::loadKeyCodeList(path, QStringLiteral("common/usbStr"));
        const QVariantList codes = definitions::loadKeyCodeList(path, QStringLiteral("common/usbCode"));
        QCOMPARE(names.size(), 5);
        const QMap<QString, quint8> map = definitions::buildKeyCodeMap(names, codes);
        // Pairwise up to the shorter list; the later N1 wins; codes keep their low 8 bits.
        QCOMPARE(map, (QMap<QString, quint8>{{"N1", 7}, {"N2", 5}, {"N3", 6}}));
        QCOMPARE(definitions::buildKeyCodeMap(names.mid(0, 3), codes.mid(0, 2)),
                 (QMap<QString, quint8>{{"N1", 4}, {"N2", 5}}));
        QCOMPARE(definitions::loadKeyCodeList(path, QStringLiteral("single/usbStr")), (QVariantList{"Esc"}));
        QVERIFY(definitions::loadKeyCodeList(path, QStringLiteral("common/none")).isEmpty());
    }

    void checkText_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("10 + 20 + 40") << qint64(70) << "1441361";
        QTest::newRow("no strings") << qint64(0) << "7418700";
        QTest::newRow("below 69") << qint64(3) << "771902100";
        QTest::newRow("wraps") << qint64(1000) << "5016311214";
    }

    void checkText()
    {
        QFETCH(qint64, total);
        QFETCH(QString, text);
        QCOMPARE(languages::checkText(total), text);
    }

    void languageFileStringsAndCheck()
    {
        const QByteArray strings = "[strings]\n1=" + QByteArray(10, 'a') + "\n2=" + QByteArray(20, 'b')
            + "\n3=" + QByteArray(40, 'c') + "\n[msg]\n0=T0\n1=T1\n2=T2\n3=\"T3, \"\n";
        const auto good = languages::readLanguageFile(
            freshFile("[font]\nfamily=Noto Sans\ntotal=3\ncs=1441361\n" + strings));
        QVERIFY(good.checkMatches);
        QCOMPARE(good.sceneStrings.size(), 4);
        QCOMPARE(good.sceneStrings[0], QStringLiteral("Noto Sans"));
        QCOMPARE(good.sceneStrings[3], QString(40, QLatin1Char('c')));
        QCOMPARE(good.messages, (QStringList{"T0", "T1", "T2", "T3, "}));

        QVERIFY(!languages::readLanguageFile(freshFile("[font]\ntotal=3\ncs=1441362\n" + strings)).checkMatches);
        // Wide characters count as UTF-16 units: 70 Chinese characters give S = 70 too.
        const QByteArray chinese = QString(70, QChar(0x4E2D)).toUtf8();
        QVERIFY(languages::readLanguageFile(freshFile("[font]\ntotal=1\ncs=1441361\n[strings]\n1=" + chinese)).checkMatches);
        QVERIFY(languages::readLanguageFile(freshFile("[font]\ncs=7418700\n")).checkMatches);

        const auto missing = languages::readLanguageFile(dir->filePath(QStringLiteral("none.ini")));
        QCOMPARE(missing.sceneStrings, QStringList{QString()});
        QCOMPARE(missing.messages, (QStringList{{}, {}, {}, {}}));
        QVERIFY(!missing.checkMatches);
    }

    void languageNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("any territory") << "075000" << "ENGLISH";
        QTest::newRow("simplified") << "058044" << "CHINESE (Simp)";
        QTest::newRow("traditional") << "058208" << "CHINESE (Trad)";
        QTest::newRow("a territory")
            << QStringLiteral("094%1").arg(int(QLocale::Switzerland), 3, 10, QLatin1Char('0'))
            << "GERMAN (SWITZERLAND)";
        QTest::newRow("not numbers") << "xx.ini" << QLocale::languageToString(QLocale::Language(0)).toUpper();
    }

    void languageNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(languages::displayName(code), name);
    }

    void languageListFromFileNames()
    {
        for (const char *name : {"lang_058208.ini", "lang_075000.ini", "lang_058044.ini", "LANG_094000.ini",
                                 "lang_094000.ini", "readme.txt"})
            QVERIFY(writeFile(QStringLiteral("i18n/") + QLatin1String(name), "[font]\n"));
        const QVariantMap map = languages::listLanguages(QStringLiteral("i18n"));
        QCOMPARE(map, (QVariantMap{{"CHINESE (Simp)", "058044"}, {"CHINESE (Trad)", "058208"},
                                   {"ENGLISH", "075000"}, {"GERMAN", "094000"}}));
        QVERIFY(languages::listLanguages(QStringLiteral("missing")).isEmpty());
    }

    void firmwareVersionText_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("0x0105") << 0x0105 << "01.05";
        QTest::newRow("0x0A03") << 0x0A03 << "0A.03";
        QTest::newRow("0x1A0B") << 0x1A0B << "1A.0B";
        QTest::newRow("0xFF00") << 0xFF00 << "FF.00";
        QTest::newRow("0") << 0 << "unknown";
    }

    void firmwareVersionText()
    {
        QFETCH(int, version);
        QFETCH(QString, text);
        QCOMPARE(::firmwareVersionText(quint16(version)), text);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString printed = qEnvironmentVariable(kPrintConfiguration);
    if (!printed.isEmpty()) {
        const QVariantList entries = readConfigurationList(QSettings(printed, QSettings::IniFormat));
        fputs(QJsonDocument(QJsonArray::fromVariantList(entries)).toJson().constData(), stdout);
        return 0;
    }
    BridgeFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bridgefiles.moc"
