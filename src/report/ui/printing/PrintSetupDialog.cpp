#include "report/ui/printing/PrintSetupDialog.h"

#include "common/UiSeam.h"
#include "report/core/output/Printers.h"
#include "report/ui/printing/PrinterComboBox.h"
#include "report/ui/printing/TemplateComboBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace {

QLabel *label(QWidget *parent, const QString &text, int x, int y, int width, QWidget *buddy = nullptr)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, width, 20);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &text, int x, int y, int width)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setGeometry(x, y, width, 20);
    return c;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, int x, int y, int width)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, width, 25);
    return b;
}

QSpinBox *spinBox(QWidget *parent, const QString &name, int x, int y, int width)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(1, 9999);
    s->setGeometry(x, y, width, 24);
    return s;
}

} // namespace

TSestPrintDlg::TSestPrintDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TSestPrintDlg"_s);
    setWindowTitle(u"Nastavení tisku"_s);
    const int groupWidth = ClientWidth - 16;

    auto *printer = new QGroupBox(u"Tiskárna"_s, this);
    printer->setObjectName(u"grpTiskarna"_s);
    printer->resize(groupWidth, PrinterGroupHeight);
    m_printer = new TComboBoxPrinter(printer);
    m_printer->setObjectName(u"cbTiskarna"_s);
    m_printer->setGeometry(70, 20, 220, 24);
    label(printer, u"Ná&zev:"_s, 10, 22, 58, m_printer);
    m_buttons[TPrintDialogTyp::ButtonProperties] =
        button(printer, u"btnVlastnosti"_s, u"&Vlastnosti..."_s, groupWidth - 104, 19, 94);
    label(printer, u"Typ:"_s, 10, 48, 58);
    m_type = label(printer, QString(), 70, 48, groupWidth - 80);
    m_type->setObjectName(u"lblTyp"_s);
    label(printer, u"Kde:"_s, 10, 68, 58);
    m_port = label(printer, QString(), 70, 68, groupWidth - 80);
    m_port->setObjectName(u"lblKde"_s);
    m_checks[TPrintDialogTyp::CheckToFile] =
        checkBox(printer, u"chckDoSouboru"_s, u"Tisknout do &souboru"_s, 10, 88, 250);

    auto *pages = new QGroupBox(u"Rozsah stránek:"_s, this);
    pages->setObjectName(u"grpStranky"_s);
    pages->resize(groupWidth, PagesGroupHeight);
    m_from = spinBox(pages, u"edtOd"_s, 40, 20, 70);
    label(pages, u"Od:"_s, 10, 22, 28, m_from);
    m_to = spinBox(pages, u"edtDo"_s, 150, 20, 70);
    label(pages, u"Do:"_s, 120, 22, 28, m_to);
    m_copies = spinBox(pages, u"edtKopie"_s, groupWidth - 74, 20, 64);
    label(pages, u"Počet kopií:"_s, groupWidth - 164, 22, 88, m_copies);
    m_checks[TPrintDialogTyp::CheckCurrentPage] =
        checkBox(pages, u"chckAktualniStranka"_s, u"&Tisknout &aktuální stránku"_s, 10, 52, 250);

    auto *form = new QGroupBox(u"Tiskový formulář:"_s, this);
    form->setObjectName(u"grpFormular"_s);
    form->resize(groupWidth, TemplateGroupHeight);
    m_template = new TComboBoxPredloha(form);
    m_template->setObjectName(u"cbPredloha"_s);
    m_template->setGeometry(10, 20, groupWidth - 124, 24);
    m_buttons[TPrintDialogTyp::ButtonEdit] = button(form, u"btnUpravit"_s, u"&Upravit..."_s, groupWidth - 104, 19, 94);
    m_checks[TPrintDialogTyp::CheckOneRecord] =
        checkBox(form, u"chckJedenZaznam"_s, u"Tisknout pouze &jeden záznam"_s, 10, 48, 250);
    m_checks[TPrintDialogTyp::CheckDefaultTemplate] =
        checkBox(form, u"chckVychoziFormular"_s, u"Nastavit jako výchozí &formulář"_s, 10, 66, 250);

    m_groups = {printer, pages, form};

    m_buttons[TPrintDialogTyp::ButtonPrint] = button(this, u"btnTisk"_s, u"&Tisk"_s, ClientWidth - 264, 0, 80);
    m_buttons[TPrintDialogTyp::ButtonPrint]->setDefault(true);
    m_buttons[TPrintDialogTyp::ButtonPreview] = button(this, u"btnNahled"_s, u"&Náhled"_s, ClientWidth - 176, 0, 80);
    m_storno = button(this, u"btnStorno"_s, u"Storno"_s, ClientWidth - 88, 0, 80);
    m_checks[TPrintDialogTyp::CheckBackground] =
        checkBox(this, u"chckPozadi"_s, u"Tisknout pozadí"_s, 8, 0, ClientWidth - 280);

    connect(m_printer, &QComboBox::currentIndexChanged, this, &TSestPrintDlg::printerChosen);
    connect(m_buttons[TPrintDialogTyp::ButtonProperties], &QPushButton::clicked, this, &TSestPrintDlg::properties);
    connect(m_checks[TPrintDialogTyp::CheckCurrentPage], &QCheckBox::toggled, this, &TSestPrintDlg::currentPageToggled);
    connect(m_buttons[TPrintDialogTyp::ButtonPrint], &QPushButton::clicked, this,
            [this] { finish(TPrintDialogTyp::Answer::Print); });
    connect(m_buttons[TPrintDialogTyp::ButtonPreview], &QPushButton::clicked, this,
            [this] { finish(TPrintDialogTyp::Answer::Preview); });
    connect(m_buttons[TPrintDialogTyp::ButtonEdit], &QPushButton::clicked, this,
            [this] { finish(TPrintDialogTyp::Answer::Edit); });
    connect(m_storno, &QPushButton::clicked, this, &QDialog::reject);
    placeGroups();
}

void TSestPrintDlg::load(const TPrintDialogTyp &settings)
{
    setWindowTitle(settings.title);
    m_groupShown = settings.groupVisible;

    m_template->setReportDir(settings.reportDir);
    m_template->setReportMask(settings.reportMask);
    m_template->setReportDirIgnore(settings.reportDirIgnore);
    m_template->fill();
    if (!settings.reportName.isEmpty())
        m_template->selectFile(settings.reportName);

    m_noPrinter = CurrentPrinter::current().count() == 0;
    m_printer->fill();
    m_printer->selectIndex(settings.printerIndex);
    printerChosen();

    m_from->setValue(settings.firstPage);
    m_to->setValue(settings.lastPage);
    m_copies->setValue(settings.copies);
    for (int c = 0; c < TPrintDialogTyp::CheckCount; ++c) {
        m_checks[size_t(c)]->setVisible(settings.checkVisible[size_t(c)]);
        m_checks[size_t(c)]->setChecked(settings.checked[size_t(c)]);
    }
    for (int b = 0; b < TPrintDialogTyp::ButtonCount; ++b)
        m_buttons[size_t(b)]->setEnabled(settings.buttonEnabled[size_t(b)]);
    if (m_noPrinter) {
        // Nothing can be printed: neither the printer's set-up nor a print.
        m_buttons[TPrintDialogTyp::ButtonProperties]->setEnabled(false);
        m_buttons[TPrintDialogTyp::ButtonPrint]->setEnabled(false);
        m_printer->setEnabled(false);
        m_checks[TPrintDialogTyp::CheckToFile]->setEnabled(false);
    }
    currentPageToggled();
    placeGroups();
}

void TSestPrintDlg::store(TPrintDialogTyp &settings) const
{
    if (m_template->currentIndex() >= 0)
        settings.reportName = m_template->value(m_template->currentIndex());
    settings.firstPage = m_from->value();
    settings.lastPage = m_to->value();
    settings.copies = m_copies->value();
    settings.printerIndex = m_printer->selectedIndex();
    for (int c = 0; c < TPrintDialogTyp::CheckCount; ++c)
        settings.checked[size_t(c)] = m_checks[size_t(c)]->isChecked();
}

void TSestPrintDlg::placeGroups()
{
    int y = 0;
    for (int g = 0; g < TPrintDialogTyp::GroupCount; ++g) {
        QGroupBox *group = m_groups[size_t(g)];
        group->setVisible(m_groupShown[size_t(g)]);
        if (!m_groupShown[size_t(g)])
            continue;
        group->move(8, y);
        y += group->height();
    }
    for (QPushButton *b :
         {m_buttons[TPrintDialogTyp::ButtonPrint], m_buttons[TPrintDialogTyp::ButtonPreview], m_storno})
        b->move(b->x(), y + 6);
    QCheckBox *background = m_checks[TPrintDialogTyp::CheckBackground];
    background->move(background->x(), y + 10);
    setFixedSize(ClientWidth, y + 33);
}

QString TSestPrintDlg::printerPort(const QString &printerName)
{
    // The printing system's own description of where the queue prints.
    return printerName.isEmpty() ? QString() : QPrinterInfo::printerInfo(printerName).location();
}

void TSestPrintDlg::printerChosen()
{
    const int index = m_printer->selectedIndex();
    const PrinterList *list = CurrentPrinter::current().printerList();
    m_type->setText(index >= 0 && list ? list->driverName(index) : QString());
    m_port->setText(index >= 0 ? printerPort(m_printer->currentText()) : QString());
}

void TSestPrintDlg::properties()
{
    const QString name = m_printer->currentText();
    QPrinter printer(QPrinterInfo::printerInfo(name));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(u"dlgNastaveniTiskarny"_s);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    ui().execModal(dialog);
    // Whatever printer the set-up left selected is shown.
    const int chosen = m_printer->findText(printer.printerName());
    if (chosen >= 0)
        m_printer->setCurrentIndex(chosen);
    printerChosen();
}

void TSestPrintDlg::currentPageToggled()
{
    const bool pageFields = !m_checks[TPrintDialogTyp::CheckCurrentPage]->isChecked();
    m_from->setEnabled(pageFields);
    m_to->setEnabled(pageFields);
}

void TSestPrintDlg::finish(TPrintDialogTyp::Answer answer)
{
    m_answer = answer;
    accept();
}
