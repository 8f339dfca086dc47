// The view's slots as the scene calls them: the keyboard's simple settings against the
// virtual keyboard, the synchronisation after discovery, the configuration and profile
// files with the real file dialogs, the skins and the languages. Each case runs in a
// private copy of the run-time folder with its own definition files.

#include "hex.h"
#include "hid_thread.h"
#include "linkfixture.h"
#include "myqquickview.h"
#include "viewfixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

using vkb::ReportKind;

namespace {
QString firstBytesOfLastCommand(int count)
{
    const auto sent = reportsOf(ReportKind::FeatureSet);
    return sent.empty() ? QString() : hex(sent.back().bytes.data(), count);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

class ViewSlotsTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    std::unique_ptr<ViewFixture> fixture;
    RuntimeFolder *runtime = nullptr;
    Hid_Thread *hid = nullptr;

    std::unique_ptr<myQQuickView> makeView(const QByteArray &hwDef) { return fixture->makeView(hwDef); }

private slots:
    void init()
    {
        fixture = std::make_unique<ViewFixture>();
        QVERIFY(fixture->isValid());
        runtime = &fixture->runtime;
        hid = &fixture->hid;
    }

    void cleanup() { fixture.reset(); }

    void simpleSettingsReachTheKeyboard()
    {
        auto view = makeView("[common]\nmaxProfile=4\n");
        keyboard.setFirmwareVersion(0x0A03);
        QCOMPARE(view->ui_80H_GetFWVersion(), QStringLiteral("0A.03"));
        keyboard.setFirmwareVersion(0);
        QCOMPARE(view->ui_80H_GetFWVersion(), QStringLiteral("unknown"));

        view->ui_21H_SetCurrentProfile(258);
        hid->finishWrites();
        QCOMPARE(int(view->currentProfileIndex()), 2);
        QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(2));
        QCOMPARE(firstBytesOfLastCommand(9), QStringLiteral("00 21 02 00 00 00 55 AA 00"));
        QCOMPARE(int(keyboard.activeProfile()), 2);

        // The game mode is option byte 1; bytes 2 and 3 go back as the keyboard had them.
        hid->hid_02H_SetKeyboardoption(0, 7, 9);
        view->ui_02H_SetKeyboardMode(1);
        hid->finishWrites();
        QCOMPARE(keyboard.options(), (std::array<uint8_t, 3>{1, 7, 9}));
        QCOMPARE(view->ui_82H_GetKeyboardMode(), QVariant(1));

        view->ui_04H_SetButtonSensitivity(5);
        hid->finishWrites();
        QCOMPARE(int(keyboard.sensitivity()), 5);
        QCOMPARE(view->ui_84H_GetButtonSensitivity(), QVariant(5));
        view->ui_13H_SetRecoveryData();
        hid->finishWrites();
        QVERIFY(keyboard.recoveryRequested());
        QCOMPARE(view->ui_81H_GetReportRate(), QVariant(0));
    }

    void readsOfAnAbsentKeyboardGiveZero()
    {
        auto view = makeView("[common]\nmaxProfile=4\n");
        view->ui_21H_SetCurrentProfile(3);
        keyboard.unplug();
        hid->setDeviceList({virtualKeyboardEntry()}); // as discovery left it before the removal
        QCOMPARE(view->ui_80H_GetFWVersion(), QStringLiteral("unknown"));
        QCOMPARE(view->ui_82H_GetKeyboardMode(), QVariant(0));
        QCOMPARE(view->ui_84H_GetButtonSensitivity(), QVariant(0));
        view->ui_02H_SetKeyboardMode(1); // sends nothing and changes nothing
        view->ui_21H_SetCurrentProfile(1);
        QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(1)); // the view's state changes all the same
    }

    void reportRateIsKeptOnlyForDeviceOne()
    {
        auto view = makeView("[common]\nmaxProfile=2\n");
        view->ui_21H_SetCurrentProfile(1);
        hid->finishWrites();
        keyboard.clearReports();
        view->ui_01H_SetReportRate(3);
        QVERIFY(!readAll(runtime->filePath(QStringLiteral("modules/setting/p2.bin"))).contains("reportRate"));
        hid->swichCurDevice(1);
        view->ui_01H_SetReportRate(3);
        QVERIFY(readAll(runtime->filePath(QStringLiteral("modules/setting/p2.bin"))).contains("reportRate_T6=3"));
        hid->finishWrites();
        QVERIFY(commandCodes().isEmpty()); // the rate is stored, never sent
    }

    void syncReadsTheKeyboardAndBuildsTheKeyCodeMap()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/setting/KeyCodeDef.bin"),
                               "[common]\nusbStr=N1, N2, N3\nusbCode=4, 5\n"));
        QVERIFY(runtime->write(QStringLiteral("modules/setting/p4.bin"), "[keydefine1]\n3=4, 0\n[keydefine0]\n3=5, 0\n"));
        auto view = makeView("[common]\nkbLayoutType=1\nmaxProfile=4\n");
        view->ui_21H_SetCurrentProfile(3);
        QCOMPARE(view->ui_80H_GetHWMode(), QVariant(1));
        QCOMPARE(view->getKeydefine(3), (QVariantList{"4", "0"}));
        QVERIFY(view->keyCodes().isEmpty());
        hid->finishWrites(); // the 21H above reaches the keyboard before it changes profile
        keyboard.setActiveProfile(1);
        keyboard.clearReports();

        view->syncFW();
        QCOMPARE(commandCodes(), (QStringList{"80", "A1"}));
        QCOMPARE(view->ui_80H_GetHWMode(), QVariant(0));
        QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(1));
        QCOMPARE(view->keyCodes(), (QMap<QString, quint8>{{"N1", 4}, {"N2", 5}}));

        // An answer that names no slot keeps the index; an absent keyboard answers 0.
        view->ui_21H_SetCurrentProfile(3);
        QCOMPARE(view->getKeydefine(3), (QVariantList{"5", "0"}));
        hid->finishWrites();
        keyboard.setActiveProfile(4);
        view->syncFW();
        QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(3));
        keyboard.unplug();
        view->syncFW();
        QCOMPARE(view->ui_A1H_GetCurrentProfile(), QVariant(0));
        QCOMPARE(view->keyCodes().size(), 2);
    }

    void sizingAndSkins()
    {
        auto view = makeView("[common]\nmaxProfile=25\nmaxMacro=300\n");
        QCOMPARE(int(view->getMaxProfile()), 10);
        QCOMPARE(view->stores().profileCount(), 10);
        QCOMPARE(int(view->sizing().maxMacro), 255);

        const QString img = runtime->filePath(QStringLiteral("modules/img"));
        QVERIFY(QDir(img).removeRecursively());
        QVERIFY(!view->getIsSkinShow()); // no folder at all
        QVERIFY(QDir().mkpath(img + QStringLiteral("/skin1")));
        QVERIFY(runtime->write(QStringLiteral("modules/img/logo.png"), "x"));
        QVERIFY(runtime->write(QStringLiteral("modules/img/skin9"), "a plain file"));
        QVERIFY(!view->getIsSkinShow());
        QVERIFY(QDir().mkpath(img + QStringLiteral("/skin2")));
        QVERIFY(view->getIsSkinShow());
    }

    void configurationListThroughTheView()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/setting/apConfig.bin"), "[common]\nname=Kept\n"));
        QVERIFY(runtime->write(QStringLiteral("modules/setting/apConfigD.bin"), "[common]\ntotal=2\n0=1\n1=2\n"));
        auto view = makeView("[common]\nmaxProfile=1\n");
        QVERIFY(view->loadApConfig().isEmpty());
        QVariantList entries;
        for (int i = 0; i < 32; ++i)
            entries.append(i == 0 ? 1 : i * 3);
        view->saveApConfig(entries);
        QCOMPARE(view->loadApConfig(), entries);
        // On disk at once, next to the keys the program never writes.
        const QByteArray onDisk = readAll(runtime->filePath(QStringLiteral("modules/setting/apConfig.bin")));
        QVERIFY(onDisk.contains("total=32") && onDisk.contains("31=93") && onDisk.contains("name=Kept"));

        view->resetApconfig();
        QCOMPARE(view->loadApConfig(), (QVariantList{"1", "2"}));
    }

    void profilesImportExportAndReset()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/setting/pD.bin"), "[color]\nledType=1, 2, 3, 4, 5, 6, 7\n"));
        for (int slot = 1; slot <= 3; ++slot)
            QVERIFY(runtime->write(QStringLiteral("modules/setting/p%1.bin").arg(slot),
                                   QStringLiteral("[keydefine0]\n5=%1, 0\n").arg(slot).toUtf8()));
        QVERIFY(runtime->write(QStringLiteral("chosen.pf"), "[keydefine0]\n5=53, 64\n"));
        QVERIFY(runtime->write(QStringLiteral("export.pf"), "an older export"));
        auto view = makeView("[common]\nmaxProfile=3\n");
        view->ui_21H_SetCurrentProfile(1);

        {   // Import into slot 1, the shown one: the page reads the imported pairs.
            DialogAnswers answers({DialogAnswers::choose(runtime->filePath(QStringLiteral("chosen.pf")))});
            view->loadProfile(1);
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QCOMPARE(view->getKeydefine(5), (QVariantList{"53", "64"}));
        QCOMPARE(view->stores().profileCount(), 3);
        QCOMPARE(view->stores().profile(0)->value(QStringLiteral("keydefine0/5")).toStringList().value(0), "1");
        QCOMPARE(view->stores().profile(2)->value(QStringLiteral("keydefine0/5")).toStringList().value(0), "3");

        {   // Export slot 0 over an existing file: the dialog asks, the user agrees.
            DialogAnswers answers({DialogAnswers::choose(runtime->filePath(QStringLiteral("export.pf"))),
                                   [](QWidget *w) {
                                       auto *box = qobject_cast<QMessageBox *>(w);
                                       QVERIFY(box);
                                       box->button(QMessageBox::Yes)->click();
                                   }});
            view->saveProfile(0);
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QCOMPARE(readAll(runtime->filePath(QStringLiteral("export.pf"))),
                 readAll(runtime->filePath(QStringLiteral("modules/setting/p1.bin"))));

        {   // A cancelled dialog changes nothing.
            DialogAnswers answers({DialogAnswers::cancel()});
            view->loadProfile(0);
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QCOMPARE(view->stores().profile(0)->value(QStringLiteral("keydefine0/5")).toStringList().value(0), "1");

        view->resetProfile(1);
        QVERIFY(view->getKeydefine(5).isEmpty());
        QCOMPARE(readAll(runtime->filePath(QStringLiteral("modules/setting/p2.bin"))),
                 readAll(runtime->filePath(QStringLiteral("modules/setting/pD.bin"))));
        QCOMPARE(view->loadDefaultProfile(QStringLiteral("color/ledType")).toStringList().size(), 7);
        QVERIFY(!view->loadDefaultProfile(QStringLiteral("color/color")).isValid());
        QCOMPARE(int(view->currentProfileIndex()), 1);
    }

    void pictureChooserWarnsAboutAnUnreadableFile()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/i18n/lang_075000.ini"),
                               "[font]\ncs=7418700\n[msg]\n2=Cannot open picture\n3=\"This picture cannot be read: \"\n"));
        QVERIFY(runtime->write(QStringLiteral("picture.png"), "png"));
        const QString picture = runtime->filePath(QStringLiteral("picture.png"));
        auto view = makeView("[common]\nmaxProfile=1\n");
        view->getGlobalStrings(QStringLiteral("075000"));
        {
            DialogAnswers answers({DialogAnswers::choose(picture)});
            QCOMPARE(view->getCustomFilePath(), picture);
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QString title, text;
        {   // The file disappears between choosing and opening.
            DialogAnswers answers({[picture](QWidget *w) {
                                       DialogAnswers::choose(picture)(w);
                                       QFile::remove(picture);
                                   },
                                   DialogAnswers::readMessage(title, text)});
            QCOMPARE(view->getCustomFilePath(), QString());
            QVERIFY2(answers.allGiven(), qPrintable(answers.report()));
        }
        QCOMPARE(title, QStringLiteral("Cannot open picture"));
        QCOMPARE(text, QStringLiteral("This picture cannot be read: ") + picture);
        {
            DialogAnswers answers({DialogAnswers::cancel()});
            QCOMPARE(view->getCustomFilePath(), QString());
        }
    }

    void languageCheckTextGatesTheKeyboardLink()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/i18n/lang_075000.ini"),
                               "[font]\nfamily=Arial\ntotal=1\ncs=761891400\n[strings]\n1=AB\n[msg]\n0=M0\n"));
        QVERIFY(runtime->write(QStringLiteral("modules/i18n/lang_058044.ini"), "[font]\ntotal=1\ncs=0\n[strings]\n1=AB\n"));
        auto view = makeView("[common]\nmaxProfile=1\n");
        QCOMPARE(view->chkLanguages().value(QStringLiteral("CHINESE (Simp)")), QVariant("058044"));

        QCOMPARE(view->getGlobalStrings(QStringLiteral("058044")), (QStringList{"", "AB"}));
        QVERIFY(!languageFileValid);
        keyboard.clearReports();
        view->ui_21H_SetCurrentProfile(0);
        hid->finishWrites();
        QVERIFY(commandCodes().isEmpty()); // a wrong check text stops every exchange

        QCOMPARE(view->getGlobalStrings(QStringLiteral("075000")), (QStringList{"Arial", "AB"}));
        QVERIFY(languageFileValid);
        view->ui_21H_SetCurrentProfile(0);
        hid->finishWrites();
        QCOMPARE(commandCodes(), QStringList{"21"});
    }
};

QTEST_MAIN(ViewSlotsTest)
#include "tst_viewslots.moc"
