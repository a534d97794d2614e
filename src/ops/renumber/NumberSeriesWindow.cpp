#include "ops/renumber/NumberSeriesWindow.h"

#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/DialogParts.h"
#include "hostdb/HostTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

void defineSeriesList(MemTable &list)
{
    list.field(list.addField(u"Rada"_s, FieldType::String, 5, u"Prefix"_s)).displayWidth = 96;
    list.field(list.addField(u"Nazev"_s, FieldType::String, 255, u"Název"_s)).displayWidth = 468;
    list.field(list.addField(u"Nuly"_s, FieldType::Boolean)).visible = false;
    list.field(list.addField(u"PocetMist"_s, FieldType::Integer)).visible = false;
}

void loadNumberSeries(TBFTable &cisRady, RenumberModule module, MemTable &list)
{
    if (cisRady.RecordCount() <= 0)
        return;
    list.beginUpdate();
    cisRady.GoTop();
    while (!cisRady.Eof()) {
        const bool taken = module == RenumberModule::Cash
                               ? cisRady.Value(u"PP"_s).toBool() || cisRady.Value(u"VP"_s).toBool()
                               : cisRady.Value(u"ID"_s).toBool();
        if (taken) {
            list.append();
            list.setValue(u"Rada"_s, cisRady.Value(u"Rada"_s));
            list.setValue(u"Nazev"_s, cisRady.Value(u"Nazev"_s));
            list.setValue(u"PocetMist"_s, cisRady.Value(u"PocetMist"_s));
            list.setValue(u"Nuly"_s, cisRady.Value(u"Nuly"_s));
        }
        if (cisRady.Skip() != 0)
            break;
    }
    list.endUpdate();
}

TfrmCisRady::TfrmCisRady(QWidget *parent) : QDialog(parent), m_mtCisRady(std::make_unique<MemTable>(u"mtCisRady"_s))
{
    setObjectName(u"TfrmCisRady"_s);
    resize(620, 420);
    defineSeriesList(*m_mtCisRady);

    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(u"Vyberte ze seznamu <b>číselnou řadu</b>, kterou chcete přečíslovat. Program následně "
                            u"vyfiltruje seznam dokladů na tuto řadu."_s,
                            this);
    hint->setObjectName(u"lblNapoveda"_s);
    hint->setTextFormat(Qt::RichText);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    const DialogParts::PickList pickList = DialogParts::addPickList(this, layout, u"grCisRady"_s, m_mtCisRady.get());
    m_grid = pickList.grid;
    m_btnOK = pickList.btnOK;
}

TfrmCisRady::~TfrmCisRady() = default;

NumberSeries TfrmCisRady::currentSeries() const
{
    if (m_mtCisRady->currentRow() < 0)
        return {};
    return {m_mtCisRady->value(u"Rada"_s).toString(), m_mtCisRady->value(u"Nuly"_s).toBool(),
            m_mtCisRady->value(u"PocetMist"_s).toInt()};
}

void TfrmCisRady::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_btnOK->setEnabled(!m_mtCisRady->isEmpty());
    m_grid->setFocus();
}

int chooseNumberSeries(OperationSession &session, RenumberModule module, NumberSeries &chosen)
{
    WorkingOverlay working(session.progress(), u"Načtení seznamu\rčekejte prosím..."_s);
    auto window = std::make_unique<TfrmCisRady>();
    window->setWindowTitle(u"Seznam číselných řad"_s);
    window->mtCisRady().clear();

    TBFTable table;
    const QString path = session.runContext().yearDir + u"CISRADY"_s;
    if (table.Open(path) != 0) {
        working.hide();
        ui().error(u"Nastala chyba při otevírání databáze "_s + path + u".DAT"_s);
        return -1;
    }
    loadNumberSeries(table, module, window->mtCisRady());
    window->mtCisRady().first();
    table.Close();
    working.hide();

    if (ui().execModal(*window) != QDialog::Accepted)
        return -1;
    chosen = window->currentSeries();
    return 0;
}
