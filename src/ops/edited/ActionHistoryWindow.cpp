#include "ops/edited/ActionHistoryWindow.h"

#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/DialogParts.h"
#include "ops/edited/ActionHistory.h"
#include "ops/edited/DocumentClassification.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmGlAkce::TfrmGlAkce(QWidget *parent) : QDialog(parent), m_mtAkce(std::make_unique<MemTable>(u"mtAkce"_s))
{
    setObjectName(u"TfrmGlAkce"_s);
    setWindowTitle(u"Historie akcí"_s);
    resize(760, 360);
    ActionHistory::defineActionRows(*m_mtAkce);

    auto *layout = new QVBoxLayout(this);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grAkce"_s);
    m_grid->setSearchEnabled(false);
    m_grid->setTable(m_mtAkce.get());
    layout->addWidget(m_grid, 1);

    DialogParts::addZavrit(this, layout);
}

TfrmGlAkce::~TfrmGlAkce() = default;

int showActionHistory(OperationSession &session, const QString &listCode, const QString &documentNumber)
{
    WorkingOverlay working(session.progress(), u"Načtení seznamu\rčekejte prosím..."_s);
    auto window = std::make_unique<TfrmGlAkce>();

    const RunContext &context = session.runContext();
    TBFTable log;
    const QString logPath = context.dataRoot + u"GLAKCE"_s;
    if (log.Open(logPath) != 0) {
        working.hide();
        ui().error(u"Nastala chyba při otevírání databáze "_s + logPath + u".DAT"_s);
        return -1;
    }
    if (log.SetIndex(actionLogIndex()) != 0) {
        log.Close();
        working.hide();
        ui().error(u"Nastala chyba při nastavení indexu v "_s + logPath + u".DAT"_s);
        return -1;
    }
    ActionHistory::load(log, context.agendaCode, context.yearCode, listCode, documentNumber, window->mtAkce());
    window->mtAkce().first();
    log.Close();
    working.hide();
    ui().execModal(*window);
    return 0;
}
