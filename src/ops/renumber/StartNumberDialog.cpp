#include "ops/renumber/StartNumberDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "ops/renumber/RenumberProposal.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QString sortDescription(const QString &columnTitle)
{
    return u"dle sloupce ["_s + columnTitle + u"]"_s;
}

TfrmNastavPrecisl::TfrmNastavPrecisl(Mode mode, const RenumberState &state, int count, const QString &sortText,
                                     QWidget *parent)
    : QDialog(parent), m_state(state), m_count(count)
{
    const bool propose = mode == Mode::Propose;
    setObjectName(u"TfrmNastavPrecisl"_s);
    setWindowTitle(propose ? u"Navrhnout přečíslování"_s : u"Zkontrolovat posloupnost"_s);

    auto *layout = new QVBoxLayout(this);
    auto *info = new QLabel(
        propose ? u"Zadejte <b>počáteční číslo</b> a stiskněte tlačítko [OK]. Program navrhne přečíslování, do ostrých "
                  u"dat Ledra však v tuto chvíli ještě nebude zapisovat."_s
                : u"Zadejte <b>počáteční číslo</b> a stiskněte tlačítko [OK]. Program zkontroluje posloupnost čísel "
                  u"dokladů podle aktuálně seřazeného sloupce."_s,
        this);
    info->setObjectName(u"lblInfo"_s);
    info->setTextFormat(Qt::RichText);
    info->setWordWrap(true);
    layout->addWidget(info);

    auto *form = new QFormLayout;
    m_edtPrefix = new QLineEdit(state.seriesPrefix, this);
    m_edtPrefix->setObjectName(u"edtPrefix"_s);
    m_edtPrefix->setReadOnly(true);
    form->addRow(u"Prefix"_s, m_edtPrefix);
    m_edtPocCislo = new QSpinBox(this);
    m_edtPocCislo->setObjectName(u"edtPocCislo"_s);
    m_edtPocCislo->setRange(1, 999999);
    m_edtPocCislo->setValue(1);
    form->addRow(u"Počáteční číslo"_s, m_edtPocCislo);
    auto *lblAktSerazeni = new QLabel(sortText, this);
    lblAktSerazeni->setObjectName(u"lblAktSerazeni"_s);
    form->addRow(u"Aktuální seřazení dat"_s, lblAktSerazeni);
    m_lblPocetKPrec = new QLabel(QString::number(count), this);
    m_lblPocetKPrec->setObjectName(u"lblPocetKPrec"_s);
    form->addRow(propose ? u"Dokladů k přečíslování"_s : u"Dokladů ke kontrole"_s, m_lblPocetKPrec);
    m_lblNoveCislDolni = new QLabel(this);
    m_lblNoveCislDolni->setObjectName(u"lblNoveCislDolni"_s);
    form->addRow(propose ? u"Nové číslo (dolní mez)"_s : u"Dolní mez"_s, m_lblNoveCislDolni);
    m_lblNoveCisloHorni = new QLabel(this);
    m_lblNoveCisloHorni->setObjectName(u"lblNoveCisloHorni"_s);
    form->addRow(propose ? u"Nové číslo (horní mez)"_s : u"Horní mez"_s, m_lblNoveCisloHorni);
    layout->addLayout(form);

    auto *note = new QLabel(u"<b>Jedná se pouze o informativní kontrolu.</b>"_s, this);
    note->setObjectName(u"lblInformativni"_s);
    note->setTextFormat(Qt::RichText);
    note->setVisible(!propose);
    layout->addWidget(note);

    QPushButton *btnOK = DialogParts::addOkStorno(this, layout);
    connect(btnOK, &QPushButton::clicked, this, &TfrmNastavPrecisl::accept);
    connect(m_edtPocCislo, &QSpinBox::valueChanged, this, [this] { updateBoundLabels(); });
    updateBoundLabels();
}

qint64 TfrmNastavPrecisl::startNumber() const
{
    return m_edtPocCislo->value();
}

int TfrmNastavPrecisl::updateBoundLabels()
{
    const ProposalBounds bounds = proposalBounds(m_state, startNumber(), m_count);
    m_lblNoveCislDolni->setText(bounds.lower);
    m_lblNoveCisloHorni->setText(bounds.upper);
    return bounds.ok ? 0 : -1;
}

void TfrmNastavPrecisl::accept()
{
    if (updateBoundLabels() != 0) {
        ui().warning(u"Novou číselnou řadu nelze sestavit - je možné, že horní mez přesahuje maximální možnou hodnotu "
                     u"pro danou číselnou řadu.\r\rPozn.: maximální hodnota u každé řady je stanovena přímo v Ledra - "
                     u"viz Nástroje/Seznamy/Číselné řady políčko \"Počet míst\" (pokud je např. počet míst stanoven "
                     u"na 3, horní mez může být max. 999 atd.)."_s);
        return;
    }
    QDialog::accept();
}

void TfrmNastavPrecisl::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateBoundLabels();
    m_edtPocCislo->setFocus();
    m_edtPocCislo->selectAll();
}
