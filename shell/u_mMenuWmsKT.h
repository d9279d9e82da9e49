#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class WmsApp;

// The main window: "Login" first, then the two work functions.
class TmMenuWmsKT : public QWidget {
    Q_OBJECT
public:
    explicit TmMenuWmsKT(WmsApp& app);

    QWidget* Layout1;
    QPushButton* ButtonLogin;
    QLabel* Label1;
    QWidget* Layout2;
    QPushButton* ButtonDocDeScanat;
    QLabel* Label2;
    QPushButton* ButtonLocatiiArticole;

    void FormCreate();
    void ButtonLoginClick();
    void ButtonDocDeScanatClick();
    void ButtonLocatiiArticoleClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loginClosed(int result);

    WmsApp& app_;
};
