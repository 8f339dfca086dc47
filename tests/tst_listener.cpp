// The listener on the notification interface, against the virtual keyboard: lighting
// reports passed on, removal noticed once, and one listener at a time.

#include "hid_thread.h"
#include "linkfixture.h"
#include "virtualkeyboard.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace {
QVariantList ints(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}
// The reports the listener passed on, received on the test's thread.
class Received : public QObject
{
public:
    explicit Received(Hid_Thread *link)
    {
        connect(link, &Hid_Thread::keyboardLightingChanged, this,
                [this](const QVariantList &ledType) { lists.append(ledType); }, Qt::QueuedConnection);
    }
    int count() const { return int(lists.size()); }
    QVariantList at(int i) const { return lists.value(i); }

private:
    QList<QVariantList> lists;
};
} // namespace

class ListenerTest : public QObject
{
    Q_OBJECT

    vkb::VirtualKeyboard &keyboard = vkb::VirtualKeyboard::instance();
    std::unique_ptr<Hid_Thread> link;

    // The listener has its handle open on the notification interface.
    bool listening() const { return keyboard.openHandleCount() == 1; }

private slots:
    void init()
    {
        keyboard.reset();
        link = std::make_unique<Hid_Thread>();
        link->setDeviceList({virtualKeyboardEntry()});
    }

    void cleanup() { link.reset(); }

    void reportsArePassedOn_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QVariantList>("ledType");
        QTest::newRow("12 bytes") << QByteArray::fromHex("00880000010203040506070F")
                                  << ints({1, 2, 3, 4, 5, 6, 7});
        QTest::newRow("longer: its first 12 bytes") << QByteArray::fromHex("FFFFFFFF0A0B0C0D0E0FF0FFEEEE")
                                                    << ints({10, 11, 12, 13, 14, 15, 240});
        QTest::newRow("shorter: ignored") << QByteArray::fromHex("0088000001020304050607")
                                          << QVariantList();
    }

    void reportsArePassedOn()
    {
        QFETCH(QByteArray, report);
        QFETCH(QVariantList, ledType);
        Received reported(link.get());
        link->swichCurDevice(0);
        QTRY_VERIFY(listening());

        QCOMPARE(keyboard.sendNotification(vkb::Bytes(report.begin(), report.end())), 1);
        if (ledType.isEmpty()) {
            QTest::qWait(700);
            QCOMPARE(reported.count(), 0);
            return;
        }
        QTRY_COMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0), ledType);
    }

    void notificationsBetweenReadsAreNotLost()
    {
        Received reported(link.get());
        link->swichCurDevice(0);
        QTRY_VERIFY(listening());
        // Three reports at once: the later ones wait on the open handle while the listener
        // handles the first, and none is lost by closing it.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(keyboard.changeLightingOnKeyboard({uint8_t(i), 2, 3, 4, 5, 6, 7}), 1);
        QTRY_COMPARE(reported.count(), 3);
        QCOMPARE(reported.at(2), ints({2, 2, 3, 4, 5, 6, 7}));
        QTest::qWait(600); // across the end of a 500 ms read
        QCOMPARE(keyboard.changeLightingOnKeyboard({7, 2, 3, 4, 5, 6, 7}), 1);
        QTRY_COMPARE(reported.count(), 4);
    }

    void removalIsNoticedOnceAndTheNextPassListensAgain()
    {
        MessageLog log;
        Received reported(link.get());
        link->swichCurDevice(0);
        QTRY_VERIFY(listening());

        keyboard.unplug();
        QTRY_COMPARE(log.messages(), QStringList{"Device removed"});
        QTest::qWait(1200);
        QCOMPARE(log.messages(), QStringList{"Device removed"});
        QVERIFY(link->devices().at(0).path2.isEmpty());
        QCOMPARE(keyboard.openHandleCount(), 0);

        keyboard.plugIn(); // then a discovery pass
        link->stopListener();
        link->setDeviceList({virtualKeyboardEntry()});
        link->swichCurDevice(link->deviceId());
        QTRY_VERIFY(listening());
        QCOMPARE(keyboard.changeLightingOnKeyboard({9, 2, 3, 4, 5, 6, 7}), 1);
        QTRY_COMPARE(reported.count(), 1);
    }

    void oneListenerAtATime()
    {
        Received reported(link.get());
        link->swichCurDevice(0);
        QTRY_VERIFY(listening());
        link->swichCurDevice(0); // stops and waits for the first before starting again
        QVERIFY(keyboard.openHandleCount() <= 1);
        QTRY_VERIFY(listening());
        QCOMPARE(keyboard.changeLightingOnKeyboard({1, 2, 3, 4, 5, 6, 7}), 1);
        QTRY_COMPARE(reported.count(), 1);
        QTest::qWait(100);
        QCOMPARE(reported.count(), 1);
    }

    void withoutNotificationInterfaceNothingRuns()
    {
        DeviceEntry entry = virtualKeyboardEntry();
        entry.path2.clear();
        link->setDeviceList({entry});
        link->swichCurDevice(0);
        QTest::qWait(600);
        QCOMPARE(keyboard.openHandleCount(), 0);
        QCOMPARE(keyboard.changeLightingOnKeyboard({1, 2, 3, 4, 5, 6, 7}), 0);
    }

    void destructionStopsTheListener()
    {
        link->swichCurDevice(0);
        QTRY_VERIFY(listening());
        QElapsedTimer stopping;
        stopping.start();
        link.reset();
        QCOMPARE(keyboard.openHandleCount(), 0);
        // The stop is seen at the end of the running 500 ms read (generous slack for CI).
        QVERIFY2(stopping.elapsed() < 2000, qPrintable(QString::number(stopping.elapsed())));
    }
};

QTEST_GUILESS_MAIN(ListenerTest)
#include "tst_listener.moc"
