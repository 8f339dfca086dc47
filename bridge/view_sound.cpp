// The view's sounds: five players, one per sound, so that a click never cuts off the
// music. The start-up chime leads into the background music, which then loops until the
// sounds are cleared. A sound file that is missing or cannot be played stays silent.

#include "myqquickview.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace {
// Sound index k plays on player k; the paths are relative to the working directory,
// which is the folder holding modules/.
const char *const kSounds[myQQuickView::kPlayers] = {
    "./modules/media/00.mp3", // background music
    "./modules/media/01.wav", // opening chime
    "./modules/media/02.wav", // page swoosh
    "./modules/media/03.wav", // logo tone
    "./modules/media/04.wav", // click
};
constexpr int kMusic = 0;
constexpr int kChime = 1;

QUrl soundUrl(int index)
{
    return QUrl::fromLocalFile(QString::fromLatin1(kSounds[index]));
}
} // namespace

// The sound system takes tens of milliseconds to start: the players are made when the
// first sound is asked for, not on the way to the first frame.
QMediaPlayer *myQQuickView::player(int index)
{
    if (players.isEmpty()) {
        for (int k = 0; k < kPlayers; ++k) {
            auto *p = new QMediaPlayer(this);
            p->setAudioOutput(new QAudioOutput(p));
            players.append(p);
        }
        // The end of the chime starts the music, the end of the music starts it again.
        // Only a file played to its end counts: stopping or clearing a player reports
        // loaded or no media, never the end of it.
        for (QMediaPlayer *p : {players[kMusic], players[kChime]}) {
            connect(p, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    playMedia_Background();
            });
        }
    }
    return players.value(index);
}

// Only later sounds are affected: whatever plays now plays on.
void myQQuickView::setEnableAudio(bool isEnable)
{
    audioEnabled = isEnable;
}

void myQQuickView::playMedia_Index(uchar index)
{
    if (!audioEnabled || index >= kPlayers)
        return;
    if (index == kMusic) {
        playMedia_Background();
        return;
    }
    // A sound still playing on its own player starts again from the beginning.
    QMediaPlayer *sound = player(index);
    sound->stop();
    sound->setSource(soundUrl(index));
    sound->play();
}

// Called by the chain as well as by the scene: it plays whether or not sounds are
// enabled, and restarts the music if it is already playing.
void myQQuickView::playMedia_Background()
{
    QMediaPlayer *music = player(kMusic);
    music->setSource(soundUrl(kMusic));
    music->play();
}

void myQQuickView::clearAllMedia()
{
    for (QMediaPlayer *sound : std::as_const(players)) {
        sound->stop();
        sound->setSource(QUrl());
    }
}
