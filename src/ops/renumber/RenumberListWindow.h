#pragma once

#include "ops/renumber/RenumberList.h"
#include "ops/renumber/StartNumberDialog.h"

#include <QColor>
#include <QDialog>

#include <memory>

class DataGrid;
class OperationSession;
class QPushButton;
class RenumberProposal;
class RenumberWriteBack;

// The renumbering list window: the documents of one series in the grid
// `grDoklady` over `mtDoklady`, sorted by a title click and marked with the
// marker column, the guide panel below, and the buttons "Zavřít",
// "Navrhnout", "Přečíslovat", "Původní" and "Kontrola". Shown maximised and
// modal; closing it discards the list, the proposal and the marks.
class TfrmPrecisDoklSeznam : public QDialog, public RenumberListView
{
    Q_OBJECT
public:
    TfrmPrecisDoklSeznam(OperationSession &session, const RenumberState &state, QWidget *parent = nullptr);
    ~TfrmPrecisDoklSeznam() override;

    MemTable &mtDoklady() { return *m_mtDoklady; }
    // `mtNeoznacene` of the last proposal.
    MemTable &mtNeoznacene();
    // `mtTempDoklady` and `mtTempUhrady` of the last write-back.
    MemTable &mtTempDoklady();
    MemTable &mtTempUhrady();
    DataGrid &grid() const { return *m_grid; }
    RenumberState &state() { return m_state; }

    // The list sorted by a column's field (then RecNo), the column marked and
    // coloured: the load's initial sort and a title click.
    void sortByColumn(int column);

    // RenumberListView
    int markCount() const override;
    bool isMarked(int row) const override;
    void suspendRepaint(bool suspended) override;
    void updateListButtons(bool busy) override;

    // The buttons' work, also callable from tests.
    int proposeRenumbering();
    int checkSequence();
    int revertWithConfirmation();
    int renumber();

    static QColor sortColour() { return QColor(208, 238, 209); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *createGuidePanel();
    void titleClicked(int column);
    void colourSortedColumn(int column, const QColor &colour);
    QString currentSortDescription() const;
    int askStartNumber(TfrmNastavPrecisl::Mode mode, int count, qint64 &start);

    OperationSession &m_session;
    RenumberState m_state;
    std::unique_ptr<MemTable> m_mtDoklady;
    std::unique_ptr<RenumberProposal> m_proposal;
    std::unique_ptr<RenumberWriteBack> m_writeBack;
    DataGrid *m_grid;
    QPushButton *m_btnZavrit;
    QPushButton *m_btnNavrhPrecis;
    QPushButton *m_btnPrecislovat;
    QPushButton *m_btnVratitNavrh;
    QPushButton *m_btnKontrPosl;
};

// Loads the documents of the series into a new list window and shows it
// maximised until the user closes it. 0 after the window was shown, -1 when
// the table did not open or the load was interrupted.
int loadRenumberList(OperationSession &session, RenumberModule module, const QString &rada, int digitCount,
                     bool leadingZeros);
