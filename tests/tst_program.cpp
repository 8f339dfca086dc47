// The program as started by the user: a copy of the executable with its run-time
// folder, run under Xvfb against the virtual keyboard.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "runtimefolder.h"

class ProgramTest : public QObject
{
    Q_OBJECT

    QTemporaryDir installed;
    QTemporaryDir temp; // the single-instance lock of these runs, apart from any other copy
    QString executable;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VALDRIN_VIRTUAL_HIDAPI));
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        return env;
    }

    static QString windowNames()
    {
        QProcess list;
        list.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        list.waitForFinished(5000);
        return QString::fromLocal8Bit(list.readAllStandardOutput());
    }

    void stop(QProcess &program)
    {
        program.terminate();
        if (!program.waitForFinished(5000))
            program.kill();
    }

private slots:
    void initTestCase()
    {
        // The executable beside a private run-time folder, as installed.
        RuntimeFolder runtime;
        QVERIFY(runtime.isValid());
        executable = installed.filePath(QStringLiteral("valdrin-qn9"));
        QVERIFY(QFile::copy(QStringLiteral(VALDRIN_EXECUTABLE), executable));
        QVERIFY(QDir().rename(runtime.filePath(QStringLiteral("modules")),
                              installed.filePath(QStringLiteral("modules"))));
    }

    void findsItsFilesFromAnyWorkingDirectory()
    {
        const QString title = QStringLiteral("Probe ") + QUuid::createUuid().toString(QUuid::Id128);
        QFile config(installed.filePath(QStringLiteral("modules/setting/apConfig.bin")));
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write("[common]\nname=" + title.toUtf8() + "\n");
        config.close();

        QProcess program;
        program.setProcessEnvironment(environment());
        program.setWorkingDirectory(QDir::rootPath());
        program.start(executable, {});
        QVERIFY(program.waitForStarted());
        // The title comes from ./modules/setting/apConfig.bin beside the executable.
        QTRY_VERIFY_WITH_TIMEOUT(windowNames().contains(title), 15000);
        stop(program);
    }

    void virtualKeyboardIsUnpluggedAndPluggedWhileRunning()
    {
        QTemporaryDir control;
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("VALDRIN_VKB_DIR"), control.path());
        env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        auto vkbctl = [&](const QString &command) {
            QProcess ctl;
            ctl.setProcessEnvironment(env);
            ctl.start(QStringLiteral(VALDRIN_VKBCTL), command.split(QLatin1Char(' ')));
            ctl.waitForFinished(5000);
            return QString::fromLocal8Bit(ctl.readAllStandardOutput()).trimmed();
        };

        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(executable, {});
        QVERIFY(program.waitForStarted());
        // The listener holds the notification interface open.
        QTRY_VERIFY_WITH_TIMEOUT(vkbctl(QStringLiteral("status")).contains(QStringLiteral("handles=1")), 10000);

        QVERIFY(vkbctl(QStringLiteral("unplug")).startsWith(QStringLiteral("ok")));
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("Device removed"), 5000);
        QVERIFY(vkbctl(QStringLiteral("status")).contains(QStringLiteral("handles=0")));

        // Plugging in is a device change: one discovery pass 2048 ms later listens again.
        QVERIFY(vkbctl(QStringLiteral("plug")).startsWith(QStringLiteral("ok")));
        QTRY_VERIFY_WITH_TIMEOUT(vkbctl(QStringLiteral("status")).contains(QStringLiteral("handles=1")), 10000);
        stop(program);
    }

    void secondStartLeavesTheFirstRunning()
    {
        QProcess first;
        first.setProcessEnvironment(environment());
        first.start(executable, {});
        QVERIFY(first.waitForStarted());
        QTest::qWait(1500); // its window is up and it listens

        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(executable, {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        stop(first);
    }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
