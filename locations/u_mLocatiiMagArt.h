#pragma once

#include <QWidget>

class WmsApp;

// Which articles a storage location holds, where an article is stored.
class TmLocatiiMagArt : public QWidget {
    Q_OBJECT
public:
    explicit TmLocatiiMagArt(WmsApp& app);

private:
    WmsApp& app_;
};
