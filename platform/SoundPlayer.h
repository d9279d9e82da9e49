#pragma once

#include <QString>

#include <memory>

class QAudioOutput;
class QMediaPlayer;

// Plays one sound file at a time, without waiting for it to end.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the file; a file that cannot be played plays nothing.
    virtual void play(const QString& path) = 0;
};

// Through Qt Multimedia; the back-end is started on the first sound, so a
// run that plays nothing never touches the audio system.
class MediaSoundPlayer : public SoundPlayer {
public:
    MediaSoundPlayer();
    ~MediaSoundPlayer() override;
    void play(const QString& path) override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};
