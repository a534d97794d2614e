#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class TSestavaTyp;

// What the expression editor offers besides the built-in functions and the
// operators; the report being edited fills it.
struct ExpressionEditorSources
{
    QStringList fieldNames;
    int parameterCount = 0;
    int groupCount = 0;
    bool detailReport = false; // a detail report has no page number
    QStringList functionNames; // the report's user functions, in list order
};

// What the editor offers for a report: its field names, parameters, groups
// and user functions, and whether it is a detail report.
ExpressionEditorSources expressionEditorSources(const TSestavaTyp &report);

// The expression editor of a user function ("Tvorba výrazu pro výpočet
// funkce"): lists of fields, parameters, system variables, user functions and
// built-in functions whose items are inserted at the caret, operator buttons,
// "Kontrola" (evaluates against the registered report) and the caret position.
class TSest_FnEditVyraz : public QDialog
{
    Q_OBJECT
public:
    explicit TSest_FnEditVyraz(const ExpressionEditorSources &sources, QWidget *parent = nullptr);

    void setExpression(const QString &expression);
    QString expression() const;

    // Shows the editor modally: 0 with the edited expression after "OK", -1
    // (the expression unchanged) when cancelled.
    static int editExpression(const ExpressionEditorSources &sources, QString &expression, QWidget *parent = nullptr);
    // The same for a user function of `report`, which becomes the report
    // that "Kontrola" evaluates against.
    static int editExpression(TSestavaTyp &report, QString &expression, QWidget *parent = nullptr);

    // "Kontrola": evaluates the expression and says how it went; on an error
    // the caret goes to the error's position. Returns the error code.
    int checkExpression();
    // "Vložit": inserts the current item of the list last used.
    void insertSelected();

private:
    QListWidget *addList(QGridLayout *grid, const QString &objectName, const QString &caption, int row, int column);
    void fillLists(const ExpressionEditorSources &sources);
    void addOperatorButtons(QGridLayout *layout);
    void insertItem(const QListWidgetItem *item);
    void insertText(const QString &text, int caretOffset);
    void activateList(QListWidget *list);

    QLineEdit *m_edit = nullptr;
    QLabel *m_position = nullptr;
    QCheckBox *m_byName = nullptr;
    QListWidget *m_fields = nullptr;
    QListWidget *m_parameters = nullptr;
    QListWidget *m_variables = nullptr;
    QListWidget *m_functions = nullptr;
    QListWidget *m_math = nullptr;
    QListWidget *m_text = nullptr;
    QListWidget *m_dates = nullptr;
    QListWidget *m_logical = nullptr;
    QListWidget *m_activeList = nullptr;
    QList<QListWidget *> m_lists;
};
