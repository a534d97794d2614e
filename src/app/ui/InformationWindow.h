#pragma once

#include "app/core/OperationSession.h"
#include "app/core/RunContext.h"

#include <QDialog>

#include <memory>

class MemTable;
class QPlainTextEdit;
class QPushButton;

// The information window in which the operations show their protocols: a
// read-only text area `reProtokol` and the buttons "Zavřít", "Uložit" and
// "Vytisknout". One instance lives for the whole run. It holds the protocol
// as data (its lines); the text area shows them, "Uložit" saves them and
// printing gets them, so what is saved is what the operation wrote.
class TfrmFreeText : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmFreeText(QWidget *parent = nullptr);
    ~TfrmFreeText() override;

    QPlainTextEdit *reProtokol() const { return m_reProtokol; }
    // One row, memo column `Text`: the protocol as the print engine gets it.
    MemTable &mtProtokol() { return *m_mtProtokol; }

    // Shows `protocol` (a copy of its lines) modally; the dialog's result code.
    int showProtocol(const OperationProtocol &protocol);
    void setProtocol(const OperationProtocol &protocol);
    const OperationProtocol &protocol() const { return m_protocol; }

    void clearText();
    void addLine(const QString &line);
    QStringList lines() const { return m_protocol.lines(); }
    int showModal(); // the dialog's result code

    // "Uložit": asks for a file and writes the text line by line
    // (Windows-1250, CR LF). 0 when written, -1 when cancelled or failed.
    int saveToFile();
    // "Vytisknout" hands this table to protocol printing: it is emptied and
    // gets one row whose `Text` is the whole text.
    void fillPrintTable();
    // "Vytisknout": the whole text through the print dialog (the protocol's
    // print function) with the templates and settings of `context`, which
    // must outlive the window.
    void setRunContext(const RunContext *context) { m_runContext = context; }
    void print();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QSize protocolSize(int buttonsHeight) const;

    QPlainTextEdit *m_reProtokol;
    QPushButton *m_btnVytisknout;
    std::unique_ptr<MemTable> m_mtProtokol;
    OperationProtocol m_protocol;
    const RunContext *m_runContext = nullptr;
};
