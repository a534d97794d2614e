#include "ops/edited/EditedListFilterDialog.h"

#include "common/widgets/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmSeznamOdlisDoklFiltr::TfrmSeznamOdlisDoklFiltr(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmSeznamOdlisDoklFiltr"_s);
    setWindowTitle(u"Filtr"_s);

    auto *layout = new QVBoxLayout(this);
    m_chckFiltrAktivni = new QCheckBox(u"filtr aktivní"_s, this);
    m_chckFiltrAktivni->setObjectName(u"chckFiltrAktivni"_s);
    m_chckFiltrAktivni->setChecked(true);
    layout->addWidget(m_chckFiltrAktivni);

    auto *stateLine = new QHBoxLayout;
    m_chckDleStavu = new QCheckBox(u"dle stavu"_s, this);
    m_chckDleStavu->setObjectName(u"chckDleStavu"_s);
    m_chckDleStavu->setChecked(true);
    m_cbxDleStavu = new QComboBox(this);
    m_cbxDleStavu->setObjectName(u"cbxDleStavu"_s);
    m_cbxDleStavu->addItems(EditedListRules::choiceTexts());
    m_cbxDleStavu->setCurrentIndex(int(EditedListRules::Choice::AllEdited));
    stateLine->addWidget(m_chckDleStavu);
    stateLine->addWidget(m_cbxDleStavu, 1);
    layout->addLayout(stateLine);

    QPushButton *btnOK = DialogParts::addOkZavritRow(this, layout).btnOK;

    // The state is the only criterion: a click cannot uncheck it.
    connect(m_chckDleStavu, &QCheckBox::clicked, this, [this] { m_chckDleStavu->setChecked(true); });
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfrmSeznamOdlisDoklFiltr::isFilterActive() const
{
    return m_chckFiltrAktivni->isChecked();
}

EditedListRules::Choice TfrmSeznamOdlisDoklFiltr::choice() const
{
    return EditedListRules::Choice(qBound(0, m_cbxDleStavu->currentIndex(), 2));
}
