#pragma once

#include "app/core/OperationSession.h"
#include "app/core/Operations.h"
#include "app/core/RunContext.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class QLabel;
class QProgressBar;
class QRadioButton;
class QTimer;
class QPushButton;
class QStackedWidget;
class TfrmFreeText;
class TfrmWorking;

// The add-on's main window, a two-page wizard: the welcome page `tsVitejte`
// (page 0) and the operation page `tsFinal` (page 1) in the page control
// `pgcMain`, with the button panel below. It owns what the operations share
// for the whole run: the run context, the working overlay, the information
// window, the four host table objects, the interrupt flag and the year list.
class TfrmMain : public QWidget, private OperationProgress
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    RunContext &runContext() { return m_runContext; }
    const RunContext &runContext() const { return m_runContext; }

    // The working overlay and the information window, one each for the run.
    TfrmWorking &frmWorking() { return *m_frmWorking; }
    TfrmFreeText &frmFreeText() { return *m_frmFreeText; }

    // Shows `addOnVersion` on the welcome page.
    void showVersion(const QString &version);
    // Index outside the pages does nothing.
    void showPage(int index);
    int currentPage() const;

    // What the operations share; its progress sink is this window (the
    // working overlay, `pbMain` and `lblPBStatus` are reached only through it).
    OperationSession &session() { return *m_session; }

    // Each operation registers its entry; a row without one is shown
    // disabled.
    void setOperationEntry(Operation operation, OperationEntry entry);
    // Selects an operation's row (as a click on its radio button does).
    void selectOperation(Operation operation);

    // Rebuilds the year list and runs the selected operation's entry: 0 when
    // it reported success, -1 otherwise (an engine exception escaping the
    // entry is shown and counts as a failure).
    int runOperation();

    // The end of every run through the wizard: the host version is recorded
    // for the next run and the application ends.
    void endProgram();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    static constexpr int kWidth = 536;
    static constexpr int kHeight = 361; // at least
    // OperationProgress: the working overlay, `pbMain` and `lblPBStatus`.
    void showWorking(bool visible, const QString &text) override;
    void startProgress(int maximum) override;
    void setProgress(int position, const QString &status) override;
    void hideProgress() override;

    QWidget *createWelcomePage();
    QWidget *createOperationPage();
    QWidget *createButtonPanel();
    void fitOperationRows();
    void nextClicked();
    void setLegendVisible(bool visible);
    void updateOkButton();
    void bringToFront();

    RunContext m_runContext;
    std::unique_ptr<OperationSession> m_session;
    QStackedWidget *m_pgcMain;
    QLabel *m_lblVerze;
    QPushButton *m_btnZavrit;
    QPushButton *m_btnDalsi;
    QPushButton *m_btnZpet;
    QPushButton *m_btnPrerusit;
    QTimer *m_timer1;
    QProgressBar *m_pbMain;
    QLabel *m_lblPBStatus;
    std::map<Operation, QRadioButton *> m_operationButtons;
    std::map<Operation, OperationEntry> m_operationEntries;
    QList<QWidget *> m_legend;
    bool m_shownOnce = false;
    bool m_userSelected = false; // an operation row was picked (not only preselected)
    bool m_ended = false;
    // Created after the main window, in this order.
    std::unique_ptr<TfrmWorking> m_frmWorking;
    std::unique_ptr<TfrmFreeText> m_frmFreeText;
};
