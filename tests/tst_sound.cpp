// The view's sounds played for real: Qt Multimedia's players decode the files and play
// them into a private PulseAudio server whose only sink is a null sink, so the players
// run at the speed of real playback and report the end of each file. Each case runs in
// a private copy of the run-time folder; where waiting for the shipped sounds would be
// slow, short tones written by the test stand in for them.

#include "myqquickview.h"
#include "runtimefolder.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaPlayer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <memory>

#include <signal.h>
#include <sys/prctl.h>

namespace {
constexpr int kRate = 44100;

// A 16-bit mono WAV file holding a sine tone, faded in and out so it does not click.
QByteArray toneWav(double seconds, double hertz)
{
    const int frames = int(seconds * kRate);
    const int fade = kRate / 100;
    QByteArray samples(frames * 2, Qt::Uninitialized);
    for (int i = 0; i < frames; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(frames - 1 - i) / fade});
        const auto value = qint16(std::lround(8000 * envelope * std::sin(2 * M_PI * hertz * i / kRate)));
        qToLittleEndian(value, samples.data() + 2 * i);
    }
    QByteArray wav;
    auto u32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav.append("RIFF");
    u32(36 + quint32(samples.size()));
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(quint32(samples.size()));
    return wav + samples;
}

QString statusName(QMediaPlayer::MediaStatus status)
{
    switch (status) {
    case QMediaPlayer::NoMedia: return QStringLiteral("no media");
    case QMediaPlayer::LoadingMedia: return QStringLiteral("loading");
    case QMediaPlayer::LoadedMedia: return QStringLiteral("loaded");
    case QMediaPlayer::StalledMedia: return QStringLiteral("stalled");
    case QMediaPlayer::BufferingMedia: return QStringLiteral("buffering");
    case QMediaPlayer::BufferedMedia: return QStringLiteral("buffered");
    case QMediaPlayer::EndOfMedia: return QStringLiteral("end");
    case QMediaPlayer::InvalidMedia: return QStringLiteral("invalid");
    }
    return QStringLiteral("?");
}

QString stateName(QMediaPlayer::PlaybackState state)
{
    switch (state) {
    case QMediaPlayer::StoppedState: return QStringLiteral("stop");
    case QMediaPlayer::PlayingState: return QStringLiteral("play");
    case QMediaPlayer::PausedState: return QStringLiteral("pause");
    }
    return QStringLiteral("?");
}

// Everything the view's five players report, in order, as "k what": "1 play",
// "0 source 00.mp3", "4 end", "2 error"... The players are made by the first call of
// player(), as the first sound would make them.
class PlayerLog : public QObject
{
public:
    explicit PlayerLog(myQQuickView &view)
    {
        for (int k = 0; k < myQQuickView::kPlayers; ++k) {
            QMediaPlayer *p = view.player(k);
            connect(p, &QMediaPlayer::playbackStateChanged, this,
                    [this, k](QMediaPlayer::PlaybackState s) { add(k, stateName(s)); });
            connect(p, &QMediaPlayer::mediaStatusChanged, this,
                    [this, k](QMediaPlayer::MediaStatus s) { add(k, statusName(s)); });
            connect(p, &QMediaPlayer::sourceChanged, this, [this, k](const QUrl &url) {
                add(k, url.isEmpty() ? QStringLiteral("no source") : QStringLiteral("source ") + url.fileName());
            });
            connect(p, &QMediaPlayer::errorOccurred, this, [this, k] { add(k, QStringLiteral("error")); });
        }
    }

    int count(const QString &event) const { return int(events.count(event)); }
    // The events of player k, without the number.
    QStringList of(int k) const
    {
        QStringList mine;
        const QString prefix = QString::number(k) + QLatin1Char(' ');
        for (const QString &e : events)
            if (e.startsWith(prefix))
                mine << e.mid(prefix.size());
        return mine;
    }
    QString text() const { return events.join(QStringLiteral(", ")); }

    QStringList events;

private:
    void add(int k, const QString &what) { events << QString::number(k) + QLatin1Char(' ') + what; }
};

QUrl soundUrl(const QString &file)
{
    return QUrl::fromLocalFile(QStringLiteral("./modules/media/") + file);
}

const QString kSoundFiles[myQQuickView::kPlayers] = {"00.mp3", "01.wav", "02.wav", "03.wav", "04.wav"};
} // namespace

class SoundTest : public QObject
{
    Q_OBJECT

    QTemporaryDir serverDir;
    QProcess server;
    QByteArray shortMusic; // 0.6 s, MP3
    QByteArray shortChime; // 0.5 s
    std::unique_ptr<RuntimeFolder> runtime;

    // The short tones in place of the chime and the music, so that the chain between
    // them runs in a second or two.
    void useShortChain()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/media/00.mp3"), shortMusic));
        QVERIFY(runtime->write(QStringLiteral("modules/media/01.wav"), shortChime));
    }

    static void waitFor(int ms) { QTest::qWait(ms); }

private slots:
    // A PulseAudio server of the test's own, in a private folder, with a null sink: the
    // players' audio outputs find it through PULSE_SERVER, set before the first player
    // exists. It runs in the foreground as the test's child and ends with the test. It
    // works the same for root and for other users.
    void initTestCase()
    {
        // scripts/setup leaves the server program out where PipeWire already serves
        // PulseAudio clients (installing it would replace the desktop's sound server).
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty())
            QSKIP("no pulseaudio program to run a private sound server");
        QVERIFY(serverDir.isValid());
        const QString dir = serverDir.path();
        const QString socket = dir + QStringLiteral("/native");
        const QString clientConf = dir + QStringLiteral("/client.conf");
        {
            // No client of this test may start a server of its own.
            QFile conf(clientConf);
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write("autospawn = no\n");
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME",
                                 "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
            env.insert(QString::fromLatin1(name), dir);
        env.remove(QStringLiteral("PULSE_SERVER"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Should the test die without cleaning up, the server goes with it.
        server.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server.start(QStringLiteral("pulseaudio"),
                     {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--use-pid-file=no"),
                      QStringLiteral("--system=no"), QStringLiteral("--exit-idle-time=-1"),
                      QStringLiteral("--disallow-exit"), QStringLiteral("--realtime=no"),
                      QStringLiteral("--high-priority=no"), QStringLiteral("--log-target=stderr"),
                      QStringLiteral("--log-level=error"),
                      QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                      // Without rewinds the null sink plays in step with its clock; with
                      // them it holds each new stream back for a second or more.
                      QStringLiteral("--load=module-null-sink sink_name=test_sink norewinds=1")});
        QVERIFY2(server.waitForStarted(5000), qPrintable(server.errorString()));

        qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toLocal8Bit());
        qputenv("PULSE_CLIENTCONFIG", clientConf.toLocal8Bit());
        const QDeadlineTimer deadline(15000);
        bool answers = false;
        while (!answers && !deadline.hasExpired() && server.state() == QProcess::Running) {
            QProcess info;
            info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
            answers = info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit
                && info.exitCode() == 0;
            if (!answers)
                waitFor(50);
        }
        QVERIFY2(answers, "the private PulseAudio server did not answer");

        // The short music is encoded as the shipped music is, so the player decodes MP3.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QFile tone(scratch.filePath(QStringLiteral("music.wav")));
        QVERIFY(tone.open(QIODevice::WriteOnly));
        tone.write(toneWav(0.6, 330));
        tone.close();
        QProcess lame;
        lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("96"),
                                            QStringLiteral("-m"), QStringLiteral("m"), tone.fileName(),
                                            scratch.filePath(QStringLiteral("music.mp3"))});
        QVERIFY(lame.waitForFinished(10000) && lame.exitCode() == 0);
        QFile mp3(scratch.filePath(QStringLiteral("music.mp3")));
        QVERIFY(mp3.open(QIODevice::ReadOnly));
        shortMusic = mp3.readAll();
        QVERIFY(shortMusic.size() > 1000);
        shortChime = toneWav(0.5, 660);
    }

    void cleanupTestCase()
    {
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(5000)) {
            server.kill();
            server.waitForFinished(5000);
        }
        QCOMPARE(server.state(), QProcess::NotRunning);
    }

    void init()
    {
        runtime = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime->isValid());
    }

    void cleanup() { runtime.reset(); }

    void shippedSoundsPlayToTheirEnd_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("page swoosh") << 2 << 200 << 500;
        QTest::newRow("logo tone") << 3 << 300 << 800;
        QTest::newRow("click") << 4 << 20 << 80;
    }

    void shippedSoundsPlayToTheirEnd()
    {
        QFETCH(int, index);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.playMedia_Index(uchar(index));
        const QString end = QStringLiteral("%1 end").arg(index);
        QTRY_VERIFY2_WITH_TIMEOUT(log.count(end) == 1, qPrintable(log.text()), 5000);

        QMediaPlayer *p = view.player(index);
        QCOMPARE(p->source(), soundUrl(kSoundFiles[index]));
        QCOMPARE(p->error(), QMediaPlayer::NoError);
        QVERIFY(p->hasAudio());
        QVERIFY2(p->duration() >= minMs && p->duration() <= maxMs, qPrintable(QString::number(p->duration())));
        const QStringList seen = log.of(index);
        const qsizetype loaded = std::max(seen.indexOf(QStringLiteral("loaded")), seen.indexOf(QStringLiteral("buffered")));
        QVERIFY2(loaded >= 0 && loaded < seen.indexOf(QStringLiteral("end")), qPrintable(log.text()));
        QVERIFY2(!seen.contains(QStringLiteral("error")), qPrintable(log.text()));
        // The other players were left alone.
        for (int k = 0; k < myQQuickView::kPlayers; ++k)
            if (k != index)
                QVERIFY2(log.of(k).isEmpty(), qPrintable(log.text()));
    }

    void shippedChimeLeadsIntoShippedMusic()
    {
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.playMedia_Index(1);
        QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("1 end")) == 1, qPrintable(log.text()), 5000);
        QVERIFY2(!log.events.contains(QStringLiteral("1 error")), qPrintable(log.text()));
        QVERIFY(view.player(1)->duration() > 1000 && view.player(1)->duration() < 2000);

        QMediaPlayer *music = view.player(0);
        QTRY_COMPARE(music->source(), soundUrl(QStringLiteral("00.mp3")));
        QTRY_VERIFY_WITH_TIMEOUT(music->duration() > 0, 5000);
        QVERIFY2(music->duration() >= 20000 && music->duration() <= 60000, qPrintable(QString::number(music->duration())));
        QVERIFY(music->hasAudio());
        QCOMPARE(music->playbackState(), QMediaPlayer::PlayingState);
        // It really plays: the position moves on.
        QTRY_VERIFY_WITH_TIMEOUT(music->position() >= 300, 5000);
        QCOMPARE(music->error(), QMediaPlayer::NoError);
        view.clearAllMedia();
    }

    void indexRules_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("player"); // the one that plays, -1 for none

        QTest::newRow("index 5") << true << 5 << -1;
        QTest::newRow("index 255") << true << 255 << -1;
        QTest::newRow("swoosh, audio off") << false << 2 << -1;
        QTest::newRow("music, audio off") << false << 0 << -1;
        QTest::newRow("chime, audio off") << false << 1 << -1;
        QTest::newRow("swoosh") << true << 2 << 2;
        QTest::newRow("music") << true << 0 << 0;
        QTest::newRow("click") << true << 4 << 4;
    }

    void indexRules()
    {
        QFETCH(bool, enabled);
        QFETCH(int, index);
        QFETCH(int, player);
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.setEnableAudio(enabled);
        view.playMedia_Index(uchar(index));

        if (player >= 0)
            QTRY_VERIFY_WITH_TIMEOUT(log.of(player).contains(QStringLiteral("play")), 5000);
        else
            waitFor(300);
        for (int k = 0; k < myQQuickView::kPlayers; ++k) {
            if (k == player) {
                QCOMPARE(view.player(k)->source(), soundUrl(kSoundFiles[k]));
                QVERIFY2(log.of(k).contains(QStringLiteral("source ") + kSoundFiles[k]), qPrintable(log.text()));
            } else {
                QVERIFY2(log.of(k).isEmpty(), qPrintable(log.text()));
                QVERIFY(view.player(k)->source().isEmpty());
                QCOMPARE(view.player(k)->playbackState(), QMediaPlayer::StoppedState);
            }
        }
    }

    // The end of the chime starts the music; each end of the music starts it again.
    void chimeLeadsIntoLoopingMusic()
    {
        useShortChain();
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.playMedia_Index(1);
        QTRY_VERIFY_WITH_TIMEOUT(log.of(1).contains(QStringLiteral("play")), 5000);
        // Not while the chime sounds.
        QVERIFY(view.player(0)->source().isEmpty());
        QVERIFY2(log.of(0).isEmpty(), qPrintable(log.text()));

        QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("0 end")) >= 3 && log.count(QStringLiteral("0 play")) >= 4,
                                  qPrintable(log.text()), 10000);
        QCOMPARE(log.count(QStringLiteral("1 end")), 1);
        QCOMPARE(view.player(0)->source(), soundUrl(QStringLiteral("00.mp3")));
        // The music began after the end of the chime, and began again only after each
        // of its own ends.
        const qsizetype chimeEnd = log.events.indexOf(QStringLiteral("1 end"));
        for (qsizetype i = 0; i < chimeEnd; ++i)
            QVERIFY2(!log.events.at(i).startsWith(QLatin1String("0 ")), qPrintable(log.text()));
        int plays = 0, ends = 0;
        for (const QString &e : log.of(0)) {
            if (e == QLatin1String("play"))
                QVERIFY2(++plays == ends + 1, qPrintable(log.text()));
            else if (e == QLatin1String("end"))
                ++ends;
        }
        QVERIFY2(!log.text().contains(QStringLiteral("error")), qPrintable(log.text()));
        view.clearAllMedia();
    }

    // Turning sounds off keeps the music going, looping; only new sounds are refused.
    void disablingLeavesMusicPlaying()
    {
        useShortChain();
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.playMedia_Index(0);
        QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("0 play")) == 1, qPrintable(log.text()), 5000);

        view.setEnableAudio(false);
        QCOMPARE(view.player(0)->playbackState(), QMediaPlayer::PlayingState);
        QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("0 end")) >= 1 && log.count(QStringLiteral("0 play")) >= 2,
                                 5000);
        view.playMedia_Index(4);
        waitFor(200);
        QVERIFY2(log.of(4).isEmpty(), qPrintable(log.text()));
        view.clearAllMedia();
    }

    void clearingStopsTheChainForGood_data()
    {
        QTest::addColumn<int>("player");    // the one sounding or ending when the sounds are cleared
        QTest::addColumn<bool>("atItsEnd"); // cleared as the player reports its end, else while it plays
        QTest::newRow("while the chime sounds") << 1 << false;
        QTest::newRow("while the music sounds") << 0 << false;
        QTest::newRow("as the chime ends") << 1 << true;
        QTest::newRow("as the music ends") << 0 << true;
    }

    void clearingStopsTheChainForGood()
    {
        QFETCH(int, player);
        QFETCH(bool, atItsEnd);
        useShortChain();
        myQQuickView view(nullptr);
        PlayerLog log(view);
        QMediaPlayer *watched = view.player(player);
        bool cleared = false;
        if (atItsEnd) {
            connect(watched, &QMediaPlayer::mediaStatusChanged, &log, [&](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia && !cleared) {
                    cleared = true;
                    view.clearAllMedia();
                }
            });
        }
        view.playMedia_Index(1);
        view.playMedia_Index(3);
        if (atItsEnd) {
            QTRY_VERIFY2_WITH_TIMEOUT(cleared, qPrintable(log.text()), 5000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(watched->playbackState() == QMediaPlayer::PlayingState && watched->position() > 0,
                                     5000);
            view.clearAllMedia();
        }
        // Past the end of either short sound: nothing starts again. (A player may still
        // hear of the end of the file it held, and report it, without sound.)
        const qsizetype before = log.events.size();
        waitFor(1000);
        QVERIFY2(!log.events.mid(before).join(QLatin1Char(',')).contains(QStringLiteral("play")), qPrintable(log.text()));
        for (int k = 0; k < myQQuickView::kPlayers; ++k) {
            QCOMPARE(view.player(k)->playbackState(), QMediaPlayer::StoppedState);
            QVERIFY(view.player(k)->source().isEmpty());
        }

        // Until the music is asked for again.
        const int musicStarts = log.count(QStringLiteral("0 play"));
        view.playMedia_Index(0);
        QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("0 play")) == musicStarts + 1, 5000);
        QCOMPARE(view.player(0)->source(), soundUrl(QStringLiteral("00.mp3")));
        view.clearAllMedia();
    }

    // A second click while the first still sounds starts it again from the beginning, on
    // the same player; a sound on another player plays on.
    void repeatedSoundRestarts()
    {
        QVERIFY(runtime->write(QStringLiteral("modules/media/04.wav"), toneWav(0.5, 880)));
        myQQuickView view(nullptr);
        PlayerLog log(view);
        QMediaPlayer *click = view.player(4);
        view.playMedia_Index(3);
        view.playMedia_Index(4);
        QTRY_VERIFY_WITH_TIMEOUT(click->position() >= 200, 5000);
        QCOMPARE(log.count(QStringLiteral("4 end")), 0);
        QCOMPARE(click->playbackState(), QMediaPlayer::PlayingState);

        QElapsedTimer again;
        again.start();
        view.playMedia_Index(4);
        QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("4 end")) == 1, qPrintable(log.text()), 5000);
        // Played from the start: the whole half second, not the rest of the first.
        QVERIFY2(again.elapsed() >= 400, qPrintable(QString::number(again.elapsed())));
        QCOMPARE(log.count(QStringLiteral("4 play")), 2);

        QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("3 end")) == 1, qPrintable(log.text()), 5000);
        QCOMPARE(log.of(3).filter(QStringLiteral("play")).size(), 1);
        QCOMPARE(log.of(3).filter(QStringLiteral("stop")).size(), 1);
        QVERIFY2(!log.text().contains(QStringLiteral("error")), qPrintable(log.text()));
    }

    // A sound played over and over, each time to its end, is heard each time.
    void soundPlaysEveryTime()
    {
        myQQuickView view(nullptr);
        PlayerLog log(view);
        for (int round = 1; round <= 6; ++round) {
            view.playMedia_Index(4);
            QTRY_VERIFY2_WITH_TIMEOUT(log.count(QStringLiteral("4 end")) == round, qPrintable(log.text()), 5000);
        }
        QCOMPARE(log.count(QStringLiteral("4 play")), 6);
        QVERIFY2(!log.text().contains(QStringLiteral("error")), qPrintable(log.text()));
    }

    void unplayableFileStaysSilent_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("content"); // empty: the file is missing
        QTest::newRow("missing chime") << 1 << QByteArray();
        QTest::newRow("broken chime") << 1 << QByteArray(4096, 'x');
        QTest::newRow("missing click") << 4 << QByteArray();
        QTest::newRow("missing music") << 0 << QByteArray();
    }

    void unplayableFileStaysSilent()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, content);
        const QString file = QStringLiteral("modules/media/") + kSoundFiles[index];
        if (content.isEmpty())
            QVERIFY(QFile::remove(runtime->filePath(file)));
        else
            QVERIFY(runtime->write(file, content));
        myQQuickView view(nullptr);
        PlayerLog log(view);
        view.playMedia_Index(uchar(index));
        QTRY_COMPARE_WITH_TIMEOUT(view.player(index)->mediaStatus(), QMediaPlayer::InvalidMedia, 5000);
        waitFor(300);
        // Nothing was heard and nothing ended, so nothing follows.
        QCOMPARE(view.player(index)->position(), 0);
        QVERIFY2(!log.text().contains(QStringLiteral("end")), qPrintable(log.text()));
        for (int k = 0; k < myQQuickView::kPlayers; ++k)
            if (k != index)
                QVERIFY2(log.of(k).isEmpty(), qPrintable(log.text()));
    }
};

QTEST_MAIN(SoundTest)
#include "tst_sound.moc"
