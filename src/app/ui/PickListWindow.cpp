#include "app/ui/PickListWindow.h"

#include "app/core/OperationSession.h"
#include "app/core/PickLists.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/DialogParts.h"
#include "hostdb/HostTable.h"

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
    const DialogParts::PickList pickList = DialogParts::addPickList(this, layout, u"grSeznam1"_s, m_mtSeznam1.get());
    m_grid = pickList.grid;
    m_btnOK = pickList.btnOK;
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

    WorkingOverlay working(session.progress(), u"Načtení seznamu\rčekejte prosím..."_s);
    auto window = std::make_unique<TfrmSeznam1>();
    window->mtSeznam1().clear();

    window->setWindowTitle(listType->caption);
    QString failedPath;
    TBFTable table;
    if (loadPickList(*listType, table, window->mtSeznam1(), &failedPath) != 0) {
        working.hide();
        window.reset();
        ui().error(u"Nastala chyba při otevírání databáze "_s + failedPath + u".DAT"_s);
        return QString();
    }

    window->mtSeznam1().first();
    working.hide();
    if (ui().execModal(*window) != QDialog::Accepted)
        return QString();
    return window->currentCode();
}
