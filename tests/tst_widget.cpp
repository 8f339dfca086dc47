// The main window as the user meets it: the real Widget with its scene, under Xvfb,
// against the virtual keyboard, in a private copy of the run-time folder.

#include "devicemonitor.h"
#include "inputhooks.h"
#include "linkfixture.h"
#include "myqquickview.h"
#include "runtimefolder.h"
#include "startup.h"
#include "ui_controler.h"
#include "virtualkeyboard.h"
#include "widget.h"

#include <QAction>
#include <QMenu>
#include <QElapsedTimer>
#include <QProcess>
#include <QQuickItem>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

// Runs a function at the moment a property of a scene object changes.
class ChangeWatch : public QObject
{
    Q_OBJECT

public:
    ChangeWatch(QObject *object, const char *property, std::function<void()> react)
        : react(std::move(react))
    {
        const QMetaObject *meta = object->metaObject();
        const QMetaMethod notify = meta->property(meta->indexOfProperty(property)).notifySignal();
        connect(object, notify, this, metaObject()->method(metaObject()->indexOfSlot("changed()")));
    }

public slots:
    void changed() { react(); }

private:
    std::function<void()> react;
};

class WidgetTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    std::unique_ptr<RuntimeFolder> runtime;

    static QQuickItem *scene(Widget &w) { return w.view()->rootObject(); }
    static QQuickItem *part(Widget &w, const char *name)
    {
        return scene(w)->findChild<QQuickItem *>(QLatin1String(name));
    }
    static bool busyShown(Widget &w) { return part(w, "protectUIItem")->isVisible(); }

private slots:
    void init()
    {
        keyboard.reset();
        runtime = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime->isValid());
    }

    void cleanup() { runtime.reset(); }

    void windowIsFramelessTranslucentAndSceneSized()
    {
        Widget w;
        QCOMPARE(int(w.windowFlags()), 0x2000801);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w.size(), QSize(1000, 600));
        QCOMPARE(w.objectName(), QStringLiteral("Widget"));
        QCOMPARE(w.view()->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(w.view()->parentWidget(), &w);

        QWidget named;
        named.setObjectName(QStringLiteral("Main"));
        Ui_Controler controller;
        controller.setupWindow(&named, &w.link());
        QCOMPARE(named.objectName(), QStringLiteral("Main"));
    }

    void startUpInitialisesTheSceneBeforeRunningIt()
    {
        Widget w;
        QStringList seen;
        ChangeWatch initialised(part(w, "main_T5"), "initialised", [&] {
            seen << QStringLiteral("initUI enabled=%1").arg(w.view()->isEnabled());
        });
        ChangeWatch shown(scene(w), "visible", [&] { seen << QStringLiteral("run"); });

        w.checkDevice();
        w.showAndStartScene();
        QVERIFY(!w.view()->isEnabled()); // the protection is on before anything else runs
        QTRY_COMPARE(seen, (QStringList{"initUI enabled=0", "run"}));
        QTRY_VERIFY(w.view()->isEnabled());
        QVERIFY(!busyShown(w));
        QVERIFY(w.isVisible());
    }

    void startsWithoutKeyboard()
    {
        keyboard.unplug();
        Widget w;
        w.checkDevice();
        QVERIFY(w.link().devices().at(0).path.isEmpty());
        w.showAndStartScene();
        QTRY_VERIFY(scene(w)->isVisible());
        QTRY_VERIFY(w.view()->isEnabled());
        QVERIFY(w.isVisible());
    }

    void burstOfNotificationsGivesOnePass()
    {
        Widget w;
        QSignalSpy passes(&w, &Widget::devicesChecked);
        DeviceMonitor *monitor = w.findChild<DeviceMonitor *>();
        QVERIFY(monitor);
        QElapsedTimer sinceLast;
        for (int i = 0; i < 3; ++i) {
            QTest::qWait(300);
            emit monitor->deviceChanged();
            sinceLast.start();
        }
        QVERIFY(passes.wait(Widget::kDeviceCheckDelayMs + 3000));
        QVERIFY(sinceLast.elapsed() >= Widget::kDeviceCheckDelayMs * 95 / 100);
        QTest::qWait(1000);
        QCOMPARE(passes.count(), 1);
    }

    void dragMovesByDisplacement()
    {
        Widget w;
        w.show();
        w.move(100, 100);
        QTRY_COMPARE(w.pos(), QPoint(100, 100));
        w.controller()->onXChanged(5);
        w.controller()->onYChanged(-3);
        QTRY_COMPARE(w.pos(), QPoint(105, 97));
        w.controller()->onXChanged(0);
        QCOMPARE(w.pos(), QPoint(105, 97));
    }

    void controllerWithoutWindowDoesNothing()
    {
        Ui_Controler controller;
        controller.onMinimize();
        controller.onClose();
        controller.onXChanged(5);
        controller.setBusy();
        QVERIFY(!controller.view());
    }

    void minimiseHidesAndTrayDoubleClickRestores()
    {
        Widget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.controller()->onMinimize();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.isMinimized());

        for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick}) {
            w.trayIconActivated(reason);
            QVERIFY(!w.isVisible());
        }
        w.trayIconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
        w.trayIconActivated(QSystemTrayIcon::DoubleClick); // already visible: stays so
        QVERIFY(w.isVisible());
    }

    void trayMenuIsAsDesigned()
    {
        Widget w;
        QCOMPARE(w.tray()->toolTip(), QStringLiteral("Valdrin QN9 Mechanical Keyboard"));
        QVERIFY(w.tray()->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());
        const QList<QAction *> actions = w.tray()->contextMenu()->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->text(), QStringLiteral("Quit (&Q)"));
        QVERIFY(w.tray()->contextMenu()->styleSheet().startsWith(
            QStringLiteral("QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); }")));
        QVERIFY(!w.tray()->icon().pixmap(32).isNull()); // ./modules/img/skin1/logo.ico
    }

    void startUpFollowsTheKeyboardsActiveProfile()
    {
        keyboard.setActiveProfile(3);
        Widget w;
        const auto hooks = startUtility(w);
        // The first discovery pass ends by asking the firmware, then the active profile.
        QCOMPARE(commandCodes(), (QStringList{"80", "A1"}));
        QCOMPARE(int(w.view()->currentProfileIndex()), 3);
        QCOMPARE(w.view()->ui_A1H_GetCurrentProfile(), QVariant(3));
        QVERIFY(!w.view()->keyCodes().isEmpty()); // built from the shipped key names
        hooks->removeHooks();
    }

    void keyboardLightingIsKeptInTheCurrentProfile()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/setting/HWDef.bin"), "[common]\nmaxProfile=3\n"));
        Widget w;
        QCOMPARE(w.view()->stores().profileCount(), 3);
        w.checkDevice(); // starts the listener
        QTRY_COMPARE(keyboard.openHandleCount(), 1);

        QCOMPARE(keyboard.changeLightingOnKeyboard({1, 2, 3, 4, 5, 6, 7}), 1);
        QSettings *profile = w.view()->stores().profile(w.view()->currentProfileIndex());
        QTRY_COMPARE(profile->value(QStringLiteral("color/ledType")).toList(),
                     (QVariantList{1, 2, 3, 4, 5, 6, 7}));
        profile->sync();
        QFile file(runtime->filePath(QStringLiteral("modules/setting/p1.bin")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("ledType=1, 2, 3, 4, 5, 6, 7"), "p1.bin");
    }

    void quitPlaysTheClosingSceneThenCloses()
    {
        Widget w;
        w.checkDevice();
        w.showAndStartScene();
        QTRY_VERIFY(w.view()->isEnabled());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QStringList seen;
        ChangeWatch closing(scene(w), "height", [&] {
            if (seen.isEmpty())
                seen << QStringLiteral("closing visible=%1").arg(w.isVisible());
        });

        w.tray()->contextMenu()->actions().at(0)->trigger();
        QVERIFY(w.isVisible()); // the scene's close runs from the event loop
        // Closing the last window ends the event loop, as it ends the process.
        QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
        QCOMPARE(qApp->exec(), 0);
        QCOMPARE(lastClosed.count(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(seen, QStringList{"closing visible=1"});
        QCOMPARE(scene(w)->height(), 0.0);
    }
};

QTEST_MAIN(WidgetTest)
#include "tst_widget.moc"
