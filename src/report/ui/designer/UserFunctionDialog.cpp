#include "report/ui/designer/UserFunctionDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/ReportCaptions.h"
#include "report/core/model/UserFunctions.h"
#include "report/ui/designer/DesignerInputs.h"
#include "report/ui/designer/ExpressionEditor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using namespace DesignerInputs;

TFunkceDlg::TFunkceDlg(TSestavaTyp &report, int index, QWidget *parent)
    : QDialog(parent), m_report(report), m_index(index)
{
    setObjectName(u"TFunkceDlg"_s);
    setWindowTitle(u"Nastavení parametrů funkce"_s);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_name = lineEdit(u"edtNazev"_s, this);
    m_description = lineEdit(u"edtPopis"_s, this);
    m_expression = lineEdit(u"edtVyrazFunkce"_s, this);
    QPushButton *editor = DialogParts::button(u"..."_s, u"btnVyraz"_s, this);
    m_resultType = comboBox(u"cbTypVysledku"_s, {u"Číselná"_s, u"Řetězcová"_s}, this);
    m_initialValue = lineEdit(u"edtPocatecniHodnota"_s, this);
    QStringList resets{u"Sestavy"_s, u"Stránky"_s};
    TListSkupin names;
    for (int g = 0; g < report.groups().count(); ++g)
        resets.append(names.name(g));
    m_resetPoint = comboBox(u"cbNulovani"_s, resets, this);
    m_aggregate = comboBox(u"cbAgregace"_s,
                           {u"(Žádné)"_s, u"Počet"_s, u"Součet"_s, u"Průměr"_s, u"Minimum"_s, u"Maximum"_s,
                            u"Směrodat.odch."_s, u"Relat.sm.odch."_s},
                           this);
    m_precision = spinBox(u"sePresnost"_s, 0, 99, this);
    m_digits = spinBox(u"seDesetinnaMista"_s, 0, 99, this);
    m_format = comboBox(u"cbFormat"_s, {u"Obecný"_s, u"Exponent"_s, u"Pevný"_s, u"Číslo"_s, u"Měna"_s}, this);

    form->addRow(u"Název:"_s, m_name);
    form->addRow(u"Popis:"_s, m_description);
    auto *expression = new QHBoxLayout;
    expression->addWidget(m_expression);
    expression->addWidget(editor);
    form->addRow(u"Výraz:"_s, expression);
    form->addRow(u"Typ výsledku:"_s, m_resultType);
    form->addRow(u"Počáteční hodnota:"_s, m_initialValue);
    form->addRow(u"Nulovat na začátku:"_s, m_resetPoint);
    form->addRow(u"Agregace:"_s, m_aggregate);
    form->addRow(u"Počet znaků:"_s, m_precision);
    form->addRow(u"Desetinná místa:"_s, m_digits);
    form->addRow(u"Formát čísla:"_s, m_format);
    layout->addLayout(form);
    QPushButton *ok = DialogParts::addOkStorno(this, layout);
    connect(ok, &QPushButton::clicked, this, &TFunkceDlg::confirm);
    connect(editor, &QPushButton::clicked, this, &TFunkceDlg::editExpression);
}

void TFunkceDlg::setFunction(const TRadekFunkce &function)
{
    m_name->setText(function.name);
    m_description->setText(function.description);
    m_expression->setText(function.expression);
    selectKeeping(m_resultType, function.resultType);
    m_initialValue->setText(function.initialValue);
    selectKeeping(m_resetPoint, function.resetPoint);
    selectKeeping(m_aggregate, function.aggregateKind);
    m_precision->setValue(function.precision);
    m_digits->setValue(function.digits);
    selectKeeping(m_format, function.format);
}

void TFunkceDlg::storeTo(TRadekFunkce &function) const
{
    function.name = m_name->text().trimmed();
    function.description = m_description->text();
    function.expression = m_expression->text();
    function.resultType = keptValue(m_resultType);
    function.initialValue = m_initialValue->text();
    function.resetPoint = keptValue(m_resetPoint);
    function.aggregateKind = keptValue(m_aggregate);
    function.precision = m_precision->value();
    function.digits = m_digits->value();
    function.format = keptValue(m_format);
}

void TFunkceDlg::editExpression()
{
    QString expression = m_expression->text();
    if (TSest_FnEditVyraz::editExpression(m_report, expression, this) == 0)
        m_expression->setText(expression);
}

void TFunkceDlg::confirm()
{
    // Functions are referenced by name (@name): an empty name or one another
    // function already has would make the references ambiguous.
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        ui().error(u"Zadejte název funkce."_s);
        m_name->setFocus();
        return;
    }
    const int other = m_report.functions().findByName(name);
    if (other >= 0 && other != m_index) {
        ui().error(u"Funkce s názvem "_s + name + u" již v sestavě je."_s);
        m_name->setFocus();
        return;
    }
    accept();
}

bool TFunkceDlg::edit(TSestavaTyp &report, TRadekFunkce &function, int index, QWidget *parent)
{
    TFunkceDlg dialog(report, index, parent);
    dialog.setFunction(function);
    if (ui().execModal(dialog) != QDialog::Accepted)
        return false;
    dialog.storeTo(function);
    return true;
}

bool TFunkceDlg::confirmDelete()
{
    return ui().askYesNo(MessageKind::Confirmation, u"Smazat vybranou funkci?"_s, SestCaption::potvrzeni());
}
