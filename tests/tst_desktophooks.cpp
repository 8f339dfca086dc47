// System-wide keys and clicks reaching the scene: the real Widget started as the utility
// starts, the X11 source reading the display, and xdotool typing and clicking on it.

#include "evdevinputsource.h"
#include "inputhooks.h"
#include "myqquickview.h"
#include "runtimefolder.h"
#include "scenedelivery.h"
#include "startup.h"
#include "virtualkeyboard.h"
#include "widget.h"

#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {
struct Click
{
    quint32 buttonCode;
    bool isDown;
    qint32 x;
    qint32 y;
    bool operator==(const Click &) const = default;
};

// What the hooks hand the shell's mouse callback, which then runs as set by start-up.
struct ClickWatch
{
    Widget *window;
    QList<Click> clicks;
};

void watchClick(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *context)
{
    auto *watch = static_cast<ClickWatch *>(context);
    watch->clicks.append({buttonCode, isDown, x, y});
    deliverButtonToScene(buttonCode, isDown, x, y, watch->window);
}

bool xdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

using KeyReport = QPair<bool, int>;
QList<KeyReport> keyReports(const QSignalSpy &spy)
{
    QList<KeyReport> reports;
    for (const QList<QVariant> &arguments : spy)
        reports.append({arguments.at(0).toBool(), arguments.at(1).toInt()});
    return reports;
}

// Found by argument-dependent lookup, so a failed comparison shows the values.
char *toString(const Click &c)
{
    return QTest::toString(QStringLiteral("(0x%1, %2, %3, %4)").arg(c.buttonCode, 0, 16).arg(c.isDown).arg(c.x).arg(c.y));
}
} // namespace

class DesktopHooksTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<RuntimeFolder> runtime;
    std::unique_ptr<Widget> window;
    std::unique_ptr<InputHooks> hooks;

    QObject *scene() const { return window->view()->rootObject(); }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X11 display");
        // Where evdev keyboards are readable the hooks read them, and xdotool's keys are not there.
        if (EvdevInputSource::open(InputKind::Keys) || EvdevInputSource::open(InputKind::Buttons))
            QSKIP("evdev devices are readable here: the hooks do not read the display");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
                 "xdotool is missing: scripts/setup installs it");
    }

    void init()
    {
        vkb::VirtualKeyboard::instance().reset();
        runtime = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime->isValid());
        window = std::make_unique<Widget>();
        hooks = startUtility(*window);
        QVERIFY(hooks->keyboardHookHeld());
        QVERIFY(hooks->mouseHookHeld());
    }

    void cleanup()
    {
        hooks.reset();
        window.reset();
        runtime.reset();
    }

    void keysReachTheScene_data()
    {
        QTest::addColumn<QString>("keyName");
        QTest::addColumn<int>("usage");
        QTest::newRow("a") << "a" << 0x04;
        QTest::newRow("keypad Enter") << "KP_Enter" << 0x58;
        QTest::newRow("Enter") << "Return" << 0x28;
    }

    void keysReachTheScene()
    {
        QFETCH(QString, keyName);
        QFETCH(int, usage);
        // No keyboard answers the firmware query here, so the layout type stays 0.
        QVERIFY(hooks->layoutFlag());
        QSignalSpy keys(scene(), SIGNAL(msg_KB(bool, int)));
        QVERIFY(xdotool({QStringLiteral("key"), keyName}));
        QTRY_COMPARE(keyReports(keys), (QList<KeyReport>{{true, usage}, {false, usage}}));
    }

    void clickReachesTheShellWithThePointerPosition()
    {
        ClickWatch watch{window.get(), {}};
        hooks->setMouseCallback(&watchClick, &watch);
        QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("123"), QStringLiteral("234"),
                         QStringLiteral("click"), QStringLiteral("1")}));
        QTRY_COMPARE(watch.clicks, (QList<Click>{{0xF0, true, 123, 234}, {0xF0, false, 123, 234}}));
        QVERIFY(xdotool({QStringLiteral("click"), QStringLiteral("3")}));
        QTRY_COMPARE(watch.clicks.size(), 4);
        QCOMPARE(watch.clicks.at(2), (Click{0xF1, true, 123, 234}));
    }

    void nullContextDeliversNothing()
    {
        QSignalSpy keys(scene(), SIGNAL(msg_KB(bool, int)));
        deliverKeyToScene(0x04, true, nullptr);
        deliverButtonToScene(0xF0, true, 1, 2, nullptr);
        deliverKeyToScene(0x05, true, window.get());
        QTRY_COMPARE(keyReports(keys), (QList<KeyReport>{{true, 0x05}}));
        deliverKeyToScene(0x05, false, window.get());
        QTRY_COMPARE(keys.size(), 2);
    }

    void removedHooksDeliverNothing()
    {
        QSignalSpy keys(scene(), SIGNAL(msg_KB(bool, int)));
        hooks->removeHooks();
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("b")}));
        // A second set of hooks proves the key went by before anything is checked.
        InputHooks later(true);
        QVERIFY(later.keyboardHookHeld());
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("c")}));
        QTRY_COMPARE(keyReports(keys), (QList<KeyReport>{{true, 0x06}, {false, 0x06}}));
    }
};

QTEST_MAIN(DesktopHooksTest)
#include "tst_desktophooks.moc"
