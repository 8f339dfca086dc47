// The key matrix, combination keys, lighting and macros as the pages apply them: what the
// profile keeps, and that the keyboard then holds exactly that, converted.

#include "hex.h"
#include "hid_thread.h"
#include "linkfixture.h"
#include "myqquickview.h"
#include "viewfixture.h"

#include <QSettings>
#include <QtTest>

namespace {
const QString kDown = QStringLiteral("    [Down]");
const QString kUp = QStringLiteral("      [Up]");
const QString kDelay = QStringLiteral("   [Delay]");

QVariantList ints(const auto &bytes)
{
    QVariantList list;
    for (auto b : bytes)
        list.append(int(b));
    return list;
}

QVariantList stored(myQQuickView &view, const QString &key)
{
    view.stores().profile(view.currentProfileIndex())->sync();
    // What a fresh reader of the file sees, not the store's own copy.
    const QSettings file(view.stores().profile(view.currentProfileIndex())->fileName(), QSettings::IniFormat);
    QVariantList values;
    for (const QString &text : file.value(key).toStringList())
        values.append(text.toInt());
    return values;
}
} // namespace

class KeyboardTablesTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    std::unique_ptr<ViewFixture> fixture;
    std::unique_ptr<myQQuickView> view;

    vkb::ProfileMemory onKeyboard()
    {
        fixture->hid.finishWrites();
        return keyboard.profile(keyboard.activeProfile());
    }

private slots:
    void init()
    {
        fixture = std::make_unique<ViewFixture>();
        QVERIFY(fixture->isValid());
        QVERIFY(fixture->runtime.write(QStringLiteral("modules/setting/KeyCodeDef.bin"),
                                       "[common]\nusbStr=A, B, LShift\nusbCode=4, 5, 225\n"));
        QVERIFY(fixture->runtime.write(QStringLiteral("modules/setting/p2.bin"), "[combokey]\n9=7, 8\n"));
        view = fixture->makeView("[common]\nmaxProfile=3\nmaxMacro=20\n");
        keyboard.setActiveProfile(1);
        view->syncFW(); // the profile and the key names, as at start-up
        QCOMPARE(int(view->currentProfileIndex()), 1);
        keyboard.clearReports();
    }

    void cleanup()
    {
        view.reset();
        fixture.reset();
    }

    void keyMatrixIsStoredThenSentInTwoHalves()
    {
        QVariantList src(256, 0);
        src[10] = 0x35;
        src[11] = 0x40;
        src[128] = 0x1E; // position 64
        src[255] = 0x42;
        view->ui_0C0DH_SetKeyMatrix(src);
        QCOMPARE(stored(*view, QStringLiteral("keydefine0/5")), (QVariantList{0x35, 0x40}));
        QCOMPARE(view->getKeydefine(5), (QVariantList{0x35, 0x40}));
        QCOMPARE(ints(onKeyboard().keyMatrix), src);
        QCOMPARE(commandCodes(), (QStringList{"0C", "0D"}));
        QCOMPARE(view->ui_8C8DH_GetKeyMatrix(), src);
    }

    void comboKeysEditWithoutStoringThenSaveBoth()
    {
        view->getComboKey(false);
        QCOMPARE(view->getCurrentKeyMatrix(9), QVariant(0x0807u));
        view->ui_AAAAH_SetComboKeyMatrix(5, 0xE0, 0x06, false);
        QCOMPARE(view->getCurrentKeyMatrix(5), QVariant(0x06E0u));
        view->ui_AAAAH_SetComboKeyMatrix(64, 0x04, 0x05, false);
        view->ui_AAAAH_SetComboKeyMatrix(200, 1, 1, false); // outside the table: ignored
        fixture->hid.finishWrites();
        QVERIFY(commandCodes().isEmpty());
        QVERIFY(stored(*view, QStringLiteral("combokey/5")).isEmpty());

        // Saving ignores its key arguments: position 9 keeps (7, 8).
        view->ui_AAAAH_SetComboKeyMatrix(9, 1, 2, true);
        QCOMPARE(stored(*view, QStringLiteral("combokey/5")), (QVariantList{0xE0, 0x06}));
        QCOMPARE(stored(*view, QStringLiteral("combokey/9")), (QVariantList{7, 8}));
        QCOMPARE(stored(*view, QStringLiteral("combokey/127")), (QVariantList{0, 0}));
        const vkb::ProfileMemory memory = onKeyboard();
        QCOMPARE(commandCodes(), (QStringList{"1C", "1D"}));
        QCOMPARE(int(memory.comboMatrix[10]), 0xE0);
        QCOMPARE(int(memory.comboMatrix[18]), 7);
        QCOMPARE(int(memory.comboMatrix[128]), 0x04); // position 64 opens the second half

        view->getComboKey(true);
        QCOMPARE(view->getCurrentKeyMatrix(5), QVariant(0u));
        QCOMPARE(stored(*view, QStringLiteral("combokey/5")), (QVariantList{0xE0, 0x06}));
    }

    void colorsAreStoredAsGivenAndSentAsQuarters()
    {
        QVariantList colors;
        for (int i = 0; i < 21; ++i)
            colors.append(i == 0 ? 255 : i == 1 ? 3 : i * 12);
        view->ui_30H_SetColor(colors);
        QCOMPARE(stored(*view, QStringLiteral("color/color")), colors);
        QCOMPARE(view->ui_B0H_GetColor(), colors);
        const vkb::ProfileMemory memory = onKeyboard();
        QCOMPARE(int(memory.sevenColors[0]), 63);
        QCOMPARE(int(memory.sevenColors[1]), 0);
        for (int i = 2; i < 21; ++i)
            QCOMPARE(int(memory.sevenColors[size_t(i)]), colors[i].toInt() / 4);
        QCOMPARE(int(memory.sevenColors[21]), 0);
    }

    void lightingRecordIsStoredThenSent()
    {
        QVERIFY(view->ui_88H_GetLEDType().isEmpty());
        view->ui_08H_SetLEDType(0x0B, 4, 2, 1, 7, 0xE0, 0x3C);
        const QVariantList record{0x0B, 4, 2, 1, 7, 0xE0, 0x3C};
        QCOMPARE(stored(*view, QStringLiteral("color/ledType")), record);
        QCOMPARE(view->ui_88H_GetLEDType(), record);
        const vkb::Lighting expected{0x0B, 4, 2, 1, 7, 0xE0, 0x3C};
        QCOMPARE(onKeyboard().lighting, expected);
    }

    void picturesAreStoredAlwaysAndSentOnlyWhenActive()
    {
        QVariantList picture(512, 0);
        picture[4 * 3] = 0x17;
        picture[4 * 3 + 1] = 200;
        picture[4 * 3 + 2] = 255;
        picture[4 * 3 + 3] = 8;
        view->ui_12H_SetUserPicture(2, 255, picture);
        QCOMPARE(view->ui_92H_GetUserPicture(2), picture);
        fixture->hid.finishWrites();
        QVERIFY(commandCodes().isEmpty());

        view->ui_12H_SetUserPicture(2, 0, picture);
        const vkb::ProfileMemory memory = onKeyboard();
        const auto sent = reportsOf(vkb::ReportKind::FeatureSet);
        QCOMPARE(sent.size(), size_t(4));
        for (int c = 0; c < 4; ++c) // picture 2, colour indexes 0 to 3 in order
            QCOMPARE(hex(sent[size_t(c)].bytes.data(), 9), QStringLiteral("00 12 00 02 0%1 00 55 AA 00").arg(c));
        const auto &bytes = memory.pictures[2];
        QCOMPARE(int(bytes[3]), 0x17);
        QCOMPARE(int(bytes[128 + 3]), 50);
        QCOMPARE(int(bytes[256 + 3]), 63);
        QCOMPARE(int(bytes[384 + 3]), 2);

        QCOMPARE(view->ui_92H_GetUserPicture(4), QVariantList(512, 0));
        view->ui_12H_SetUserPicture(4, 255, QVariantList(384, 1));
        QCOMPARE(view->ui_92H_GetUserPicture(4), QVariantList(512, 0));
    }

    void syncLedTakesTheKeyboardsValues()
    {
        vkb::ProfileMemory memory = keyboard.profile(1);
        memory.lighting = {3, 4, 1, 0, 2, 9, 10};
        memory.sevenColors[0] = 63;
        memory.sevenColors[20] = 1;
        keyboard.setProfile(1, memory);
        view->syncLed();
        QCOMPARE(commandCodes(), (QStringList{"88", "B0"}));
        QCOMPARE(stored(*view, QStringLiteral("color/ledType")), (QVariantList{3, 4, 1, 0, 2, 9, 10}));
        const QVariantList colors = stored(*view, QStringLiteral("color/color"));
        QCOMPARE(colors.size(), 21);
        QCOMPARE(colors[0], QVariant(252));
        QCOMPARE(colors[20], QVariant(4));

        // Without the keyboard nothing stored is lost.
        keyboard.unplug();
        view->syncLed();
        QCOMPARE(stored(*view, QStringLiteral("color/ledType")), (QVariantList{3, 4, 1, 0, 2, 9, 10}));
        QCOMPARE(stored(*view, QStringLiteral("color/color")), colors);
    }

    void savedMacrosReachTheirSlot()
    {
        const QString name = view->createMacroIni().toString();
        view->setMacroIniConfig(name, {3, 2});
        QCOMPARE(view->loadMacroIniConfig(name), (QVariantList{3, 2}));
        QVERIFY(view->saveMacroIni(name, {"A" + kDown, "1000" + kDelay, "A" + kUp}).toBool());
        fixture->hid.finishWrites();
        std::vector<uint8_t> expected{0x00, 0x01, 0x01, 0x04, 0x7F, 0x00, 0x00, 0x64, 0x81, 0x04, 0x00, 0x00};
        expected.resize(128, 0);
        QCOMPARE(keyboard.macro(3), expected);

        // Slots from 17 on, and unassigned macros, are only stored.
        for (int index : {17, -1}) {
            keyboard.clearReports();
            view->setMacroIniConfig(name, {index, 1});
            QVERIFY(view->saveMacroIni(name, {"B" + kDown}).toBool());
            fixture->hid.finishWrites();
            QVERIFY(commandCodes().isEmpty());
            QCOMPARE(view->loadMacroIni(name), QStringList{"B" + kDown});
        }
        QVERIFY(!view->saveMacroIni(QStringLiteral("missing"), {}).toBool());
        QVERIFY(!view->saveMacroIni(QStringLiteral("../setting/apConfig"), {}).toBool());
    }

    void anOverlongMacroWarnsAndSendsNothing()
    {
        QVERIFY(fixture->runtime.write(QStringLiteral("modules/i18n/lang_075000.ini"),
                                       "[font]\ncs=7418700\n[msg]\n0=Macro too long\n1=Remove some steps.\n"));
        view->getGlobalStrings(QStringLiteral("075000"));
        const QString name = view->createMacroIni().toString();
        QStringList steps;
        for (int i = 0; i < 63; ++i) // 4 + 2 * 63 = 130 bytes
            steps.append("B" + kDown);
        QVERIFY(view->saveMacroIni(name, steps).toBool());
        view->setMacroIniConfig(name, {0, 1});
        QString title, text;
        {
            DialogAnswers answers({DialogAnswers::readMessage(title, text)});
            view->ui_10H_SetMacroKey(0, name);
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QCOMPARE(title, QStringLiteral("Macro too long"));
        QCOMPARE(text, QStringLiteral("Remove some steps."));
        fixture->hid.finishWrites();
        QVERIFY(commandCodes().isEmpty());
        QCOMPARE(keyboard.macro(0), std::vector<uint8_t>(128, 0));

        steps.removeLast(); // 128 bytes fit exactly
        QVERIFY(view->saveMacroIni(name, steps).toBool());
        fixture->hid.finishWrites();
        QCOMPARE(int(keyboard.macro(0)[126]), 0x00);
        QCOMPARE(int(keyboard.macro(0)[125]), 0x05);
    }
};

QTEST_MAIN(KeyboardTablesTest)
#include "tst_keyboardtables.moc"
