#pragma once

#include <QDialog>

#include <memory>

class DataGrid;
class MemTable;
class OperationSession;

// The history of one document's actions ("Historie akcí"): a read-only grid
// over `mtAkce` and "Zavřít".
class TfrmGlAkce : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGlAkce(QWidget *parent = nullptr);
    ~TfrmGlAkce() override;

    MemTable &mtAkce() { return *m_mtAkce; }
    DataGrid &grid() const { return *m_grid; }

private:
    std::unique_ptr<MemTable> m_mtAkce;
    DataGrid *m_grid;
};

// Loads the actions of the document `documentNumber` of the module with list
// code `listCode` from the action log and shows them. 0 when shown, -1 when
// the action log could not be opened or indexed (the message was shown).
int showActionHistory(OperationSession &session, const QString &listCode, const QString &documentNumber);
