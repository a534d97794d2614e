#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;
class TRadekFunkce;
class TSestavaTyp;

// "Nastavení parametrů funkce": one user function of a report, its
// expression edited in the expression editor ("...").
class TFunkceDlg : public QDialog
{
    Q_OBJECT

public:
    // `index` is the function's position in the report's list, -1 for a
    // function not yet in it (its name must then differ from all of them).
    TFunkceDlg(TSestavaTyp &report, int index, QWidget *parent = nullptr);

    void setFunction(const TRadekFunkce &function);
    // Writes the inputs into `function` (its running values untouched).
    void storeTo(TRadekFunkce &function) const;

    // Shows the window over `function`; on OK it takes the edited values.
    // True on OK.
    static bool edit(TSestavaTyp &report, TRadekFunkce &function, int index, QWidget *parent = nullptr);
    // The question before a function is deleted; true on Yes.
    static bool confirmDelete();

private:
    void editExpression();
    void confirm();

    TSestavaTyp &m_report;
    int m_index;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_expression = nullptr;
    QComboBox *m_resultType = nullptr;
    QLineEdit *m_initialValue = nullptr;
    QComboBox *m_resetPoint = nullptr;
    QComboBox *m_aggregate = nullptr;
    QSpinBox *m_precision = nullptr;
    QSpinBox *m_digits = nullptr;
    QComboBox *m_format = nullptr;
};
