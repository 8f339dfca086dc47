// One utility per user: a second start brings the first to the front and leaves.

#include "singleinstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QUuid>
#include <QtTest>

class SingleInstanceTest : public QObject
{
    Q_OBJECT

    static QString uniqueName()
    {
        return QStringLiteral("valdrin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    }

private slots:
    void secondCopyRaisesTheFirst()
    {
        const QString name = uniqueName();
        SingleInstance first(name);
        QVERIFY(first.claim());
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);

        SingleInstance second(name);
        QVERIFY(!second.claim());
        QVERIFY(raised.wait(2000));
        QCOMPARE(raised.count(), 1);
    }

    void firstCopyEndedFreesTheName()
    {
        const QString name = uniqueName();
        {
            SingleInstance first(name);
            QVERIFY(first.claim());
        }
        SingleInstance next(name);
        QVERIFY(next.claim());
    }

    void secondStartOfTheProgramLeaves()
    {
        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VALDRIN_VIRTUAL_HIDAPI));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(VALDRIN_EXECUTABLE), {});
        QVERIFY(first.waitForStarted());
        QTest::qWait(1500); // its window is up and it listens

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(VALDRIN_EXECUTABLE), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        if (!first.waitForFinished(5000))
            first.kill();
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
