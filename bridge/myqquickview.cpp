#include "myqquickview.h"

#include "scenecall.h"
#include "settingfiles.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QQuickItem>
#include <QSettings>
#include <QUrl>

namespace {
// Sound index k plays on player k.
const char *const kSounds[myQQuickView::kPlayers] = {
    "./modules/media/00.mp3", "./modules/media/01.wav", "./modules/media/02.wav",
    "./modules/media/03.wav", "./modules/media/04.wav"};
} // namespace

myQQuickView::myQQuickView(QWidget *parent)
    : myQQuickView(parent, readHardwareSizing(settingfiles::hardwareDefinition()))
{
}

myQQuickView::myQQuickView(QWidget *parent, const HardwareSizing &hw)
    : QQuickWidget(parent)
    , kbLayoutType(hw.kbLayoutType)
    , maxMacro(hw.maxMacro)
    , maxProfile(hw.maxProfile)
    , settingsStores(hw.maxProfile)
{
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    // Only what the scene draws is visible in the translucent window.
    setAttribute(Qt::WA_AlwaysStackOnTop);
    setClearColor(Qt::transparent);
}

myQQuickView::~myQQuickView() = default;

// The sound system takes tens of milliseconds to start: the players are made when the
// first sound is asked for, not on the way to the first frame.
QMediaPlayer *myQQuickView::player(int index)
{
    if (players.isEmpty()) {
        for (int k = 0; k < kPlayers; ++k) {
            auto *p = new QMediaPlayer(this);
            p->setAudioOutput(new QAudioOutput(this));
            players.append(p);
        }
        // The start-up sound leads into the background music, which then loops.
        for (QMediaPlayer *p : {players[0], players[1]}) {
            connect(p, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    playMedia_Background();
            });
        }
    }
    return players.value(index);
}

void myQQuickView::initUI()
{
    callScene(rootObject(), "initUI", Qt::QueuedConnection);
}

void myQQuickView::zzzBrisol()
{
    callScene(rootObject(), "zzzBrisol", Qt::QueuedConnection);
}

void myQQuickView::keepKeyboardLighting(const QVariantList &ledType)
{
    if (QSettings *profile = currentProfile())
        storeNow(*profile, QStringLiteral("color/ledType"), ledType);
    zzzBrisol();
}

void myQQuickView::runUI()
{
    callScene(rootObject(), "run", Qt::QueuedConnection);
}

void myQQuickView::closeUI()
{
    callScene(rootObject(), "close", Qt::QueuedConnection);
}

void myQQuickView::detectKeyboard(bool isDown, uchar usbCode)
{
    callScene(rootObject(), "detectKeyboard", Qt::QueuedConnection, isDown, int(usbCode));
}

void myQQuickView::detectMouse(bool isDown, uint buttonCode, uint x, uint y)
{
    callScene(rootObject(), "detectMouse", Qt::QueuedConnection, isDown, buttonCode, x, y);
}

void myQQuickView::setEnableAudio(bool isEnable)
{
    audioEnabled = isEnable;
}

void myQQuickView::playMedia_Index(uchar index)
{
    if (!audioEnabled || index >= kPlayers)
        return;
    if (index == 0) {
        playMedia_Background();
        return;
    }
    QMediaPlayer *sound = player(index);
    sound->stop();
    sound->setSource(QUrl::fromLocalFile(QString::fromLatin1(kSounds[index])));
    sound->play();
}

void myQQuickView::playMedia_Background()
{
    QMediaPlayer *music = player(0);
    music->setSource(QUrl::fromLocalFile(QString::fromLatin1(kSounds[0])));
    music->play();
}

void myQQuickView::clearAllMedia()
{
    for (QMediaPlayer *sound : players) {
        sound->stop();
        sound->setSource(QUrl());
    }
}
