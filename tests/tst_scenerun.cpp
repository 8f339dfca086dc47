// The scene in the real utility, under Xvfb, against the virtual keyboard: the opening
// sequence, the settings panel and the skins as the user sees them, and the close
// button ending the program. With VALDRIN_SCREENSHOT_DIR set, the pictures of the
// window are also saved there (scripts/screenshots keeps them under docs/).

#include "inputhooks.h"
#include "myqquickview.h"
#include "runtimefolder.h"
#include "startup.h"
#include "virtualkeyboard.h"
#include "widget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Everything Qt Quick says about the scene: a warning from a scene file carries its url.
QStringList sceneMessages;
QtMessageHandler previousHandler = nullptr;

void keepSceneMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool fromScene = message.contains(QLatin1String("qrc:/modules/qml"))
        || message.contains(QLatin1String("file:modules/"))
        || (context.category && QByteArray(context.category).startsWith("qml"))
        || (context.category && QByteArray(context.category).startsWith("js"));
    if (fromScene && type != QtDebugMsg)
        sceneMessages << message;
    previousHandler(type, context, message);
}

} // namespace

class SceneRunTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<RuntimeFolder> runtime;

    static QQuickItem *part(Widget &w, const char *name)
    {
        return w.view()->rootObject()->findChild<QQuickItem *>(QLatin1String(name));
    }

    static QObject *animation(Widget &w, const char *name)
    {
        return w.view()->rootObject()->findChild<QObject *>(QLatin1String(name));
    }

    // The window as drawn, kept under `name` when pictures are asked for.
    static QImage picture(Widget &w, const QString &name)
    {
        const QImage image = w.grab().toImage();
        const QString folder = qEnvironmentVariable("VALDRIN_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
        return image;
    }

    // The opening sequence run to its end.
    static bool opened(Widget &w)
    {
        return part(w, "pageArea")->isVisible() && !animation(w, "pa_X")->property("running").toBool()
            && part(w, "upItem")->y() == 0 && part(w, "downItem")->y() == 600 - part(w, "downItem")->height();
    }

private slots:
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler(keepSceneMessages);
    }

    void init()
    {
        vkb::VirtualKeyboard::instance().reset();
        runtime = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime->isValid());
        sceneMessages.clear();
    }

    void cleanup()
    {
        runtime.reset();
        QVERIFY2(sceneMessages.isEmpty(), qPrintable(sceneMessages.join(QLatin1Char('\n'))));
    }

    void openingShowsTheFrameWithoutAPage()
    {
        Widget w;
        const auto hooks = startUtility(w);
        QTRY_VERIFY_WITH_TIMEOUT(opened(w), 15000);
        QVERIFY(w.view()->isEnabled());
        QCOMPARE(part(w, "pageArea")->property("curID").toInt(), -1);
        QCOMPARE(part(w, "fnItem")->property("currentIndex").toInt(), -1);
        QVERIFY(part(w, "fnItem")->isVisible());
        QVERIFY(part(w, "pfItem")->isVisible());
        QCOMPARE(part(w, "logoWeb_img")->y(), 4.0);
        QCOMPARE(part(w, "logoWeb_img")->opacity(), 1.0);
        // The profile menu shows the keyboard's profiles, the current one chosen.
        QCOMPARE(part(w, "profileList")->property("count").toInt(), 5);
        QCOMPARE(part(w, "pfItem")->property("currentIndex").toInt(), int(w.view()->currentProfileIndex()));

        const QImage frame = picture(w, QStringLiteral("frame"));
        QCOMPARE(frame.size(), QSize(1000, 600));
        QCOMPARE(qAlpha(frame.pixel(500, 300)), 255); // the backdrop is drawn
        QCOMPARE(qAlpha(frame.pixel(0, 0)), 0); // outside its rounded corner

        // The settings panel slides in over the dimmed device area.
        QQuickItem *panel = part(w, "globalSettingPanel");
        part(w, "upItem")->setProperty("isGlobalSettingSelect", true);
        QTRY_COMPARE(panel->property("contentX").toDouble(), 0.0);
        QVERIFY(panel->isVisible());
        QCOMPARE(part(w, "pageArea")->opacity(), 0.2);
        picture(w, QStringLiteral("settings"));
        part(w, "upItem")->setProperty("isGlobalSettingSelect", false);
        QTRY_VERIFY(!panel->isVisible());

        // The second skin, with the key page open.
        QQuickItem *settings = part(w, "pageGlobalsetting");
        settings->setProperty("skin_No", 2);
        QMetaObject::invokeMethod(w.view()->rootObject(), "setSkin");
        QMetaObject::invokeMethod(part(w, "pageArea"), "show", Q_ARG(QVariant, 0));
        QTRY_COMPARE(part(w, "pageArea")->property("contentX").toDouble(), 0.0);
        QTRY_VERIFY(!animation(w, "pa_X")->property("running").toBool());
        const QImage skin2 = picture(w, QStringLiteral("skin2"));
        QVERIFY(skin2.pixel(500, 300) != frame.pixel(500, 300));
        hooks->removeHooks();
    }

    // The program itself: a click of the top bar's close button (a real pointer event)
    // plays the closing animation, then the program ends.
    void closeButtonEndsTheProgram()
    {
        QTemporaryDir installed;
        const QString executable = installed.filePath(QStringLiteral("valdrin-qn9"));
        QVERIFY(QFile::copy(QStringLiteral(VALDRIN_EXECUTABLE), executable));
        QVERIFY(QDir().rename(runtime->filePath(QStringLiteral("modules")),
                              installed.filePath(QStringLiteral("modules"))));

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VALDRIN_VIRTUAL_HIDAPI));
        env.insert(QStringLiteral("TMPDIR"), installed.path()); // its own single-instance lock
        program.setProcessEnvironment(env);
        program.start(executable);
        QVERIFY(program.waitForStarted());

        // The window, once mapped; then the end of the opening sequence (about 5 s).
        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = xdotool({"search", "--onlyvisible", "--pid",
                                                     QString::number(program.processId())})).isEmpty(), 15000);
        window = window.split(QLatin1Char('\n')).first();
        QTest::qWait(7000);
        QCOMPARE(program.state(), QProcess::Running);

        QElapsedTimer sinceClick;
        xdotool({"mousemove", "--window", window, "974", "17", "click", "1"});
        sinceClick.start();
        QVERIFY(program.waitForFinished(10000));
        const qint64 closingTook = sinceClick.elapsed();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // The closing animation (800 ms by default) runs before the window goes.
        QVERIFY2(closingTook >= 600, qPrintable(QString::number(closingTook)));

        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(!errors.contains(QLatin1String("qrc:/modules/qml")) && !errors.contains(QLatin1String("qml:"))
                     && !errors.contains(QLatin1String("file:modules/")),
                 qPrintable(errors));
    }

private:
    static QString xdotool(const QStringList &arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(5000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }
};

QTEST_MAIN(SceneRunTest)
#include "tst_scenerun.moc"
