#pragma once

#include <QWidget>

class DataGrid;
class QLabel;
class QPushButton;
class WmsApp;

// The documents of the operator's work point that wait to be scanned; one
// of them is opened on the scanning screen.
class TmDocActiveWMS : public QWidget {
    Q_OBJECT
public:
    explicit TmDocActiveWMS(WmsApp& app);

    QLabel* Label1;
    QPushButton* ButtonCauta;
    QPushButton* ButtonScaneaza;
    DataGrid* StringGrid1;

    void ButtonCautaClick();
    void ButtonScaneazaClick();

private:
    void scanningClosed();

    WmsApp& app_;
};
