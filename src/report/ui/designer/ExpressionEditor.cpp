#include "report/ui/designer/ExpressionEditor.h"

#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/expr/ExpressionEvaluator.h"

#include "common/UiSeam.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Item data: the text inserted by number, the text inserted by name (fields
// and user functions), and where the caret goes within the inserted text.
constexpr int InsertRole = Qt::UserRole;
constexpr int InsertByNameRole = Qt::UserRole + 1;
constexpr int CaretRole = Qt::UserRole + 2;

QString itemCaption(const QString &reference, const QString &caption)
{
    return reference.leftJustified(4) + u' ' + caption;
}

void addReference(QListWidget *list, const QString &byNumber, const QString &caption, const QString &byName = QString())
{
    auto *item = new QListWidgetItem(itemCaption(byNumber, caption), list);
    item->setData(InsertRole, byNumber);
    item->setData(InsertByNameRole, byName);
    item->setData(CaretRole, -1);
}

void addFunctions(QListWidget *list, std::initializer_list<const char16_t *> names)
{
    for (const char16_t *name : names) {
        const CalcFunction *function = findCalcFunction(QStringView(name));
        if (!function)
            continue;
        const QString text = QString::fromUtf16(name);
        auto *item = new QListWidgetItem(text, list);
        // The name with empty parentheses and one comma per further argument.
        item->setData(InsertRole, QString(text + u'(' + QString(function->arguments - 1, u',') + u')'));
        item->setData(CaretRole, int(text.size()) + 1); // the caret ready for the first argument
    }
}

struct OperatorButton
{
    const char16_t *objectName;
    const char16_t *caption;
    const char16_t *inserted;
    int caret; // -1: after the inserted text
};

// The operator words get a blank on each side: a word right after a number
// ("2AND") would be a malformed number. IN opens its list literal.
constexpr OperatorButton kOperators[] = {
    {u"btnPlus", u"+", u"+", -1},         {u"btnMinus", u"-", u"-", -1},        {u"btnKrat", u"*", u"*", -1},
    {u"btnDeleno", u"/", u"/", -1},       {u"btnMocnina", u"^", u"^", -1},      {u"btnZavorkaL", u"(", u"(", -1},
    {u"btnZavorkaP", u")", u")", -1},     {u"btnCarka", u",", u",", -1},        {u"btnRovno", u"=", u"=", -1},
    {u"btnNerovno", u"<>", u"<>", -1},    {u"btnMensi", u"<", u"<", -1},        {u"btnVetsi", u">", u">", -1},
    {u"btnMensiRovno", u"<=", u"<=", -1}, {u"btnVetsiRovno", u">=", u">=", -1}, {u"btnAnd", u"AND", u" AND ", -1},
    {u"btnOr", u"OR", u" OR ", -1},       {u"btnNot", u"NOT", u" NOT ", -1},    {u"btnIn", u"IN", u" IN[]", 4},
};

} // namespace

TSest_FnEditVyraz::TSest_FnEditVyraz(const ExpressionEditorSources &sources, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TSest_FnEditVyraz"_s);
    setWindowTitle(u"Tvorba výrazu pro výpočet funkce"_s);

    auto *layout = new QVBoxLayout(this);

    auto *expressionRow = new QGridLayout;
    expressionRow->addWidget(new QLabel(u"Výraz:"_s, this), 0, 0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(u"edtVyraz"_s);
    expressionRow->addWidget(m_edit, 0, 1);
    auto *positionLayout = new QHBoxLayout;
    positionLayout->addWidget(new QLabel(u"Pozice:"_s, this));
    m_position = new QLabel(u"1"_s, this);
    m_position->setObjectName(u"lblPozice"_s);
    positionLayout->addWidget(m_position);
    positionLayout->addStretch();
    expressionRow->addLayout(positionLayout, 1, 1);
    layout->addLayout(expressionRow);

    auto *operators = new QGridLayout;
    addOperatorButtons(operators);
    layout->addLayout(operators);

    auto *lists = new QGridLayout;
    layout->addLayout(lists, 1);
    m_fields = addList(lists, u"lbPolozky"_s, u"Položky tabulky:"_s, 0, 0);
    m_parameters = addList(lists, u"lbParametry"_s, u"Parametry:"_s, 0, 1);
    m_variables = addList(lists, u"lbPromenne"_s, u"Proměnné:"_s, 0, 2);
    m_functions = addList(lists, u"lbFunkce"_s, u"Uživatelské funkce:"_s, 0, 3);
    m_math = addList(lists, u"lbMatematicke"_s, u"Matematické:"_s, 2, 0);
    m_text = addList(lists, u"lbTextove"_s, u"Textové:"_s, 2, 1);
    m_dates = addList(lists, u"lbDatumove"_s, u"Datumové a časové:"_s, 2, 2);
    m_logical = addList(lists, u"lbLogicke"_s, u"Logické a ostatní:"_s, 2, 3);

    m_byName = new QCheckBox(u"Položky podle názvu"_s, this);
    m_byName->setObjectName(u"chckPodleNazvu"_s);
    layout->addWidget(m_byName);

    auto *buttons = new QHBoxLayout;
    auto *check = new QPushButton(u"Kontrola"_s, this);
    check->setObjectName(u"btnKontrola"_s);
    auto *insert = new QPushButton(u"Vložit"_s, this);
    insert->setObjectName(u"btnVlozit"_s);
    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"btnOK"_s);
    ok->setDefault(true);
    auto *cancel = new QPushButton(u"Storno"_s, this);
    cancel->setObjectName(u"btnStorno"_s);
    buttons->addWidget(check);
    buttons->addWidget(insert);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, [this] { checkExpression(); });
    connect(insert, &QPushButton::clicked, this, [this] { insertSelected(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { m_position->setText(QString::number(position + 1)); });

    fillLists(sources);
}

// A list with its caption above it, at that place of the grid.
QListWidget *TSest_FnEditVyraz::addList(QGridLayout *grid, const QString &objectName, const QString &caption, int row,
                                        int column)
{
    auto *list = new QListWidget(this);
    list->setObjectName(objectName);
    auto *label = new QLabel(caption, this);
    label->setBuddy(list);
    grid->addWidget(label, row, column);
    grid->addWidget(list, row + 1, column);
    m_lists.append(list);
    connect(list, &QListWidget::itemClicked, this, [this, list] { activateList(list); });
    connect(list, &QListWidget::currentRowChanged, this, [this, list](int current) {
        if (current >= 0)
            activateList(list);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { insertItem(item); });
    return list;
}

void TSest_FnEditVyraz::addOperatorButtons(QGridLayout *layout)
{
    int column = 0;
    for (const OperatorButton &op : kOperators) {
        auto *button = new QPushButton(QString::fromUtf16(op.caption), this);
        button->setObjectName(QString::fromUtf16(op.objectName));
        button->setAutoDefault(false);
        const QString inserted = QString::fromUtf16(op.inserted);
        const int caret = op.caret;
        connect(button, &QPushButton::clicked, this, [this, inserted, caret] { insertText(inserted, caret); });
        layout->addWidget(button, 0, column++);
    }
}

void TSest_FnEditVyraz::fillLists(const ExpressionEditorSources &sources)
{
    for (qsizetype i = 0; i < sources.fieldNames.size(); ++i)
        addReference(m_fields, u'#' + QString::number(i + 1), sources.fieldNames.at(i),
                     u'#' + sources.fieldNames.at(i));
    for (int i = 1; i <= sources.parameterCount; ++i)
        addReference(m_parameters, u'&' + QString::number(i), u"Parametr "_s + QString::number(i));

    addReference(m_variables, u"%1"_s, u"Datum tisku"_s);
    addReference(m_variables, u"%2"_s, u"Čas tisku"_s);
    addReference(m_variables, u"%3"_s, u"Číslo řádku"_s);
    if (!sources.detailReport)
        addReference(m_variables, u"%4"_s, u"Číslo stránky"_s);
    for (int g = 0; g < sources.groupCount; ++g) {
        addReference(m_variables, u'%' + QString::number(2 * g + 6), u"Číslo ř. ve sk. "_s + QString::number(g + 1));
        addReference(m_variables, u'%' + QString::number(2 * g + 7), u"Číslo skupiny "_s + QString::number(g + 1));
    }

    for (qsizetype i = 0; i < sources.functionNames.size(); ++i)
        addReference(m_functions, u'@' + QString::number(i + 1), sources.functionNames.at(i),
                     u'@' + sources.functionNames.at(i));

    addFunctions(m_math, {u"ABS", u"INT", u"SGN", u"MAX", u"MIN", u"ROUND", u"SIN", u"COS", u"TAN", u"COTG", u"EXP",
                          u"LOG", u"ASIN", u"ACOS", u"ATAN", u"ACOTG"});
    addFunctions(m_text, {u"LEFT", u"RIGHT", u"SUBSTR", u"LENGTH", u"POS", u"UPPER", u"LOWER", u"LTRIM", u"RTRIM",
                          u"ALLTRIM", u"FORMAT", u"CHR", u"ORD", u"STRTONUM", u"NUMTOSTR"});
    addFunctions(m_dates, {u"FORMATDT", u"YEAR", u"MONTH", u"DAY", u"HOUR", u"MINUTE", u"SECUNDE"});
    addFunctions(m_logical, {u"IIF", u"ISNULL"});
}

void TSest_FnEditVyraz::setExpression(const QString &expression)
{
    m_edit->setText(expression);
}

QString TSest_FnEditVyraz::expression() const
{
    return m_edit->text();
}

int TSest_FnEditVyraz::editExpression(const ExpressionEditorSources &sources, QString &expression, QWidget *parent)
{
    TSest_FnEditVyraz editor(sources, parent);
    editor.setExpression(expression);
    if (ui().execModal(editor) != QDialog::Accepted)
        return -1;
    expression = editor.expression();
    return 0;
}

int TSest_FnEditVyraz::editExpression(TSestavaTyp &report, QString &expression, QWidget *parent)
{
    report.registerAsResolver();
    return editExpression(expressionEditorSources(report), expression, parent);
}

ExpressionEditorSources expressionEditorSources(const TSestavaTyp &report)
{
    ExpressionEditorSources sources;
    sources.fieldNames = report.fieldNames();
    sources.parameterCount = int(report.parametry().size());
    sources.groupCount = report.groups().count();
    sources.detailReport = report.isDetail();
    for (int i = 0; i < report.functions().count(); ++i)
        sources.functionNames.append(report.functions().at(i).name);
    return sources;
}

int TSest_FnEditVyraz::checkExpression()
{
    const CalcResult result = evaluateExpression(m_edit->text());
    if (result.error == CalcError::None) {
        ui().information(u"Výraz je v pořádku."_s, SestCaption::informace());
        return CalcError::None;
    }
    ui().error(u"Chyba : \"%1\" na pozici %2"_s.arg(calcErrorText(result.error)).arg(result.position + 1),
               SestCaption::chyba());
    m_edit->setFocus();
    m_edit->setCursorPosition(result.position);
    return result.error;
}

void TSest_FnEditVyraz::insertSelected()
{
    if (m_activeList)
        insertItem(m_activeList->currentItem());
}

void TSest_FnEditVyraz::activateList(QListWidget *list)
{
    m_activeList = list;
    // One chosen item at a time: "Vložit" inserts it.
    for (QListWidget *other : std::as_const(m_lists)) {
        if (other != list) {
            const QSignalBlocker blocker(other);
            other->setCurrentRow(-1);
        }
    }
}

void TSest_FnEditVyraz::insertItem(const QListWidgetItem *item)
{
    if (!item)
        return;
    const QString byName = item->data(InsertByNameRole).toString();
    const bool useName = m_byName->isChecked() && !byName.isEmpty();
    insertText(useName ? byName : item->data(InsertRole).toString(), item->data(CaretRole).toInt());
}

void TSest_FnEditVyraz::insertText(const QString &text, int caretOffset)
{
    const int start = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    m_edit->insert(text);
    if (caretOffset >= 0)
        m_edit->setCursorPosition(start + caretOffset);
    m_edit->setFocus();
}
