// The virtual keyboard in control mode, as a program with the library loaded sees it:
// the state kept in a file across runs, the commands of vkbctl, and the two udev calls
// the library stands in front of. The program is this test started again with
// VALDRIN_VKB_DIR set (--keyboard-process); it answers one line per line on its stdin.

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <hidapi.h>
#include <libudev.h>

#include <dlfcn.h>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <memory>
#include <sstream>
#include <string>

#include "hex.h"
#include "statefile.h"
#include "virtualkeyboard.h"

using namespace vkb;

namespace {

constexpr const char *kKeyboardProcessFlag = "--keyboard-process";

// Everything the keyboard keeps, short enough for a failed comparison to show.
QString summary(const KeptState &s)
{
    const Firmware &f = s.firmware;
    QCryptographicHash memory(QCryptographicHash::Sha1);
    const auto add = [&](const auto &bytes) {
        memory.addData(QByteArrayView(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    };
    for (const ProfileMemory &p : f.profiles) {
        add(p.keyMatrix);
        add(p.comboMatrix);
        add(lightingBytes(p.lighting));
        add(p.sevenColors);
        for (const auto &picture : p.pictures)
            add(picture);
    }
    for (const auto &macro : f.macros)
        add(macro);
    return QStringLiteral("plugged=%1 version=%2 layout=%3 options=%4 sensitivity=%5 profile=%6 lighting=%7 memory=%8")
        .arg(int(s.pluggedIn))
        .arg(int(f.version), 4, 16, QLatin1Char('0'))
        .arg(int(f.layoutByte))
        .arg(hex(f.options.data(), 3))
        .arg(int(f.sensitivity))
        .arg(int(f.activeProfile))
        .arg(hex(lightingBytes(f.active().lighting).data(), 7), QString::fromLatin1(memory.result().toHex()));
}

// What the keyboard keeps, seen through its control API only.
KeptState observed()
{
    const VirtualKeyboard &keyboard = VirtualKeyboard::instance();
    KeptState s;
    Firmware &f = s.firmware;
    s.pluggedIn = keyboard.isPluggedIn();
    f.version = keyboard.firmwareVersion();
    f.layoutByte = keyboard.layoutByte();
    f.options = keyboard.options();
    f.sensitivity = keyboard.sensitivity();
    f.activeProfile = keyboard.activeProfile();
    for (int i = 0; i < keyboard.profileCount(); ++i)
        f.profiles[size_t(i)] = keyboard.profile(i);
    for (int id = 0; id < 256; ++id) {
        const Bytes macro = keyboard.macro(uint8_t(id));
        std::copy(macro.begin(), macro.end(), f.macros[size_t(id)].begin());
    }
    return s;
}

QString factorySummary()
{
    return summary(KeptState{});
}

// The program side: hidapi and udev calls asked for on stdin, one reply line each.
class KeyboardProgram
{
public:
    int run()
    {
        std::cout << (hid_init() == 0 ? "ready" : "no hidapi") << std::endl;
        for (std::string line; std::getline(std::cin, line);) {
            std::istringstream words(line);
            std::string op;
            words >> op;
            if (op == "quit")
                break;
            std::cout << answer(op, words) << std::endl;
        }
        handles.clear();
        udev_monitor_unref(monitor);
        udev_unref(context);
        return 0;
    }

private:
    using Handle = std::unique_ptr<hid_device, decltype(&hid_close)>;

    static std::vector<uint8_t> hexBytes(std::istringstream &words)
    {
        std::vector<uint8_t> bytes;
        for (std::string word; words >> word;)
            bytes.push_back(uint8_t(std::stoi(word, nullptr, 16)));
        return bytes;
    }

    hid_device *handle(const std::string &name)
    {
        const auto found = handles.find(name);
        return found == handles.end() ? nullptr : found->second.get();
    }

    int feature(std::vector<uint8_t> codeAndParameters)
    {
        uint8_t report[9] = {0};
        std::copy_n(codeAndParameters.begin(), std::min<size_t>(8, codeAndParameters.size()), report + 1);
        return hid_send_feature_report(handle("command"), report, sizeof report);
    }

    int getFeature()
    {
        uint8_t report[9] = {0};
        return hid_get_feature_report(handle("command"), report, sizeof report);
    }

    int writeChunk(const uint8_t *chunk)
    {
        uint8_t report[65] = {0};
        std::copy_n(chunk, 64, report + 1);
        return hid_write(handle("command"), report, sizeof report);
    }

    std::string read(const std::string &name)
    {
        uint8_t buffer[64];
        const int n = hid_read_timeout(handle(name), buffer, sizeof buffer, 0);
        return (QString::number(n) + (n > 0 ? QLatin1Char(' ') + hex(buffer, n) : QString())).toStdString();
    }

    // One call of this kind that the keyboard takes when nothing refuses it.
    std::string tryOnce(const std::string &kind)
    {
        const uint8_t chunk[64] = {0};
        if (kind == "featureset")
            return std::to_string(feature({0x04, 0x2A}));
        if (kind == "featureget")
            return std::to_string(getFeature());
        if (kind == "datawrite")
            return std::to_string(writeChunk(chunk));
        feature({0x8C});
        getFeature();
        return read("command").substr(0, 2);
    }

    std::string events()
    {
        const int fd = udev_monitor_get_fd(monitor);
        pollfd p{fd, POLLIN, 0};
        const bool readable = poll(&p, 1, 0) == 1;
        int devices = 0;
        std::string syspath = "none";
        while (udev_device *device = udev_monitor_receive_device(monitor)) {
            ++devices;
            const char *path = udev_device_get_syspath(device);
            syspath = path ? path : "null";
            udev_device_unref(device);
        }
        return "readable=" + std::to_string(readable) + " devices=" + std::to_string(devices) + " " + syspath;
    }

    std::string answer(const std::string &op, std::istringstream &words)
    {
        std::string name;
        if (op == "enumerate") {
            int count = 0;
            hid_device_info *list = hid_enumerate(0, 0);
            for (hid_device_info *i = list; i; i = i->next)
                ++count;
            hid_free_enumeration(list);
            return std::to_string(count);
        }
        if (op == "open" && words >> name) {
            const char *path = name == "command" ? VirtualKeyboard::kCommandPath : VirtualKeyboard::kNotifyPath;
            Handle h(hid_open_path(path), &hid_close);
            const bool opened = h != nullptr;
            if (opened)
                handles.insert_or_assign(name, std::move(h));
            return opened ? "1" : "0";
        }
        if (op == "feature")
            return std::to_string(feature(hexBytes(words)));
        if (op == "getfeature")
            return std::to_string(getFeature());
        if (op == "block") {
            // CODE P1 SEED: a 128-byte block the way the link sends one.
            const std::vector<uint8_t> args = hexBytes(words);
            feature({args[0], 0x00, args[1]});
            uint8_t block[128];
            for (int i = 0; i < 128; ++i)
                block[i] = uint8_t(args[2] + 7 * i);
            return std::to_string(writeChunk(block)) + " " + std::to_string(writeChunk(block + 64));
        }
        if (op == "read" && words >> name)
            return read(name);
        if (op == "try" && words >> name)
            return tryOnce(name);
        if (op == "summary")
            return summary(observed()).toStdString();
        if (op == "monitor") {
            context = udev_new();
            monitor = udev_monitor_new_from_netlink(context, "udev");
            const bool listening = monitor && udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) >= 0
                && udev_monitor_enable_receiving(monitor) >= 0 && udev_monitor_get_fd(monitor) >= 0;
            return listening ? "ok" : "no monitor";
        }
        if (op == "events")
            return events();
        return "unknown " + op;
    }

    std::map<std::string, Handle> handles;
    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
};

// This test started again as a program with the library in control mode.
class KeyboardProcess
{
public:
    explicit KeyboardProcess(const QString &dir)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VALDRIN_VKB_DIR"), dir);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kKeyboardProcessFlag)});
        greeting = line();
    }
    ~KeyboardProcess()
    {
        quit();
    }

    // "ready" once the program's first hidapi call has started the control thread.
    QString greeting;

    QString ask(const QString &request)
    {
        process.write(request.toUtf8() + '\n');
        return line();
    }

    void kill()
    {
        process.kill();
        process.waitForFinished(-1);
    }

    // The exit code, or -1 for a crash.
    int quit()
    {
        if (process.state() != QProcess::NotRunning) {
            process.write("quit\n");
            process.closeWriteChannel();
            process.waitForFinished(-1);
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private:
    QString line()
    {
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(-1))
                return QStringLiteral("<the keyboard process ended>");
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }

    QProcess process;
};

struct Reply {
    int exitCode = -1;
    QString text;
};

Reply vkbctl(const QString &dir, const QStringList &command)
{
    QProcess p;
    p.start(QStringLiteral(VALDRIN_VKBCTL), QStringList{QStringLiteral("--dir"), dir} + command);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<KeptState> keptIn(const QString &path)
{
    const QByteArray bytes = contentsOf(path);
    return decodeState(Bytes(bytes.begin(), bytes.end()));
}

QByteArray asBytes(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

// A state unlike the factory's in every field.
KeptState sampleState()
{
    KeptState s;
    Firmware &f = s.firmware;
    s.pluggedIn = false;
    f.version = 0x0456;
    f.layoutByte = 0x02;
    f.options = {1, 2, 3};
    f.sensitivity = 9;
    f.activeProfile = 4;
    f.profiles[4].lighting = {1, 2, 3, 4, 5, 6, 7};
    f.profiles[2].keyMatrix[7] = 0x33;
    f.profiles[1].pictures[4][511] = 0x44;
    f.macros[255][127] = 0x77;
    return s;
}

enum class StateFile { Bytes, Folder, Fifo };

} // namespace

Q_DECLARE_METATYPE(StateFile)

class TestVkbControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temporary;
    QString dir; // the keyboard's folder: not made yet when a test starts
    QString statePath() const { return dir + QStringLiteral("/state"); }

private slots:
    void init()
    {
        temporary = std::make_unique<QTemporaryDir>();
        QVERIFY(temporary->isValid());
        dir = temporary->filePath(QStringLiteral("keyboard"));
    }

    // The file follows every change at once: a program that is killed loses nothing.
    void keepsMemoryAcrossRuns()
    {
        const QStringList changes{
            QStringLiteral("feature 02 0A 0B 0C"),
            QStringLiteral("feature 04 2A"),
            QStringLiteral("feature 21 03"),
            QStringLiteral("feature 08 01 02 03 04 05 06 07"),
            QStringLiteral("block 0C 00 11"),
            QStringLiteral("block 10 C8 22"),
            QStringLiteral("vkbctl lighting 9 8 7 6 5 4 3"),
            QStringLiteral("vkbctl unplug"),
        };
        QString before;
        {
            KeyboardProcess program(dir);
            QCOMPARE(program.greeting, QStringLiteral("ready"));
            QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("1"));
            for (const QString &change : changes) {
                if (change.startsWith(QStringLiteral("vkbctl ")))
                    QCOMPARE(vkbctl(dir, change.split(QLatin1Char(' ')).mid(1)).exitCode, 0);
                else
                    QVERIFY(!program.ask(change).contains(QStringLiteral("-1")));
                before = program.ask(QStringLiteral("summary"));
                const auto kept = keptIn(statePath());
                QVERIFY2(kept, qPrintable(change));
                QCOMPARE(summary(*kept), before);
            }
            program.kill();
        }
        QVERIFY(before != factorySummary());
        struct stat st{};
        QCOMPARE(stat(QFile::encodeName(dir).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);

        KeyboardProcess again(dir);
        QCOMPARE(again.ask(QStringLiteral("summary")), before);
        QCOMPARE(again.ask(QStringLiteral("enumerate")), QStringLiteral("0"));
        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 0);
    }

    void loadsOnlyAWholeState_data()
    {
        QTest::addColumn<StateFile>("kind");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("loads");
        const QByteArray valid = asBytes(encodeState(sampleState().firmware, false));
        const auto changed = [&](qsizetype at, char value) {
            QByteArray bytes = valid;
            bytes[at] = value;
            return bytes;
        };
        KeptState badProfile = sampleState();
        badProfile.firmware.activeProfile = uint8_t(badProfile.firmware.profiles.size());
        QByteArray noise(valid.size(), '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char(i * 131 + 17);

        QTest::newRow("whole") << StateFile::Bytes << valid << true;
        QTest::newRow("empty") << StateFile::Bytes << QByteArray() << false;
        QTest::newRow("half") << StateFile::Bytes << valid.left(valid.size() / 2) << false;
        QTest::newRow("one byte short") << StateFile::Bytes << valid.chopped(1) << false;
        QTest::newRow("one byte more") << StateFile::Bytes << valid + 'x' << false;
        QTest::newRow("memory byte changed") << StateFile::Bytes << changed(5000, char(valid[5000] ^ 1)) << false;
        QTest::newRow("check value changed") << StateFile::Bytes << changed(valid.size() - 1, char(valid.back() ^ 1)) << false;
        QTest::newRow("other magic") << StateFile::Bytes << changed(0, 'X') << false;
        QTest::newRow("newer format") << StateFile::Bytes << changed(8, 2) << false;
        QTest::newRow("active profile out of range")
            << StateFile::Bytes << asBytes(encodeState(badProfile.firmware, true)) << false;
        QTest::newRow("noise of the right size") << StateFile::Bytes << noise << false;
        QTest::newRow("two megabytes") << StateFile::Bytes << valid.repeated(42) << false;
        QTest::newRow("a folder") << StateFile::Folder << QByteArray() << false;
        QTest::newRow("a FIFO") << StateFile::Fifo << QByteArray() << false;
    }
    void loadsOnlyAWholeState()
    {
        QFETCH(StateFile, kind);
        QFETCH(QByteArray, contents);
        QFETCH(bool, loads);
        QVERIFY(QDir().mkpath(dir));
        const QByteArray path = QFile::encodeName(statePath());
        if (kind == StateFile::Folder) {
            QVERIFY(QDir().mkpath(statePath()));
        } else if (kind == StateFile::Fifo) {
            QCOMPARE(mkfifo(path.constData(), 0600), 0);
        } else {
            QFile file(statePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(contents), contents.size());
        }

        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("summary")), loads ? summary(sampleState()) : factorySummary());
        QCOMPARE(program.ask(QStringLiteral("enumerate")), loads ? QStringLiteral("0") : QStringLiteral("3"));
        if (kind == StateFile::Bytes) {
            // The file now holds the state in use.
            const auto kept = keptIn(statePath());
            QVERIFY(kept);
            QCOMPARE(summary(*kept), loads ? summary(sampleState()) : factorySummary());
        }
        QCOMPARE(program.quit(), 0);
    }

    void commandsReachTheProgram()
    {
        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("enumerate")), QStringLiteral("3"));
        QCOMPARE(program.ask(QStringLiteral("open notify")), QStringLiteral("1"));
        Reply r = vkbctl(dir, {QStringLiteral("status")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.text, QStringLiteral("ok plugged=yes stalled=no profile=0 lighting=0,0,0,0,0,0,0 handles=1"));

        r = vkbctl(dir, QStringLiteral("lighting 1 2 3 4 5 0x10 255").split(QLatin1Char(' ')));
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.text.startsWith(QStringLiteral("ok")), qPrintable(r.text));
        QCOMPARE(program.ask(QStringLiteral("read notify")), QStringLiteral("12 00 88 00 00 01 02 03 04 05 10 FF 00"));
        QCOMPARE(program.ask(QStringLiteral("read notify")), QStringLiteral("0"));
        QVERIFY(vkbctl(dir, {QStringLiteral("status")}).text.contains(QStringLiteral(" lighting=1,2,3,4,5,16,255 ")));

        QCOMPARE(vkbctl(dir, {QStringLiteral("unplug")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("enumerate")), QStringLiteral("0"));
        QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("0"));
        QCOMPARE(program.ask(QStringLiteral("read notify")), QStringLiteral("-1"));
        QVERIFY(vkbctl(dir, {QStringLiteral("status")}).text.startsWith(QStringLiteral("ok plugged=no ")));

        QCOMPARE(vkbctl(dir, {QStringLiteral("plug")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("enumerate")), QStringLiteral("3"));
        QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("1"));
        QCOMPARE(program.ask(QStringLiteral("feature 04 2A")), QStringLiteral("9"));
        QVERIFY(program.ask(QStringLiteral("summary")) != factorySummary());

        QCOMPARE(vkbctl(dir, {QStringLiteral("reset")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("summary")), factorySummary());
        const auto kept = keptIn(statePath());
        QVERIFY(kept);
        QCOMPARE(summary(*kept), factorySummary());
    }

    void stallHoldsCommandReads()
    {
        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("1"));
        QCOMPARE(program.ask(QStringLiteral("feature 8C")), QStringLiteral("9"));
        QCOMPARE(program.ask(QStringLiteral("getfeature")), QStringLiteral("9"));

        QCOMPARE(vkbctl(dir, QStringLiteral("stall on").split(QLatin1Char(' '))).exitCode, 0);
        QVERIFY(vkbctl(dir, {QStringLiteral("status")}).text.contains(QStringLiteral(" stalled=yes ")));
        QCOMPARE(program.ask(QStringLiteral("read command")), QStringLiteral("0"));
        QCOMPARE(vkbctl(dir, QStringLiteral("stall off").split(QLatin1Char(' '))).exitCode, 0);
        QVERIFY(program.ask(QStringLiteral("read command")).startsWith(QStringLiteral("64 ")));
    }

    void rejectRefusesTheNthReport_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("nth"); // 0: not given
        QTest::addColumn<QString>("taken");
        QTest::newRow("feature set, next") << QStringLiteral("featureset") << 0 << QStringLiteral("9");
        QTest::newRow("feature get, second") << QStringLiteral("featureget") << 2 << QStringLiteral("9");
        QTest::newRow("data write, third") << QStringLiteral("datawrite") << 3 << QStringLiteral("65");
        QTest::newRow("data read, second") << QStringLiteral("dataread") << 2 << QStringLiteral("64");
    }
    void rejectRefusesTheNthReport()
    {
        QFETCH(QString, kind);
        QFETCH(int, nth);
        QFETCH(QString, taken);
        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("1"));
        QStringList command{QStringLiteral("reject"), kind};
        if (nth > 0)
            command << QString::number(nth);
        QCOMPARE(vkbctl(dir, command).exitCode, 0);
        const int refused = qMax(nth, 1);
        for (int call = 1; call <= refused + 1; ++call)
            QCOMPARE(program.ask(QStringLiteral("try ") + kind), call == refused ? QStringLiteral("-1") : taken);
    }

    void refusesBadCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("empty") << QString();
        QTest::newRow("unknown") << QStringLiteral("explode");
        QTest::newRow("upper case") << QStringLiteral("UNPLUG");
        QTest::newRow("status with argument") << QStringLiteral("status now");
        QTest::newRow("unplug with argument") << QStringLiteral("unplug 1");
        QTest::newRow("plug with argument") << QStringLiteral("plug 1");
        QTest::newRow("reset with argument") << QStringLiteral("reset all");
        QTest::newRow("lighting, six values") << QStringLiteral("lighting 1 2 3 4 5 6");
        QTest::newRow("lighting, eight values") << QStringLiteral("lighting 1 2 3 4 5 6 7 8");
        QTest::newRow("lighting, 256") << QStringLiteral("lighting 1 2 3 4 5 6 256");
        QTest::newRow("lighting, negative") << QStringLiteral("lighting 1 2 3 4 5 6 -1");
        QTest::newRow("lighting, sign") << QStringLiteral("lighting 1 2 3 4 5 6 +7");
        QTest::newRow("lighting, word") << QStringLiteral("lighting 1 2 3 4 5 6 seven");
        QTest::newRow("lighting, bare 0x") << QStringLiteral("lighting 1 2 3 4 5 6 0x");
        QTest::newRow("lighting, 0x100") << QStringLiteral("lighting 1 2 3 4 5 6 0x100");
        QTest::newRow("lighting, fraction") << QStringLiteral("lighting 1 2 3 4 5 6 7.0");
        QTest::newRow("stall, no word") << QStringLiteral("stall");
        QTest::newRow("stall, other word") << QStringLiteral("stall maybe");
        QTest::newRow("reject, no kind") << QStringLiteral("reject");
        QTest::newRow("reject, unknown kind") << QStringLiteral("reject featureput");
        QTest::newRow("reject, zero") << QStringLiteral("reject featureset 0");
        QTest::newRow("reject, too far") << QStringLiteral("reject featureset 1000001");
        QTest::newRow("reject, extra word") << QStringLiteral("reject featureset 1 2");
        QTest::newRow("too long") << QStringLiteral("status ") + QString(300, QLatin1Char('x'));
    }
    void refusesBadCommands()
    {
        QFETCH(QString, command);
        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("open command")), QStringLiteral("1"));
        const Reply before = vkbctl(dir, {QStringLiteral("status")});
        const QByteArray stateBefore = contentsOf(statePath());
        QVERIFY(!stateBefore.isEmpty());

        const Reply r = vkbctl(dir, command.split(QLatin1Char(' ')));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.text.startsWith(QStringLiteral("error ")), qPrintable(r.text));

        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).text, before.text);
        QCOMPARE(contentsOf(statePath()), stateBefore);
        QCOMPARE(program.ask(QStringLiteral("try featureset")), QStringLiteral("9"));
    }

    void vkbctlReachesOnlyAListeningProgram()
    {
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 2);

        // A socket file left by a program that ended without removing it.
        const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(dir + QStringLiteral("/control"));
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()) + 1);
        QCOMPARE(bind(stale, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        close(stale);
        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 2);

        {
            KeyboardProcess program(dir);
            QCOMPARE(program.greeting, QStringLiteral("ready"));
            QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 0);
            QCOMPARE(program.quit(), 0);
        }
        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 2);
    }

    void udevMonitorHearsEachPlugAndUnplug()
    {
        KeyboardProcess program(dir);
        QCOMPARE(program.ask(QStringLiteral("monitor")), QStringLiteral("ok"));
        QCOMPARE(program.ask(QStringLiteral("events")), QStringLiteral("readable=0 devices=0 none"));

        QCOMPARE(vkbctl(dir, {QStringLiteral("unplug")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("events")), QStringLiteral("readable=1 devices=1 /sys/devices/virtual/mem/null"));
        QCOMPARE(program.ask(QStringLiteral("events")), QStringLiteral("readable=0 devices=0 none"));

        QCOMPARE(vkbctl(dir, {QStringLiteral("plug")}).exitCode, 0);
        QCOMPARE(vkbctl(dir, {QStringLiteral("status")}).exitCode, 0);
        QCOMPARE(vkbctl(dir, QStringLiteral("lighting 1 1 1 1 1 1 1").split(QLatin1Char(' '))).exitCode, 0);
        QCOMPARE(vkbctl(dir, {QStringLiteral("unplug")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("events")), QStringLiteral("readable=1 devices=2 /sys/devices/virtual/mem/null"));

        QCOMPARE(vkbctl(dir, {QStringLiteral("reset")}).exitCode, 0);
        QCOMPARE(program.ask(QStringLiteral("events")), QStringLiteral("readable=1 devices=1 /sys/devices/virtual/mem/null"));
    }

    // This process runs without VALDRIN_VKB_DIR: the system's libudev answers.
    void udevCallsReachTheSystemOutsideControlMode()
    {
        QVERIFY(qEnvironmentVariableIsEmpty("VALDRIN_VKB_DIR"));
        using GetFd = int (*)(udev_monitor *);
        void *system = dlopen("libudev.so.1", RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(system);
        const auto systemGetFd = reinterpret_cast<GetFd>(dlsym(system, "udev_monitor_get_fd"));
        QVERIFY(systemGetFd && systemGetFd != &udev_monitor_get_fd);

        udev *context = udev_new();
        udev_monitor *monitor = udev_monitor_new_from_netlink(context, "udev");
        const auto release = qScopeGuard([&] {
            udev_monitor_unref(monitor);
            udev_unref(context);
            dlclose(system);
        });
        if (!monitor)
            QSKIP("no netlink udev monitor can be made here");
        QCOMPARE(udev_monitor_enable_receiving(monitor), 0);
        const int fd = udev_monitor_get_fd(monitor);
        QCOMPARE(fd, systemGetFd(monitor));

        // A message from a sender libudev does not trust: its receive call takes it off
        // the socket and returns no device.
        sockaddr_nl self{};
        socklen_t length = sizeof self;
        QCOMPARE(getsockname(fd, reinterpret_cast<sockaddr *>(&self), &length), 0);
        const int sender = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
        sockaddr_nl to{};
        to.nl_family = AF_NETLINK;
        to.nl_pid = self.nl_pid;
        const char message[] = "add@/devices/virtual/none";
        const bool sent = sendto(sender, message, sizeof message, 0, reinterpret_cast<sockaddr *>(&to), sizeof to) > 0;
        close(sender);
        if (!sent)
            QSKIP("netlink messages cannot be sent here");
        QVERIFY(readable(fd));
        QVERIFY(!udev_monitor_receive_device(monitor));
        QVERIFY(!readable(fd));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], kKeyboardProcessFlag) == 0)
        return KeyboardProgram().run();
    QCoreApplication app(argc, argv);
    TestVkbControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vkbcontrol.moc"
