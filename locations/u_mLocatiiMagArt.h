#pragma once

#include "platform/db/Query.h"
#include "platform/db/SqlStatement.h"

#include <QWidget>

class ConfirmEdit;
class DataGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class WmsApp;

// Which articles a storage location holds, where an article is stored, and
// adding or deleting such links, in the active warehouses of the operator's
// work point that are not reservation warehouses.
class TmLocatiiMagArt : public QWidget {
    Q_OBJECT
public:
    explicit TmLocatiiMagArt(WmsApp& app);

    db::Query dsLocatieArticole;
    db::Query dsArticolLocatii;
    db::SqlStatement PgSQLadauga;

    QLabel* lblTitlu;
    QTabWidget* TabControl1;
    QLabel* lblMesaj;

    // "Locatie"
    ConfirmEdit* EditLocatie;
    QPushButton* Button1;
    QLabel* lblT1Locatie;
    QLabel* lblT1Mag;
    DataGrid* StringGridLocatie;
    QPushButton* Button4;
    QLabel* Label1;

    // "Articol"
    ConfirmEdit* EditCodBare;
    QPushButton* Button2;
    QLabel* lblT2CodBare;
    QLabel* lblT2Articol;
    DataGrid* StringGridArticol;
    QPushButton* Button5;
    QLabel* Label4;

    // "Adauga"
    QLineEdit* EditL;
    QLineEdit* EditCB;
    QPushButton* Button3;

    void EditLocatieValidate(const QString& text);
    void EditCodBareValidate(const QString& text);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void TabItem1Click();
    void TabItem2Click();
    void TabItem3Click();

private:
    void declareQueries();
    QWidget* buildLocationTab();
    QWidget* buildArticleTab();
    QWidget* buildAddTab();
    QWidget* searchRow(ConfirmEdit*& edit, const QString& prompt, QPushButton*& ok);
    QWidget* captionRow(const QString& caption, QLabel*& value);
    QWidget* bottomBar(QPushButton*& button, QLabel*& label);
    void search(db::Query& q, const QString& param, const QString& text, ConfirmEdit& edit);
    static void refreshIfOpen(db::Query& q);

    WmsApp& app_;
};
