#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QString>

#include <memory>

class WmsApp;

// Never shown: holds the media player that plays the sound cues.
class TmProc : public QObject {
    Q_OBJECT
public:
    explicit TmProc(WmsApp& app);

    // Plays the sound file of that name from the home data folder; a missing
    // file plays nothing and raises nothing.
    void nuvPlay(const QString& pNumeFisier);

    std::unique_ptr<SoundPlayer> MediaPlayer1;

private:
    WmsApp& app_;
};
