#pragma once

#include <QObject>

class WmsApp;

// Never shown: holds the media player that plays the sound cues.
class TmProc : public QObject {
    Q_OBJECT
public:
    explicit TmProc(WmsApp& app);

private:
    WmsApp& app_;
};
