#include "ops/balances/BalancesFilterWindow.h"

#include "common/widgets/DialogParts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The pick list of bank accounts and cash desks.
constexpr int kAccountsListType = 5;
} // namespace

TfrmStavUctuPokladenFilter::TfrmStavUctuPokladenFilter(CodeListEditor editor, QWidget *parent)
    : QDialog(parent), m_editor(std::move(editor))
{
    setObjectName(u"TfrmStavUctuPokladenFilter"_s);
    setWindowTitle(u"Vstupní filtr"_s);

    auto *layout = new QVBoxLayout(this);
    m_rbVse = new QRadioButton(u"zahrnout všechny bankovní účty a pokladny"_s, this);
    m_rbVse->setObjectName(u"rbVse"_s);
    m_rbVybrane = new QRadioButton(u"jen vybrané"_s, this);
    m_rbVybrane->setObjectName(u"rbVybrane"_s);
    layout->addWidget(m_rbVse);
    layout->addWidget(m_rbVybrane);

    auto *codes = new QHBoxLayout;
    codes->addSpacing(20);
    m_edtVybrane = new QLineEdit(this);
    m_edtVybrane->setObjectName(u"edtVybrane"_s);
    m_edtVybrane->setReadOnly(true);
    m_edtVybrane->setMinimumWidth(280);
    m_btnVybrane = new QPushButton(u"..."_s, this);
    m_btnVybrane->setObjectName(u"btnVybrane"_s);
    m_btnVybrane->setAutoDefault(false);
    m_btnVybrane->setFixedWidth(28);
    codes->addWidget(m_edtVybrane, 1);
    codes->addWidget(m_btnVybrane);
    layout->addLayout(codes);
    layout->addStretch();

    QPushButton *btnOK = DialogParts::addOkZavritRow(this, layout).btnOK;

    connect(m_rbVse, &QRadioButton::toggled, this, &TfrmStavUctuPokladenFilter::updateSelection);
    connect(m_rbVybrane, &QRadioButton::toggled, this, &TfrmStavUctuPokladenFilter::updateSelection);
    connect(m_btnVybrane, &QPushButton::clicked, this, &TfrmStavUctuPokladenFilter::editCodes);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    setFilter(TStavUctuPokladenFilter());
}

TfrmStavUctuPokladenFilter::~TfrmStavUctuPokladenFilter() = default;

void TfrmStavUctuPokladenFilter::setFilter(const TStavUctuPokladenFilter &filter)
{
    (filter.useSelected ? m_rbVybrane : m_rbVse)->setChecked(true);
    m_edtVybrane->setText(filter.selectedCodes);
    updateSelection();
}

TStavUctuPokladenFilter TfrmStavUctuPokladenFilter::filter() const
{
    TStavUctuPokladenFilter filter;
    filter.useSelected = m_rbVybrane->isChecked();
    filter.selectedCodes = m_edtVybrane->text();
    return filter;
}

void TfrmStavUctuPokladenFilter::updateSelection()
{
    const bool selected = m_rbVybrane->isChecked();
    m_edtVybrane->setEnabled(selected);
    m_btnVybrane->setEnabled(selected);
    // The field in the window colour while it can be changed, in the
    // button-face colour while not.
    QPalette colours = m_edtVybrane->palette();
    const QColor background = palette().color(selected ? QPalette::Base : QPalette::Button);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::Base, background);
    m_edtVybrane->setPalette(colours);
}

void TfrmStavUctuPokladenFilter::editCodes()
{
    if (m_editor)
        m_edtVybrane->setText(m_editor(m_edtVybrane->text(), kAccountsListType));
}
