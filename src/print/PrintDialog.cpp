#include "print/PrintDialog.h"

#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "report/core/Report.h"
#include "report/core/ReportWindows.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/output/Printers.h"
#include "report/ui/printing/PrinterComboBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmTisk::TfrmTisk(int function, const TiskContext &context, QWidget *parent)
    : QDialog(parent), m_function(function), m_context(context), m_templates(context)
{
    setObjectName(u"TfrmTisk"_s);
    setWindowTitle(u"Tisk"_s);

    m_sestava1 = new TSestava(this);
    m_sestava1->setObjectName(u"Sestava1"_s);
    m_sestava1->setReportDirIgnore(false);
    m_sestava1->setIsStored(false);
    m_sestava1->OnUlozPredlohuJako = [this](TSestavaTyp *sender, QString &soubor) {
        return m_templates.saveAs(sender, soubor);
    };
    // Not attached to Sestava1: it only carries the function's description.
    // The print job takes its title from the template's own description.
    m_sestDetail1 = new TSestDetail(this);
    m_sestDetail1->setObjectName(u"SestDetail1"_s);
    m_sestDetail1->setPopis(TiskFunctions::description(function));

    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(u"Tiskárna"_s, this), 0, 0);
    m_comboBoxPrinter1 = new TComboBoxPrinter(this);
    m_comboBoxPrinter1->setObjectName(u"ComboBoxPrinter1"_s);
    m_comboBoxPrinter1->setMinimumWidth(280);
    fields->addWidget(m_comboBoxPrinter1, 0, 1, 1, 2);
    m_chckVychTiskarna = new QCheckBox(u"pro tuto tiskovou funkci nastavit tiskárnu jako výchozí"_s, this);
    m_chckVychTiskarna->setObjectName(u"chckVychTiskarna"_s);
    fields->addWidget(m_chckVychTiskarna, 1, 1, 1, 2);
    fields->addWidget(new QLabel(u"Formulář"_s, this), 2, 0);
    m_edtFormular = new QLineEdit(this);
    m_edtFormular->setObjectName(u"edtFormular"_s);
    m_edtFormular->setEnabled(false);
    fields->addWidget(m_edtFormular, 2, 1);
    m_chckVychFormular = new QCheckBox(u"nastavit jako výchozí"_s, this);
    m_chckVychFormular->setObjectName(u"chckVychFormular"_s);
    m_chckVychFormular->setEnabled(false);
    fields->addWidget(m_chckVychFormular, 2, 2);
    layout->addLayout(fields);

    // The template buttons, hidden until "Nastavení"; the empty line below
    // the fields keeps their place meanwhile.
    auto *templateButtons = new QHBoxLayout;
    m_btnVyber = DialogParts::button(u"Výběr"_s, u"btnVyber"_s, this);
    m_btnStandard = DialogParts::button(u"Standardní"_s, u"btnStandard"_s, this);
    m_btnEditovat = DialogParts::button(u"Editovat"_s, u"btnEditovat"_s, this);
    m_btnHelp = DialogParts::button(u"?"_s, u"btnHelp"_s, this);
    for (QPushButton *button : {m_btnVyber, m_btnStandard, m_btnEditovat, m_btnHelp}) {
        button->setAutoDefault(false);
        button->setVisible(false);
        templateButtons->addWidget(button);
    }
    templateButtons->addStretch();
    layout->addLayout(templateButtons);
    m_separator = new QWidget(this);
    m_separator->setObjectName(u"pnlOddelovac"_s);
    m_separator->setFixedHeight(m_btnVyber->sizeHint().height());
    layout->addWidget(m_separator);
    // The template designer is not part of this build: editing is offered
    // only once a designer is installed behind the report.
    m_btnEditovat->setEnabled(bool(ReportWindows::current().design));

    auto *buttons = new QHBoxLayout;
    auto *btnTisk = DialogParts::button(u"Tisk"_s, u"btnTisk"_s, this);
    btnTisk->setDefault(true);
    auto *btnNahled = DialogParts::button(u"Náhled"_s, u"btnNahled"_s, this);
    btnNahled->setAutoDefault(false);
    auto *btnZpet = DialogParts::button(u"Zpět"_s, u"btnZpet"_s, this);
    btnZpet->setAutoDefault(false);
    m_btnNastaveni = DialogParts::button(u"Nastavení"_s, u"btnNastaveni"_s, this);
    m_btnNastaveni->setAutoDefault(false);
    buttons->addWidget(btnTisk);
    buttons->addWidget(btnNahled);
    buttons->addWidget(btnZpet);
    buttons->addStretch();
    buttons->addWidget(m_btnNastaveni);
    layout->addLayout(buttons);

    connect(btnTisk, &QPushButton::clicked, this, &TfrmTisk::tiskClicked);
    connect(btnNahled, &QPushButton::clicked, this, &TfrmTisk::nahledClicked);
    connect(btnZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnNastaveni, &QPushButton::clicked, this, &TfrmTisk::nastaveniClicked);
    connect(m_btnVyber, &QPushButton::clicked, this, &TfrmTisk::vyberClicked);
    connect(m_btnStandard, &QPushButton::clicked, this,
            [this] { m_edtFormular->setText(TiskFunctions::standardTemplate(m_function)); });
    connect(m_btnEditovat, &QPushButton::clicked, this, &TfrmTisk::editovatClicked);
    connect(m_btnHelp, &QPushButton::clicked, this, [] { ui().information(TiskTemplates::helpText()); });

    // The user's paper formats live in the settings file; the templates in
    // the program's template directory.
    m_sestava1->setIniFileName(context.configIniPath);
    m_sestDetail1->setIniFileName(context.configIniPath);
    m_sestava1->setReportDir(context.printFormsDir);
}

TfrmTisk::~TfrmTisk() = default;

void TfrmTisk::loadChoices()
{
    const TiskSettings settings(m_context, m_function);
    m_comboBoxPrinter1->selectIndex(settings.defaultPrinter());
    m_edtFormular->setText(settings.templateName());
}

void TfrmTisk::saveChoices()
{
    const TiskSettings settings(m_context, m_function);
    if (m_chckVychTiskarna->isChecked())
        settings.rememberPrinter(m_comboBoxPrinter1->selectedIndex());
    if (m_chckVychFormular->isChecked())
        settings.rememberTemplate(m_edtFormular->text());
}

int TfrmTisk::Print(int function, MemTable &table, const TiskContext &context)
{
    MemTableDataSet dataSet(&table);
    ReportDataSource source(&dataSet);
    TfrmTisk dialog(function, context);
    dialog.loadChoices();
    dialog.sestava1().setDataSource(&source);
    ui().execModal(dialog);
    dialog.saveChoices();
    return 0;
}

void TfrmTisk::tiskClicked()
{
    if (m_templates.check(m_edtFormular->text(), *m_sestava1) != 0)
        return;
    // The report shows its own errors; the dialog closes whatever the result.
    m_sestava1->Print(m_comboBoxPrinter1->selectedIndex());
    accept();
}

void TfrmTisk::nahledClicked()
{
    if (m_templates.check(m_edtFormular->text(), *m_sestava1) != 0)
        return;
    // Printing from the preview uses the printer chosen here.
    CurrentPrinter::current().selectPrinter(m_comboBoxPrinter1->selectedIndex());
    m_sestava1->Preview();
    accept();
}

void TfrmTisk::nastaveniClicked()
{
    for (QPushButton *button : {m_btnVyber, m_btnStandard, m_btnEditovat, m_btnHelp})
        button->setVisible(true);
    m_edtFormular->setEnabled(true);
    m_chckVychFormular->setEnabled(true);
    m_separator->setVisible(false);
    m_btnNastaveni->setEnabled(false);
}

void TfrmTisk::vyberClicked()
{
    const QString name = m_templates.choose();
    if (!name.isEmpty())
        m_edtFormular->setText(name);
}

void TfrmTisk::editovatClicked()
{
    m_templates.edit(m_edtFormular->text(), *m_sestava1, [this](const QString &copy) { m_edtFormular->setText(copy); });
}
