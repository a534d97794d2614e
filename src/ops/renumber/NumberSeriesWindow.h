#pragma once

#include "ops/renumber/RenumberList.h"

#include <QDialog>

#include <memory>

class DataGrid;
class MemTable;
class OperationSession;
class QPushButton;
class TBFTable;

// A number series the user picked: its code (placeholders not yet
// replaced), whether its numbers carry leading zeros, and its digit count.
struct NumberSeries
{
    QString rada;
    bool nuly = false;
    int pocetMist = 0;
};

// The pick list of number series: a grid over `mtCisRady` ("Prefix",
// "Název") under a hint, "OK" (only with rows; Enter and a double click do
// the same) and "Zavřít" (Esc).
class TfrmCisRady : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCisRady(QWidget *parent = nullptr);
    ~TfrmCisRady() override;

    MemTable &mtCisRady() { return *m_mtCisRady; }
    DataGrid &grid() const { return *m_grid; }
    NumberSeries currentSeries() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<MemTable> m_mtCisRady;
    DataGrid *m_grid;
    QPushButton *m_btnOK;
};

// `mtCisRady`: Rada, Nazev, Nuly, PocetMist.
void defineSeriesList(MemTable &list);
// Appends the series of the open CISRADY that serve the module, in the
// table's natural order: cash documents take a series with "PP" or "VP",
// internal documents one with "ID".
void loadNumberSeries(TBFTable &cisRady, RenumberModule module, MemTable &list);

// Lets the user pick a series of the module from CISRADY of the open year
// (read with a table of its own). 0 with `chosen` filled, or -1 when the
// user closed the list or CISRADY did not open (reported).
int chooseNumberSeries(OperationSession &session, RenumberModule module, NumberSeries &chosen);
