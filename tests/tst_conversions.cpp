// The pure conversions between the scene's lists and the keyboard's blocks, the macro
// encoding, and the macro library's files.

#include "keymatrix.h"
#include "lightingblocks.h"
#include "macroencoding.h"
#include "macrolibrary.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString hexOf(const QList<uchar> &bytes)
{
    QStringList parts;
    for (uchar b : bytes)
        parts.append(QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper());
    return parts.join(QLatin1Char(' '));
}

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

const QString kDown = QStringLiteral("    [Down]");
const QString kUp = QStringLiteral("      [Up]");
const QString kDelay = QStringLiteral("   [Delay]");
} // namespace

class ConversionsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString folder() const { return dir->path() + QStringLiteral("/macro/"); }
    bool writeMacro(const QString &name, int index) const
    {
        QDir().mkpath(folder());
        QSettings macro(folder() + name + QStringLiteral(".bin"), QSettings::IniFormat);
        macro.setValue(QStringLiteral("config/index"), index);
        macro.setValue(QStringLiteral("config/total"), 1);
        macro.setValue(QStringLiteral("macro/0"), QStringLiteral("A") + kDown);
        macro.sync();
        return macro.status() == QSettings::NoError;
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }

    void keyMatrixBlocks()
    {
        QVariantList src(256, 0);
        src[10] = 0x35;
        src[11] = 0x40;
        src[128] = 0x1E; // position 64, low byte: first byte of the second half
        src[255] = 0x1234; // low 8 bits
        const keymatrix::Table table = keymatrix::fromList(src);
        QCOMPARE(table[10], uchar(0x35));
        QCOMPARE(table[11], uchar(0x40));
        QCOMPARE(table[keymatrix::kHalfBytes], uchar(0x1E));
        QCOMPARE(table[255], uchar(0x34));
        // A short list reads its missing bytes as 0.
        const keymatrix::Table shortTable = keymatrix::fromList(numbers({1, 2, 3}));
        QCOMPARE(std::count(shortTable.begin(), shortTable.end(), 0), 253);
    }

    void comboTableEditsAndStorage()
    {
        keymatrix::ComboTable table;
        table.set(5, 0xE0, 0x06);
        QCOMPARE(table.codes(5), 0x06E0u);
        table.set(128, 1, 2); // outside the table: ignored
        table.set(300, 1, 2);
        QCOMPARE(table.codes(128), 0u);
        QCOMPARE(std::count(table.bytes().begin(), table.bytes().end(), 0), 254);

        QSettings profile(dir->filePath(QStringLiteral("p1.bin")), QSettings::IniFormat);
        table.set(64, 4, 5);
        table.storeIn(profile);
        QCOMPARE(profile.value(QStringLiteral("combokey/5")).toList(), numbers({0xE0, 0x06}));
        QCOMPARE(profile.value(QStringLiteral("combokey/127")).toList(), numbers({0, 0}));

        // Absent or short entries read as 0.
        profile.remove(QStringLiteral("combokey/64"));
        profile.setValue(QStringLiteral("combokey/7"), QStringLiteral("9"));
        keymatrix::ComboTable loaded;
        loaded.set(64, 1, 1);
        loaded.loadFrom(profile);
        QCOMPARE(loaded.codes(5), 0x06E0u);
        QCOMPARE(loaded.codes(7), 9u);
        QCOMPARE(loaded.codes(64), 0u);
        loaded.clear();
        QCOMPARE(loaded.codes(5), 0u);
    }

    void colorScale_data()
    {
        QTest::addColumn<int>("scene");
        QTest::addColumn<int>("keyboard");
        QTest::newRow("255") << 255 << 63;
        QTest::newRow("3") << 3 << 0;
        QTest::newRow("4") << 4 << 1;
        QTest::newRow("128") << 128 << 32;
        QTest::newRow("0") << 0 << 0;
    }

    void colorScale()
    {
        QFETCH(int, scene);
        QFETCH(int, keyboard);
        QVariantList src(21, 0);
        src[0] = scene;
        src[20] = scene;
        const auto block = lighting::colorBlock(src);
        QCOMPARE(int(block[0]), keyboard);
        QCOMPARE(int(block[20]), keyboard);
        QCOMPARE(std::count(block.begin() + 21, block.end(), 0), 43);
    }

    void colorsFromKeyboardAreFourTimes()
    {
        std::array<uchar, 64> block{};
        block[0] = 63;
        block[20] = 1;
        block[21] = 9; // beyond the seven colours
        const QVariantList colors = lighting::colorsFromKeyboard(block.data());
        QCOMPARE(colors.size(), 21);
        QCOMPARE(colors[0], QVariant(252));
        QCOMPARE(colors[20], QVariant(4));
        QCOMPARE(lighting::colorBlock(numbers({200, 100})).at(2), uchar(0)); // short list
    }

    void pictureBlocks()
    {
        QVariantList picture(512, 0);
        picture[4 * 3] = 0x17;
        picture[4 * 3 + 1] = 200;
        picture[4 * 3 + 2] = 255;
        picture[4 * 3 + 3] = 7;
        picture[4 * 127] = 0x1FF; // attributes keep their low 8 bits, unscaled
        const auto blocks = lighting::pictureBlocks(picture);
        QCOMPARE(int(blocks[0][3]), 0x17);
        QCOMPARE(int(blocks[1][3]), 50);
        QCOMPARE(int(blocks[2][3]), 63);
        QCOMPARE(int(blocks[3][3]), 1);
        QCOMPARE(int(blocks[0][127]), 0xFF);
        // The colour page's reset passes three elements per position: the rest reads 0.
        const auto fromShort = lighting::pictureBlocks(QVariantList(384, 255));
        QCOMPARE(int(fromShort[1][95]), 63);
        QCOMPARE(int(fromShort[1][96]), 0);
    }

    void storedPictureIsExactly512()
    {
        QCOMPARE(lighting::storedPicture({}), QVariantList(512, 0));
        QCOMPARE(lighting::storedPicture(QVariantList(384, 9)), QVariantList(512, 0));
        QCOMPARE(lighting::storedPicture(QVariantList(512, 9)), QVariantList(512, 9));
    }

    void macroEncoding_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("A down, A up") << QStringList{"A" + kDown, "A" + kUp} << "00 01 01 04 81 04 00 00";
        QTest::newRow("empty") << QStringList{} << "00 01 00 00";
        QTest::newRow("1000 ms") << QStringList{"1000" + kDelay} << "00 01 7F 00 00 64 00 00";
        QTest::newRow("15 ms") << QStringList{"15" + kDelay} << "00 01 7F 00 00 01 00 00";
        QTest::newRow("5 ms") << QStringList{"5" + kDelay} << "00 01 7F 00 00 00 00 00";
        QTest::newRow("0 ms") << QStringList{"0" + kDelay} << "00 01 00 00";
        QTest::newRow("65535 ms") << QStringList{"65535" + kDelay} << "00 01 7F 00 19 99 00 00";
        QTest::newRow("not a number, negative") << QStringList{"soon" + kDelay, "-50" + kDelay} << "00 01 00 00";
        QTest::newRow("mouse and modifier") << QStringList{"MS-L" + kDown, "LShift" + kUp} << "00 01 01 F0 81 E1 00 00";
        QTest::newRow("unknown name, code 0, bad tag")
            << QStringList{"Nope" + kDown, "None" + kDown, "A   [Press]", "[Up]", ""} << "00 01 00 00";
    }

    void macroEncoding()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, bytes);
        const QMap<QString, quint8> codes{{"A", 4}, {"MS-L", 0xF0}, {"LShift", 0xE1}, {"None", 0}};
        QCOMPARE(hexOf(macros::encode(steps, codes)), bytes);
    }

    void newMacrosTakeTheFirstFreeNumber()
    {
        MacroLibrary library(folder());
        QCOMPARE(library.create(), QStringLiteral("Macro. 001"));
        QCOMPARE(library.create(), QStringLiteral("Macro. 002"));
        QVERIFY(library.remove(QStringLiteral("Macro. 001")));
        QCOMPARE(library.create(), QStringLiteral("Macro. 001"));
        QCOMPARE(library.create(), QStringLiteral("Macro. 003"));
        QCOMPARE(library.fileNames(), (QStringList{"Macro. 001.bin", "Macro. 002.bin", "Macro. 003.bin"}));
        QCOMPARE(library.config(QStringLiteral("Macro. 003")), numbers({-1, 1}));
        QVERIFY(library.steps(QStringLiteral("Macro. 003")).isEmpty());
        const QSettings made(folder() + QStringLiteral("Macro. 003.bin"), QSettings::IniFormat);
        QCOMPARE(made.value(QStringLiteral("config/did")).toInt(), -1);
        QCOMPARE(made.value(QStringLiteral("config/total")).toInt(), 0);
    }

    void stepsAndConfigRoundTrip()
    {
        MacroLibrary library(folder());
        const QString name = library.create();
        const QStringList steps{"A" + kDown, "250" + kDelay, "A" + kUp};
        QVERIFY(library.setSteps(name, steps));
        QCOMPARE(library.steps(name), steps);
        QVERIFY(library.setSteps(name, {steps[0]})); // fewer steps: no old ones left behind
        QCOMPARE(library.steps(name), QStringList{steps[0]});
        library.setConfig(name, 4, 2, 1);
        QCOMPARE(library.config(name), numbers({4, 2}));
        QVERIFY(!library.setSteps(QStringLiteral("missing"), steps));
        QVERIFY(library.config(QStringLiteral("missing")).isEmpty());
        QVERIFY(!library.remove(QStringLiteral("missing")));
    }

    void unsafeNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("slash") << "../setting/apConfig";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("dots") << "..";
        QTest::newRow("absolute") << "/tmp/x";
    }

    void unsafeNamesAreRefused()
    {
        QFETCH(QString, name);
        MacroLibrary library(folder());
        const QString kept = library.create();
        // A file outside the folder that an unsafe name could reach.
        QVERIFY(writeMacro(QStringLiteral("../victim"), 3));
        const QString victim = dir->filePath(QStringLiteral("victim.bin"));
        QVERIFY(QFile::exists(victim));

        QVERIFY(!MacroLibrary::isSafeName(name));
        QVERIFY(!library.remove(name));
        QVERIFY(!library.rename(kept, name));
        QVERIFY(!library.rename(name, QStringLiteral("new")));
        QVERIFY(!library.setSteps(name, {}));
        QVERIFY(library.steps(name).isEmpty());
        QVERIFY(library.config(name).isEmpty());
        QVERIFY(!library.importFrom(name, victim));
        QVERIFY(!library.exportTo(name, dir->filePath(QStringLiteral("out.mc"))));
        library.setConfig(name, 1, 1, 0);
        QVERIFY(QFile::exists(victim));
        QVERIFY(QFile::exists(folder() + kept + QStringLiteral(".bin")));
        QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("out.mc"))));
        QCOMPARE(QSettings(victim, QSettings::IniFormat).value(QStringLiteral("config/index")).toInt(), 3);
    }

    void renameImportAndExport()
    {
        MacroLibrary library(folder());
        const QString first = library.create();
        const QString second = library.create();
        QVERIFY(!library.rename(first, second)); // never over another macro
        QVERIFY(library.rename(first, QStringLiteral("Greeting")));
        QVERIFY(library.exists(QStringLiteral("Greeting")) && !library.exists(first));

        QVERIFY(library.setSteps(second, {"B" + kDown}));
        const QString target = dir->filePath(QStringLiteral("out.mc"));
        QVERIFY(QFile(target).open(QIODevice::WriteOnly)); // an existing, empty export target
        QVERIFY(library.exportTo(second, target));
        QVERIFY(library.importFrom(QStringLiteral("Greeting"), target));
        QCOMPARE(library.steps(QStringLiteral("Greeting")), QStringList{"B" + kDown});
        // A failed import (the chosen file vanished) leaves the macro as it was.
        QVERIFY(!library.importFrom(QStringLiteral("Greeting"), dir->filePath(QStringLiteral("gone.mc"))));
        QCOMPARE(library.steps(QStringLiteral("Greeting")), QStringList{"B" + kDown});
        QVERIFY(!library.importFrom(QStringLiteral("Absent"), target)); // only over an existing macro
        QVERIFY(!library.exists(QStringLiteral("Absent")));
    }

    void reconcileKeepsOneFilePerSlot()
    {
        QVERIFY(writeMacro(QStringLiteral("a"), 0));
        QVERIFY(writeMacro(QStringLiteral("b"), 0));
        QVERIFY(writeMacro(QStringLiteral("c"), 2));
        QVERIFY(writeMacro(QStringLiteral("d"), 5));
        QVERIFY(writeMacro(QStringLiteral("e"), -1));
        MacroLibrary library(folder());
        library.reconcile(3);
        // a keeps slot 0, c slot 2; b, d and the unassigned e go; slot 1 gets a new file.
        QCOMPARE(library.fileNames(), (QStringList{"a.bin", "c.bin", "Macro. 002.bin"}));
        QCOMPARE(library.config(QStringLiteral("Macro. 002")), numbers({1, 1}));
        QCOMPARE(library.steps(QStringLiteral("a")).size(), 1);
    }

    void reconcileNeverOverwritesADefaultName()
    {
        QVERIFY(writeMacro(QStringLiteral("Macro. 001"), 1)); // slot 1 in the name of slot 0
        MacroLibrary library(folder());
        library.reconcile(2);
        QCOMPARE(library.fileNames(), (QStringList{"Macro. 001.bin", "Macro. 002.bin"}));
        QCOMPARE(library.config(QStringLiteral("Macro. 001")), numbers({1, 1}));
        QCOMPARE(library.steps(QStringLiteral("Macro. 001")).size(), 1);
        QCOMPARE(library.config(QStringLiteral("Macro. 002")), numbers({0, 1}));
    }
};

QTEST_GUILESS_MAIN(ConversionsTest)
#include "tst_conversions.moc"
