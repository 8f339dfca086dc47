// From the keyboard's lighting notification to the value kept in the current profile:
// the listener's read, the hand-over to the GUI thread and the store. Run it under a
// display (e.g. xvfb-run).

#include "myqquickview.h"
#include "virtualkeyboard.h"
#include "widget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir runtime;
    QDir(runtime.path()).mkpath(QStringLiteral("modules/setting"));
    QFile hwDef(runtime.filePath(QStringLiteral("modules/setting/HWDef.bin")));
    if (!hwDef.open(QIODevice::WriteOnly) || hwDef.write("[common]\nmaxProfile=3\n") < 0)
        return 1;
    hwDef.close();
    QDir::setCurrent(runtime.path());

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    Widget window;
    window.checkDevice();
    QElapsedTimer wait;
    wait.start();
    while (keyboard.openHandleCount() == 0 && wait.elapsed() < 5000)
        QCoreApplication::processEvents();

    QSettings *profile = window.view()->stores().profile(0);
    std::vector<double> latencies;
    for (int i = 0; i < 50; ++i) {
        const uint8_t type = uint8_t(i % 8 + 1);
        QElapsedTimer timer;
        timer.start();
        keyboard.changeLightingOnKeyboard({type, 2, 3, 4, 5, 6, 7});
        while (profile->value(QStringLiteral("color/ledType")).toList().value(0).toInt() != type
               && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        latencies.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("notification to stored: median %.3f ms, worst %.3f ms over %zu (target 20 ms)\n",
                latencies[latencies.size() / 2], latencies.back(), latencies.size());
    return 0;
}
