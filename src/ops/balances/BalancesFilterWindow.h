#pragma once

#include "ops/balances/BalancesFilter.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;

// "Vstupní filtr" of the balances: all accounts and cash desks, or only the
// chosen ones with their code list (edited with the code-list editor of the
// list of bank accounts and cash desks). "OK" accepts, "Zavřít" rejects.
class TfrmStavUctuPokladenFilter : public QDialog
{
    Q_OBJECT
public:
    // Edits a code list of a pick-list type; the edited text, or the text as
    // given when the user went back.
    using CodeListEditor = std::function<QString(const QString &listText, int type)>;

    explicit TfrmStavUctuPokladenFilter(CodeListEditor editor, QWidget *parent = nullptr);
    ~TfrmStavUctuPokladenFilter() override;

    void setFilter(const TStavUctuPokladenFilter &filter);
    TStavUctuPokladenFilter filter() const;

private:
    void updateSelection();
    void editCodes();

    CodeListEditor m_editor;
    QRadioButton *m_rbVse;
    QRadioButton *m_rbVybrane;
    QLineEdit *m_edtVybrane;
    QPushButton *m_btnVybrane;
};
