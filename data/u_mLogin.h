#pragma once

#include <QDialog>

class WmsApp;

// Company, operator and password; finds the company and checks the operator.
class TmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TmLogin(WmsApp& app);

private:
    WmsApp& app_;
};
