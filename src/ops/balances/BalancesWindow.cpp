#include "ops/balances/BalancesWindow.h"

#include "common/MemTable.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/DialogParts.h"
#include "common/widgets/WindowPlacement.h"
#include "ops/balances/BalancesReport.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmStavUctuPokladenReport::TfrmStavUctuPokladenReport(TStavUctuPokladenReport &report, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"TfrmStavUctuPokladenReport"_s);
    setWindowTitle(u"Stav bankovních účtů a pokladen"_s);
    WindowPlacement::maximise(*this);

    // "Datum", then the balance column of each currency in `ID` order; the
    // other fields of the days are not shown.
    MemTable &days = report.days();
    for (int field = 0; field < days.fieldCount(); ++field)
        days.field(field).visible = false;
    FieldDef &date = days.field(days.fieldIndex(u"Datum"_s));
    date.visible = true;
    date.displayLabel = u"Datum"_s;
    date.displayWidth = 100;
    for (int currency = 0; currency < report.currencyCount(); ++currency) {
        FieldDef &balance = days.field(days.fieldIndex(TStavUctuPokladenReport::balanceField(currency)));
        balance.visible = true;
        balance.displayLabel = u"Celkem %1"_s.arg(report.printCode(currency));
        balance.displayWidth = 120;
    }

    auto *layout = new QVBoxLayout(this);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grStav"_s);
    m_grid->setSearchEnabled(false);
    m_grid->setTable(&days);
    layout->addWidget(m_grid, 1);

    DialogParts::addZavrit(this, layout);
}

TfrmStavUctuPokladenReport::~TfrmStavUctuPokladenReport() = default;
