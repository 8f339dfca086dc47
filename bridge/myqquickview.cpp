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
    : QQuickWidget(parent)
{
    setResizeMode(QQuickWidget::SizeViewToRootObject);
    // Only what the scene draws is visible in the translucent window.
    setAttribute(Qt::WA_AlwaysStackOnTop);
    setClearColor(Qt::transparent);

    const HardwareSizing hw = readHardwareSizing(settingfiles::hardwareDefinition());
    kbLayoutType = hw.kbLayoutType;
    maxMacro = hw.maxMacro;
    maxProfile = hw.maxProfile;
    apConfig = std::make_unique<QSettings>(settingfiles::configuration(), QSettings::IniFormat);
    for (int slot = 1; slot <= maxProfile; ++slot)
        profileStores.append(new QSettings(settingfiles::profile(slot), QSettings::IniFormat));
}

myQQuickView::~myQQuickView()
{
    // Writes what is still pending to disk.
    qDeleteAll(profileStores);
}

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
    if (curProfile < profileStores.size())
        profileStores[curProfile]->setValue(QStringLiteral("color/ledType"), ledType);
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
