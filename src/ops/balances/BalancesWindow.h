#pragma once

#include <QDialog>

class DataGrid;
class TStavUctuPokladenReport;

// "Stav bankovních účtů a pokladen": the days of a computed report, opened
// maximised, "Datum" and one "Celkem " + currency column per currency.
class TfrmStavUctuPokladenReport : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStavUctuPokladenReport(TStavUctuPokladenReport &report, QWidget *parent = nullptr);
    ~TfrmStavUctuPokladenReport() override;

private:
    DataGrid *m_grid;
};
