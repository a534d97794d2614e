#pragma once

#include "ops/edited/EditedDocumentsLoader.h"
#include "ops/edited/EditedListRules.h"

#include <QDialog>

#include <memory>

class DataGrid;
class MemTable;
class OperationSession;
class QAction;
class QLabel;
class QPushButton;

// The highlight list: the loaded documents of one module, each row coloured
// by its class, with the legend's counts, the filter by class, re-sorting by
// a column title, the search strip, the action history of the current row
// and copying its number. Opened maximised.
class TfrmSeznamOdlisDokl : public QDialog
{
    Q_OBJECT
public:
    TfrmSeznamOdlisDokl(OperationSession &session, int module, QWidget *parent = nullptr);
    ~TfrmSeznamOdlisDokl() override;

    int module() const { return m_module; }
    MemTable &mtDoklady() { return *m_mtDoklady; }
    DataGrid &grid() const { return *m_grid; }

    // Lays out the module's columns, sorts by `Doklad` with its sort mark and
    // goes to the first row (the search field is then "Doklad").
    void prepareRows();
    // Writes the load's counts into the legend.
    void setCounts(const EditedCounts &counts);

    // What the toolbar offers for the list as it stands.
    EditedListRules::ActionStates actionStates() const;
    // "Číslo dokladu do schránky" (F5).
    QAction *copyNumberAction() const { return m_miCisloDoSchranky; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateActionStates();
    void titleClicked(int column);
    void filterClicked();
    void openHistory();
    void copyNumber();
    void printList();

    OperationSession &m_session;
    int m_module;
    std::unique_ptr<MemTable> m_mtDoklady;
    DataGrid *m_grid;
    QPushButton *m_btnHistorieAkci;
    QPushButton *m_btnFiltr;
    QPushButton *m_btnTiskSeznamu;
    QAction *m_miCisloDoSchranky;
    QLabel *m_lblPocetBezOpravy;
    QLabel *m_lblPocetOpravenych;
    QLabel *m_lblPocetZmenaCeny;
};
