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

// Qt 6.4's GStreamer player plays a file it has already loaded again by seeking back in
// the same pipeline, and every so often stays silent from then on while claiming to
// play. Loading the file afresh each time keeps the player sound.
void playFromStart(QMediaPlayer *player, const QUrl &url)
{
    player->stop();
    player->setSource(QUrl());
    player->setSource(url);
    player->play();
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
        // loaded or no media, never the end of it. The music starts from the event loop,
        // once the player has finished reporting. A player cleared in between has no
        // source any more, and one started again no longer stands at its end: nothing
        // follows then, even should the end of the file it played arrive late.
        for (QMediaPlayer *ended : {players[kMusic], players[kChime]}) {
            connect(ended, &QMediaPlayer::mediaStatusChanged, this, [this, ended](QMediaPlayer::MediaStatus status) {
                if (status != QMediaPlayer::EndOfMedia)
                    return;
                QMetaObject::invokeMethod(this, [this, ended] {
                    if (ended->source().isEmpty() || ended->mediaStatus() != QMediaPlayer::EndOfMedia)
                        return;
                    players[kMusic]->setSource(QUrl()); // loaded afresh, as in playFromStart()
                    playMedia_Background();
                }, Qt::QueuedConnection);
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
    playFromStart(player(index), soundUrl(index));
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
