#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class DataGrid;
class MemTable;
class QPushButton;
class OperationSession;

// The editor of a code list ("A1;B2;"): a grid over `mtSeznamPol`
// (`Zkratka`), "OK", "Zpět", "Přidat" (a code from the pick list of the type
// it was opened with) and "Vyjmout".
class TfrmEditorPol : public QDialog
{
    Q_OBJECT
public:
    // Picks a code of the given list type; "" when nothing was picked.
    using Picker = std::function<QString(int type)>;

    TfrmEditorPol(int type, Picker picker, QWidget *parent = nullptr);
    ~TfrmEditorPol() override;

    int listType() const { return m_type; }
    MemTable &mtSeznamPol() { return *m_mtSeznamPol; }

    // One row per code followed by ";"; a trailing part without ";" is dropped.
    void setCodeList(const QString &listText);
    // The rows in their order, each code followed by ";".
    QString codeList() const;

    void addCode();    // "Přidat"
    void removeCode(); // "Vyjmout"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateButtons();

    int m_type;
    Picker m_picker;
    std::unique_ptr<MemTable> m_mtSeznamPol;
    DataGrid *m_grid;
    QPushButton *m_btnVyjmout;
};

// Lets the user edit a code list of pick-list type `type`; the edited text on
// "OK", the text as given on "Zpět".
QString editCodeList(OperationSession &session, const QString &listText, int type);
// The same with another source of codes (the pick list is one).
QString editCodeList(const QString &listText, int type, const TfrmEditorPol::Picker &picker);
