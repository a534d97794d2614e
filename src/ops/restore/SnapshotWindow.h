#pragma once

#include "ops/restore/SnapshotListing.h"

#include <QDialog>

class OperationSession;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The question before a restore: the text names the snapshot and whatever
// the restore would take away; "Ne" is the default answer (Enter keeps the
// tables as they are).
class TfrmObnovaDotaz : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmObnovaDotaz(const QString &question, QWidget *parent = nullptr);
};

// "Zálohy tabulek": the open company's snapshots, newest first, with their
// state, and for the selected one its tables with their records then and
// now. "Obnovit" puts the selected snapshot back (SnapshotRestoreRun) with
// progress and "Přerušit"; F5 reads the list again.
class TfrmZalohyTabulek : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmZalohyTabulek(OperationSession &session, QWidget *parent = nullptr);

    // Reads the snapshots again, keeping the selected one when it is still there.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void showTables();
    void restoreSelected();
    bool showProgress(int done, int total, const QString &table);
    void setRestoring(bool restoring);

    OperationSession &m_session;
    QList<SnapshotRow> m_rows;
    QTableWidget *m_grZalohy;
    QTableWidget *m_grTabulky;
    QLabel *m_lblPrubeh;
    QProgressBar *m_pbObnova;
    QPushButton *m_btnObnovit;
    QPushButton *m_btnPrerusit;
    QPushButton *m_btnZavrit;
    bool m_restoring = false;
    bool m_interrupted = false;
};

// The wizard's entry: opens the snapshot window. 0.
int openSnapshotRestore(OperationSession &session);
