// Time from process start to the scene's run call, and resident memory after start-up.
// The benchmark starts itself as a child that goes through the utility's start-up
// against the virtual keyboard and reports when the scene runs. Run it under a display
// (e.g. xvfb-run).

#include "inputhooks.h"
#include "myqquickview.h"
#include "startup.h"
#include "widget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQuickItem>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 7;

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int child(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(VALDRIN_BIN_DIR));
    Widget window;
    QQuickItem *scene = window.view()->rootObject();
        QObject::connect(scene, &QQuickItem::visibleChanged, [&] {
        std::printf("run\n");
        std::fflush(stdout);
        // Memory once the opening animation has settled.
        QTimer::singleShot(1500, [] {
            std::printf("rss %ld\n", residentKiB());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });
    const auto hooks = startUtility(window);
    return app.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    std::vector<double> toRun;
    long rss = 0;
    for (int i = 0; i < kRuns; ++i) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        while (process.waitForReadyRead(10000)) {
            while (process.canReadLine()) {
                const QByteArray line = process.readLine().trimmed();
                if (line == "run")
                    toRun.push_back(double(timer.nsecsElapsed()) / 1e6);
                else if (line.startsWith("rss "))
                    rss = std::max(rss, line.mid(4).toLong());
            }
        }
        process.waitForFinished();
    }
    if (toRun.size() < 2) {
        std::printf("the child did not start its scene\n");
        return 1;
    }
    std::sort(toRun.begin() + 1, toRun.end()); // the first run is cold
    std::printf("start to run: cold %.1f ms, warm median %.1f ms, warm best %.1f ms (target 250 ms)\n",
                toRun.front(), toRun[1 + (toRun.size() - 1) / 2], toRun[1]);
    std::printf("resident memory after start-up: %.1f MB (target 150 MB)\n", rss / 1024.0);
    return 0;
}
