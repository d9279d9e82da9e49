#include "platform/SoundPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

MediaSoundPlayer::MediaSoundPlayer() = default;

MediaSoundPlayer::~MediaSoundPlayer()
{
    player_.reset(); // before the output it plays into
}

void MediaSoundPlayer::play(const QString& path)
{
    if (!player_) {
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    }
    // A new source stops the sound still playing; an unplayable one ends in
    // an error state and stays silent.
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}
