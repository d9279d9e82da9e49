#pragma once

#include "data/RememberedLogin.h"
#include "platform/db/Query.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class WmsApp;

// Company, operator and password: finds the company in the registry, points
// the company connection at its database, checks the operator and the
// application, and records the login. Closes with Accepted on success.
class TmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TmLogin(WmsApp& app);

    QLabel* Label1;
    QLineEdit* Edit1; // company
    QLabel* Label2;
    QLineEdit* Edit2; // operator code
    QLineEdit* Edit3; // password, never remembered
    QPushButton* Button1;

    RememberedLogin dsLogin;
    db::Query dsNuvMobil;

    // How long a sound download may go without an answer.
    int soundTimeoutMs = 60000;

    void FormShow();
    void Button1Click();

    // The sound files the scanning screen plays, fetched when missing.
    static const QStringList& soundFiles();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString rememberedLoginPath() const;
    QString downloadMissingSounds() const;
    void loginSequence();
    void closeLoginQueries();

    WmsApp& app_;
};
