#pragma once

#include "app/RunContext.h"
#include "common/MemTable.h"
#include "hostdb/TBFTable.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QStackedWidget;
class TfrmFreeText;
class TfrmWorking;

// The add-on's main window, a two-page wizard: the welcome page `tsVitejte`
// (page 0) and the operation page `tsFinal` (page 1) in the page control
// `pgcMain`, with the button panel below. It owns what the operations share
// for the whole run: the run context, the working overlay, the information
// window, the four host table objects, the interrupt flag and the year list.
class TfrmMain : public QWidget
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
    void showWorking(bool visible, const QString &text = QString());

    // Shows `addOnVersion` on the welcome page.
    void showVersion(const QString &version);
    // Index outside the pages does nothing.
    void showPage(int index);
    int currentPage() const;

    // Closes each shared host table whose Tag is set and clears the Tag.
    void closeHostTables();
    // The end of every run through the wizard: the host version is recorded
    // for the next run and the application ends.
    void endProgram();

    // Shared host tables, named as the operations know them.
    TBFTable BFTable1;
    TBFTable BFTable2;
    TBFTable BFTable3;
    TBFTable bfEETDokl;

    MemTable mtParametry{QStringLiteral("mtParametry")};
    MemTable mtYear{QStringLiteral("mtYear")};
    bool interruptRequested = false;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createWelcomePage();
    QWidget *createButtonPanel();

    RunContext m_runContext;
    QStackedWidget *m_pgcMain;
    QLabel *m_lblVerze;
    QPushButton *m_btnZavrit;
    QPushButton *m_btnDalsi;
    QPushButton *m_btnZpet;
    QPushButton *m_btnPrerusit;
    bool m_ended = false;
    // Created after the main window, in this order.
    std::unique_ptr<TfrmWorking> m_frmWorking;
    std::unique_ptr<TfrmFreeText> m_frmFreeText;
};
