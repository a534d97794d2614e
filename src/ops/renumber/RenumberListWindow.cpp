#include "ops/renumber/RenumberListWindow.h"

#include "app/core/HostIniFiles.h"
#include "app/core/OperationSession.h"
#include "app/core/ProgressGuards.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/WindowPlacement.h"
#include "ops/renumber/RenumberProposal.h"
#include "ops/renumber/RenumberWriteBack.h"
#include "ops/renumber/StartNumberDialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmPrecisDoklSeznam::TfrmPrecisDoklSeznam(OperationSession &session, const RenumberState &state, QWidget *parent)
    : QDialog(parent), m_session(session), m_state(state), m_mtDoklady(std::make_unique<MemTable>(u"mtDoklady"_s))
{
    setObjectName(u"TfrmPrecisDoklSeznam"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1100, 700);
    defineRenumberList(*m_mtDoklady, m_state.module, isDoubleEntry(session.runContext().yearDir));
    m_proposal = std::make_unique<RenumberProposal>(session, *m_mtDoklady, m_state, *this);
    m_writeBack = std::make_unique<RenumberWriteBack>(session, *m_mtDoklady, m_state);

    auto *layout = new QVBoxLayout(this);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grDoklady"_s);
    m_grid->setMarkingEnabled(true);
    m_grid->setSearchEnabled(true);
    m_grid->setTable(m_mtDoklady.get());
    connect(m_grid, &DataGrid::titleClicked, this, &TfrmPrecisDoklSeznam::titleClicked);
    layout->addWidget(m_grid, 1);
    layout->addWidget(createGuidePanel());

    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString &text, const QString &name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false); // Enter belongs to the grid and the search strip
        buttons->addWidget(b);
        return b;
    };
    m_btnZavrit = button(u"Zavřít"_s, u"btnZavrit"_s);
    m_btnNavrhPrecis = button(u"Navrhnout"_s, u"btnNavrhPrecis"_s);
    m_btnPrecislovat = button(u"Přečíslovat"_s, u"btnPrecislovat"_s);
    m_btnVratitNavrh = button(u"Původní"_s, u"btnVratitNavrh"_s);
    m_btnKontrPosl = button(u"Kontrola"_s, u"btnKontrPosl"_s);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnNavrhPrecis, &QPushButton::clicked, this, [this] { proposeRenumbering(); });
    connect(m_btnPrecislovat, &QPushButton::clicked, this, [this] { renumber(); });
    connect(m_btnVratitNavrh, &QPushButton::clicked, this, [this] { revertWithConfirmation(); });
    connect(m_btnKontrPosl, &QPushButton::clicked, this, [this] { checkSequence(); });
}

TfrmPrecisDoklSeznam::~TfrmPrecisDoklSeznam() = default;

MemTable &TfrmPrecisDoklSeznam::mtNeoznacene()
{
    return m_proposal->unmarkedRows();
}

MemTable &TfrmPrecisDoklSeznam::mtTempDoklady()
{
    return m_writeBack->mtTempDoklady();
}

MemTable &TfrmPrecisDoklSeznam::mtTempUhrady()
{
    return m_writeBack->mtTempUhrady();
}

QWidget *TfrmPrecisDoklSeznam::createGuidePanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(u"panPostup"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    auto *guide = new QLabel(
        u"<b>Postup při přečíslování dokladů</b><ol>"
        u"<li>určete, podle kterého sloupce se mají data <b>seřadit pro přečíslování</b> (např. podle Datumu "
        u"vystavení, apod.)<br>(data seřadíte podobným způsobem jako v Ledra, tzn. klepnutím na záhlaví "
        u"příslušného sloupce - setříděný sloupec je indikován značkou &#9650; i barevně)<br><b>Tip:</b> jestliže "
        u"chcete zkontrolovat aktuální posloupnost dokladů, klepněte na tlačítko [Kontrola]</li>"
        u"<li>pokud chcete přečíslovat pouze vybrané doklady, <b>označte je</b> (neoznačíte-li žádný záznam, "
        u"přečíslují se všechny zobrazené doklady od začátku)<br>(záznamy v mřížce označíte podobným způsobem jako "
        u"v Ledra: buď myší - klepnutím na čtvereček ve sloupci &#9633; nebo pomocí šipek a klávesy Shift)</li>"
        u"<li>klepněte na tlačítko <b>[Navrhnout]</b> a zadejte počáteční číslo</li>"
        u"<li>nakonec zvolte <b>[Přečíslovat]</b>, aby se návrh promítnul do ostrých dat (program také zobrazí "
        u"protokol ve tvaru původní číslo &gt;&gt; nové číslo)</li></ol>"
        u"<span style=\"color:red\"><b>Varování:</b> přečíslování je nevratná operace - nepokračujte dále, pokud "
        u"nemáte aktuální zálohu dat Ledra!</span>"_s,
        panel);
    guide->setObjectName(u"lblPostup"_s);
    guide->setTextFormat(Qt::RichText);
    guide->setWordWrap(true);
    layout->addWidget(guide);
    return panel;
}

int TfrmPrecisDoklSeznam::markCount() const
{
    return m_grid->markCount();
}

bool TfrmPrecisDoklSeznam::isMarked(int row) const
{
    return m_grid->isMarked(row);
}

void TfrmPrecisDoklSeznam::suspendRepaint(bool suspended)
{
    m_grid->view()->setUpdatesEnabled(!suspended);
}

void TfrmPrecisDoklSeznam::updateListButtons(bool busy)
{
    const bool rows = !m_mtDoklady->isEmpty();
    m_btnNavrhPrecis->setEnabled(rows && !busy && !m_state.proposalExists);
    m_btnPrecislovat->setEnabled(rows && !busy && m_state.proposalExists);
    m_btnVratitNavrh->setEnabled(rows && !busy && m_state.proposalExists);
    m_btnKontrPosl->setEnabled(rows && !busy);
    m_btnZavrit->setEnabled(true);
}

void TfrmPrecisDoklSeznam::colourSortedColumn(int column, const QColor &colour)
{
    for (int c = 0; c < m_grid->columnCount(); ++c)
        m_grid->setColumnColour(c, c == column ? colour : QColor());
}

void TfrmPrecisDoklSeznam::sortByColumn(int column)
{
    const QString field = m_grid->columnField(column);
    const MemTable::Bookmark current = m_mtDoklady->bookmark();
    m_mtDoklady->setSortFields(field + u";RecNo"_s);
    m_mtDoklady->gotoBookmark(current);
    colourSortedColumn(column, sortColour());
    for (int c = 0; c < m_grid->columnCount(); ++c)
        m_grid->setSortMark(c, c == column);
    m_state.sortField = field;
}

void TfrmPrecisDoklSeznam::titleClicked(int column)
{
    if (m_grid->columnField(column).compare(u"Doklad"_s, Qt::CaseInsensitive) != 0) {
        sortByColumn(column);
        return;
    }
    // The numbers change under a proposal, so the list is never sorted by
    // them directly: "# Dokl." freezes their order at the moment of the click.
    ui().information(u"Sloupec \"Doklad\" bude po dokončení změněn přečíslováním, nelze jej proto v této funkci "
                     u"třídit přímo - doplněk však použije tzv. pomocné třídění: pomocí číselného sloupce \"# "
                     u"Dokl.\" seřadí vizuálně data tak, aby odpovídala setřídění podle sloupce \"Doklad\"."_s);
    const MemTable::Bookmark current = m_mtDoklady->bookmark();
    m_mtDoklady->setSortFields(u"Doklad;RecNo"_s);
    m_mtDoklady->gotoBookmark(current);
    RepaintPause pause(*this);
    numberAuxiliaryOrder(*m_mtDoklady, m_session.progress());
    m_state.sortField = u"XDoklad"_s;
    sortGridBy(*m_grid, *m_mtDoklady, sortColour(), true, u"XDoklad"_s);
    m_mtDoklady->gotoBookmark(current);
}

QString TfrmPrecisDoklSeznam::currentSortDescription() const
{
    const int column = findGridColumn(*m_grid, sortFieldOf(*m_mtDoklady));
    return sortDescription(column >= 0 ? m_grid->columnTitle(column) : QString());
}

// The start-number window for `count` rows; released before the work starts.
int TfrmPrecisDoklSeznam::askStartNumber(TfrmNastavPrecisl::Mode mode, int count, qint64 &start)
{
    TfrmNastavPrecisl window(mode, m_state, count, currentSortDescription());
    if (ui().execModal(window) != QDialog::Accepted)
        return -1;
    start = window.startNumber();
    return 0;
}

int TfrmPrecisDoklSeznam::proposeRenumbering()
{
    updateListButtons(true);
    const int count = markCount() > 0 ? markCount() : m_mtDoklady->recordCount();
    qint64 start = 0;
    if (askStartNumber(TfrmNastavPrecisl::Mode::Propose, count, start) != 0) {
        updateListButtons(false);
        return -1;
    }
    // An engine error ends the operation from the application's event
    // delivery: the window is closed and the list, half proposed or not, is
    // discarded with it; the host's tables were only read.
    const int result = m_proposal->propose(start);
    updateListButtons(false);
    return result;
}

int TfrmPrecisDoklSeznam::checkSequence()
{
    updateListButtons(true);
    bool checkAll = true;
    if (markCount() > 0)
        checkAll = !ui().askYesNo(MessageKind::Confirmation,
                                  u"V seznamu jsou označené některé doklady. Chcete zkontrolovat jen "
                                  u"označené?\r\r[Ano] - zkontroluje jen označené doklady\r\r[Ne] - zkontroluje "
                                  u"všechny doklady"_s);
    const int count = checkAll ? m_mtDoklady->recordCount() : markCount();
    qint64 start = 0;
    if (askStartNumber(TfrmNastavPrecisl::Mode::Check, count, start) != 0) {
        updateListButtons(false);
        return -1;
    }
    const int result = checkSequenceInList(m_session, *m_mtDoklady, m_state, *this, checkAll, start, windowTitle(),
                                           currentSortDescription());
    updateListButtons(false);
    return result;
}

int TfrmPrecisDoklSeznam::revertWithConfirmation()
{
    if (!ui().askYesNo(MessageKind::Confirmation,
                       u"Chcete zrušit navrhnuté přečíslování a vrátit čísla do původního stavu?"_s))
        return -1;
    return revertProposal(*m_mtDoklady, m_state, *this, m_session.progress());
}

int TfrmPrecisDoklSeznam::renumber()
{
    return m_writeBack->renumber(*this, windowTitle());
}

void TfrmPrecisDoklSeznam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_mtDoklady->last();
    updateListButtons(false);
}

int loadRenumberList(OperationSession &session, RenumberModule module, const QString &rada, int digitCount,
                     bool leadingZeros)
{
    RenumberState state;
    std::unique_ptr<TfrmPrecisDoklSeznam> window;
    {
        WorkingOverlay working(session.progress(), u"Pracuji\rčekejte prosím..."_s);
        state.module = module;
        state.seriesPrefix = expandSeriesPrefix(rada, readYearName(session.runContext().yearDir)).toUpper();
        state.leadingZeros = leadingZeros;
        state.digitCount = digitCount;
        state.proposalExists = false;
        window = std::make_unique<TfrmPrecisDoklSeznam>(session, state);
    }
    MemTable &list = window->mtDoklady();
    list.clear();
    window->setWindowTitle(u"Prefix "_s + state.seriesPrefix + u" "_s + RenumberModules::moduleText(module));

    RenumberListLoader loader(session, module, state.seriesPrefix);
    if (loader.load(list) != 0)
        return -1;

    const QString dateField = module == RenumberModule::Cash ? u"DatVyst"_s : u"DatUcPr"_s;
    window->state().sortField = dateField;
    sortGridBy(window->grid(), list, TfrmPrecisDoklSeznam::sortColour(), true, dateField, u"RecNo"_s);
    WindowPlacement::maximise(*window);
    ui().execModal(*window);
    return 0;
}
