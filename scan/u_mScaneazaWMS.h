#pragma once

#include "platform/db/Query.h"
#include "platform/db/SqlStatement.h"

#include <QDate>
#include <QDialog>

class ConfirmEdit;
class DataGrid;
class NumberBox;
class QLabel;
class QPushButton;
class WmsApp;

// Scanning goods into one document: each barcode entered becomes one row of
// doc_poz_marfa_tm, and the reconciliation of the document is shown again.
class TmScaneazaWMS : public QDialog {
    Q_OBJECT
public:
    explicit TmScaneazaWMS(WmsApp& app);

    // Set by the document list before showing.
    QDate pDataDoc;
    QString pTipDoc;
    QString pNrDoc;
    bool pRezolvat = false;
    bool vSeOpresteScanarea = false;

    db::Query dsViewScanareStoc;
    db::Query dsDocPozMarfaTM;
    db::SqlStatement PgSQL1;
    db::SqlStatement PgSQL2;

    QWidget* Layout0;
    QLabel* Label1;
    QWidget* Layout1;
    NumberBox* NumberBox1;
    ConfirmEdit* Edit1;
    QPushButton* Button1;
    QLabel* Label2;
    QWidget* LayoutTerminareScanare;
    QPushButton* ButtonTerminareScanare;
    QWidget* LayoutMarcheazaListat;
    QPushButton* Button2;
    QLabel* Label3;
    QWidget* LayoutScanari;
    DataGrid* StringGrid1;

    void FormCreate();
    void FormShow();
    void Edit1Validate(const QString& text);
    void Button1Click();
    void NumberBox1Change();
    void Button2Click();
    void ButtonTerminareScanareClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void declareQueries();
    void buildPanels();
    bool totalsEqual() const;
    void showComplete();
    void recordScan(const QString& barcode);
    QBrush rowTint(int row) const;
    bool blindDocument() const;

    WmsApp& app_;
};
