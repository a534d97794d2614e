#include "app/Seznam1.h"

#include "app/OperationSession.h"
#include "app/PickLists.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmSeznam1::TfrmSeznam1(QWidget *parent) : QDialog(parent), m_mtSeznam1(std::make_unique<MemTable>(u"mtSeznam1"_s))
{
    setObjectName(u"TfrmSeznam1"_s);
    resize(540, 420);
    definePickListTable(*m_mtSeznam1);

    auto *layout = new QVBoxLayout(this);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grSeznam1"_s);
    m_grid->setRowSelect(true);
    m_grid->setSearchEnabled(false);
    m_grid->setTable(m_mtSeznam1.get());
    layout->addWidget(m_grid, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnOK = new QPushButton(u"OK"_s, this);
    m_btnOK->setObjectName(u"btnOK"_s);
    m_btnOK->setDefault(true);
    auto *btnZavrit = new QPushButton(u"Zavřít"_s, this);
    btnZavrit->setObjectName(u"btnZavrit"_s);
    btnZavrit->setAutoDefault(false);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(btnZavrit);
    layout->addLayout(buttons);

    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &DataGrid::activated, this, [this] {
        if (m_btnOK->isEnabled())
            accept();
    });
}

TfrmSeznam1::~TfrmSeznam1() = default;

QString TfrmSeznam1::currentCode() const
{
    return m_mtSeznam1->currentRow() >= 0 ? m_mtSeznam1->value(u"Zkratka"_s).toString() : QString();
}

void TfrmSeznam1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_btnOK->setEnabled(!m_mtSeznam1->isEmpty());
    m_grid->setFocus();
}

QString pickFromList(OperationSession &session, int type)
{
    const auto listType = pickListType(type, session.runContext());
    if (!listType)
        return QString();

    session.progress().showWorking(true, u"Načtení seznamu\rčekejte prosím..."_s);
    auto window = std::make_unique<TfrmSeznam1>();
    window->mtSeznam1().clear();
    if (session.BFTable1.Tag != 0) {
        session.BFTable1.Close();
        session.BFTable1.Tag = 0;
    }

    window->setWindowTitle(listType->caption);
    QString failedPath;
    if (loadPickList(*listType, session.BFTable1, window->mtSeznam1(), &failedPath) != 0) {
        session.progress().showWorking(false);
        window.reset();
        ui().error(u"Nastala chyba při otevírání databáze "_s + failedPath + u".DAT"_s);
        return QString();
    }

    window->mtSeznam1().first();
    session.progress().showWorking(false);
    if (ui().execModal(*window) != QDialog::Accepted)
        return QString();
    return window->currentCode();
}
