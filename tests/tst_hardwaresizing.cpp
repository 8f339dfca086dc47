// The three sizing values the view reads from the hardware definition, with their caps.

#include "hardwaresizing.h"

#include <QTemporaryDir>
#include <QtTest>

class HardwareSizingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int files = 0;

private slots:
    void sizing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kbLayoutType");
        QTest::addColumn<int>("maxMacro");
        QTest::addColumn<int>("maxProfile");
        QTest::newRow("as shipped") << QByteArray("[common]\nkbLayoutType=1\nmaxMacro=40\nmaxProfile=3\n") << 1 << 40 << 3;
        QTest::newRow("profiles capped") << QByteArray("[common]\nmaxProfile=25\n") << 0 << 0 << 10;
        QTest::newRow("nine profiles stay") << QByteArray("[common]\nmaxProfile=9\n") << 0 << 0 << 9;
        QTest::newRow("macros capped") << QByteArray("[common]\nmaxMacro=300\n") << 0 << 255 << 0;
        QTest::newRow("254 macros stay") << QByteArray("[common]\nmaxMacro=254\n") << 0 << 254 << 0;
        QTest::newRow("layout low 8 bits") << QByteArray("[common]\nkbLayoutType=258\n") << 2 << 0 << 0;
        QTest::newRow("not numbers") << QByteArray("[common]\nkbLayoutType=x\nmaxMacro=-3\nmaxProfile=\n") << 0 << 0 << 0;
        QTest::newRow("empty") << QByteArray() << 0 << 0 << 0;
    }

    void sizing()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kbLayoutType);
        QFETCH(int, maxMacro);
        QFETCH(int, maxProfile);
        // A new file each time: the settings class caches a file it has read.
        const QString path = dir.filePath(QStringLiteral("HWDef%1.bin").arg(++files));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();

        const HardwareSizing sizing = readHardwareSizing(path);
        QCOMPARE(int(sizing.kbLayoutType), kbLayoutType);
        QCOMPARE(int(sizing.maxMacro), maxMacro);
        QCOMPARE(int(sizing.maxProfile), maxProfile);
    }

    void missingFileReadsAsZeros()
    {
        const HardwareSizing sizing = readHardwareSizing(dir.filePath(QStringLiteral("none.bin")));
        QCOMPARE(int(sizing.kbLayoutType) + sizing.maxMacro + sizing.maxProfile, 0);
    }
};

QTEST_GUILESS_MAIN(HardwareSizingTest)
#include "tst_hardwaresizing.moc"
