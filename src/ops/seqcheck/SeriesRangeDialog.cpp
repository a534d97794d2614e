#include "ops/seqcheck/SeriesRangeDialog.h"

#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmKontrPoslDetail::TfrmKontrPoslDetail(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmKontrPoslDetail"_s);
    setWindowTitle(u"Úprava hodnot"_s);

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_edtRada = new QLineEdit(this);
    m_edtRada->setObjectName(u"edtRada"_s);
    m_edtRada->setEnabled(false);
    form->addRow(u"Řada"_s, m_edtRada);
    const auto spin = [this](const QString &name) {
        auto *edit = new QSpinBox(this);
        edit->setObjectName(name);
        edit->setRange(1, 999999);
        return edit;
    };
    m_edtZacatek = spin(u"edtZacatek"_s);
    form->addRow(u"Začátek"_s, m_edtZacatek);
    m_edtKonec = spin(u"edtKonec"_s);
    form->addRow(u"Konec"_s, m_edtKonec);
    layout->addLayout(form);
    m_chckKontrolovat = new QCheckBox(u"kontrolovat tuto číselnou řadu"_s, this);
    m_chckKontrolovat->setObjectName(u"chckKontrolovat"_s);
    layout->addWidget(m_chckKontrolovat);

    QPushButton *btnOk = DialogParts::addOkZavritRow(this, layout, u"btnOk").btnOK;
    connect(btnOk, &QPushButton::clicked, this, &TfrmKontrPoslDetail::okClicked);
}

void TfrmKontrPoslDetail::setValues(const QString &code, int start, int end, bool checked)
{
    m_edtRada->setText(code);
    m_edtZacatek->setValue(start);
    m_edtKonec->setValue(end);
    m_chckKontrolovat->setChecked(checked);
}

int TfrmKontrPoslDetail::start() const
{
    return m_edtZacatek->value();
}

int TfrmKontrPoslDetail::end() const
{
    return m_edtKonec->value();
}

bool TfrmKontrPoslDetail::isChecked() const
{
    return m_chckKontrolovat->isChecked();
}

void TfrmKontrPoslDetail::okClicked()
{
    // A value typed but not yet confirmed counts as entered.
    m_edtZacatek->interpretText();
    m_edtKonec->interpretText();
    if (m_edtKonec->value() < m_edtZacatek->value()) {
        ui().warning(u"Hodnota \"Konec\" nesmí být menší než \"Začátek\"."_s);
        return;
    }
    accept();
}
