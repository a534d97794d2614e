#pragma once

#include <QDialog>

#include <memory>

class DataGrid;
class MemTable;
class QPushButton;
class OperationSession;

// The pick list of a host code list: a read-only grid over `mtSeznam1`
// (`Zkratka`, `Nazev`), "OK" (only with rows; Enter and a double click do the
// same) and "Zavřít" (Esc).
class TfrmSeznam1 : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSeznam1(QWidget *parent = nullptr);
    ~TfrmSeznam1() override;

    MemTable &mtSeznam1() { return *m_mtSeznam1; }
    DataGrid &grid() const { return *m_grid; }
    // The current row's code.
    QString currentCode() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<MemTable> m_mtSeznam1;
    DataGrid *m_grid;
    QPushButton *m_btnOK;
};

// Lets the user pick a code of list `type` (1 činnosti, 2 střediska, 3 zakázky,
// 4 typy dokladů, 5 bankovní účty a pokladny), read with a table of its own
// that is closed again before the list is shown. The chosen code, or "" when
// the user closed the list or a table did not open (reported).
QString pickFromList(OperationSession &session, int type);
