#pragma once

#include "app/core/OperationSession.h"
#include "ops/seqcheck/SequenceCheckSetup.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Kontrola posloupnosti číselných řad": the nine module check boxes with
// their "[detaily]" links to the series list, the status label and progress
// bar of the check, and "OK" (runs the check, as often as the user likes),
// "Storno" and "Přerušit" (shown while the check runs). Owns the series and
// free-number tables for as long as it is open.
class TfrmKontrPosloupnosti : public QDialog, private OperationProgress
{
    Q_OBJECT
public:
    explicit TfrmKontrPosloupnosti(OperationSession &session, QWidget *parent = nullptr);
    ~TfrmKontrPosloupnosti() override;

    SequenceCheckSetup &setup() { return m_setup; }

    // The check boxes from the setup's module states, and back.
    void showModules();
    void takeModules();

    // "[detaily]" of module 1 … 9: the series list filtered by the module.
    void openDetails(int module);
    // "OK": the check over the checked modules.
    void runCheck();
    bool isRunning() const { return m_running; }

public Q_SLOTS:
    void reject() override; // not while the check runs

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // OperationProgress: `pbMain` and `lblStatus`; the overlay is the wizard's.
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override;
    void setProgress(int position, const QString &status) override;
    void hideProgress() override;

    void updateLinks();
    void setRunning(bool running);

    OperationSession &m_session;
    SequenceCheckSetup m_setup;
    std::array<QCheckBox *, kSequenceModuleCount> m_checks{};
    std::array<QLabel *, kSequenceModuleCount> m_links{};
    QGroupBox *m_modules;
    QLabel *m_lblStatus;
    QProgressBar *m_pbMain;
    QPushButton *m_btnOk;
    QPushButton *m_btnStorno;
    QPushButton *m_btnPrerusit;
    bool m_running = false;
};

// The wizard's entry of the sequence check: loads the number series, shows
// the set-up window and saves the user's choices when it closes. 0 when the
// window was shown and closed, -1 when a host table could not be opened.
[[nodiscard]] int openSequenceCheck(OperationSession &session);
