#pragma once

#include <QWidget>

class WmsApp;

// The documents of the operator's work point that wait to be scanned.
class TmDocActiveWMS : public QWidget {
    Q_OBJECT
public:
    explicit TmDocActiveWMS(WmsApp& app);

private:
    WmsApp& app_;
};
