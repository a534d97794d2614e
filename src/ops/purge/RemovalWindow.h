#pragma once

#include "app/core/OperationSession.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
struct RemovalOptions;

// The removal window "Odstranění smazaných záznamů": the modules to clean,
// the journal options, the test mode (on when the window opens), the status
// label and progress bar of a run, and "OK", "Storno" and "Přerušit". The
// window may run the removal several times; each run shows its protocol.
class TfrmOdstraneniSmaz : public QDialog, private OperationProgress
{
    Q_OBJECT
public:
    // `stockLinesOffered`: the year is double-entry and posts stock
    // movements, so `chckZauctSklad` is shown.
    TfrmOdstraneniSmaz(OperationSession &session, bool stockLinesOffered, QWidget *parent = nullptr);
    ~TfrmOdstraneniSmaz() override;

    bool isRunning() const { return m_running; }

public Q_SLOTS:
    void reject() override; // not while a run is going

private:
    // OperationProgress: `lblStatus` and `pbMain` of this window.
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override;
    void setProgress(int position, const QString &status) override;
    void hideProgress() override;

    RemovalOptions chosenOptions() const;
    void okClicked();
    void interruptClicked();
    void setRunning(bool running);

    OperationSession &m_session;
    std::array<QCheckBox *, 7> m_moduleBoxes{};
    QGroupBox *m_gbModuly;
    QCheckBox *m_chckZauctSklad;
    QCheckBox *m_chckOdstranitVolne;
    QCheckBox *m_chckTest;
    QLabel *m_lblStatus;
    QProgressBar *m_pbMain;
    QPushButton *m_btnOK;
    QPushButton *m_btnStorno;
    QPushButton *m_btnPrerusit;
    bool m_running = false;
};

// The removal's entry, registered with the wizard: refuses a company in
// centre/branch data exchange, shows the general warning, tests the right to
// verify data and shows the removal window. 0 when the window was shown, -1
// when a gate refused.
[[nodiscard]] int openRemoval(OperationSession &session);
