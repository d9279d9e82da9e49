#pragma once

#include <QDialog>

class WmsApp;

// Scanning goods into one document.
class TmScaneazaWMS : public QDialog {
    Q_OBJECT
public:
    explicit TmScaneazaWMS(WmsApp& app);

private:
    WmsApp& app_;
};
