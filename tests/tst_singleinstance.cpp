// One utility per user: a second start brings the first to the front and leaves.

#include "singleinstance.h"

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
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
