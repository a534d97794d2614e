#include "ops/edited/EditedListWindow.h"

#include "app/core/OperationSession.h"
#include "app/ui/PrintContext.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/WindowPlacement.h"
#include "ops/edited/ActionHistoryWindow.h"
#include "ops/edited/EditedListFilterDialog.h"
#include "ops/edited/EditedModules.h"
#include "print/PrintDialog.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The sort mark's colour of the operations' lists.
const QColor kMarkColour(208, 238, 209);

QLabel *swatch(QWidget *parent, const QString &text, const QColor &background, const QColor &foreground)
{
    auto *label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    if (foreground.isValid())
        palette.setColor(QPalette::WindowText, foreground);
    label->setPalette(palette);
    return label;
}

} // namespace

TfrmSeznamOdlisDokl::TfrmSeznamOdlisDokl(OperationSession &session, int module, QWidget *parent)
    : QDialog(parent), m_session(session), m_module(module), m_mtDoklady(std::make_unique<MemTable>(u"mtDoklady"_s))
{
    setObjectName(u"TfrmSeznamOdlisDokl"_s);
    WindowPlacement::maximise(*this);
    EditedModules::defineDocumentRows(*m_mtDoklady);

    auto *layout = new QVBoxLayout(this);
    auto *toolbar = new QHBoxLayout;
    auto *btnZavrit = new QPushButton(u"Zavřít"_s, this);
    btnZavrit->setObjectName(u"btnZavrit"_s);
    m_btnHistorieAkci = new QPushButton(u"Historie akcí"_s, this);
    m_btnHistorieAkci->setObjectName(u"btnHistorieAkci"_s);
    m_btnFiltr = new QPushButton(u"Filtr"_s, this);
    m_btnFiltr->setObjectName(u"btnFiltr"_s);
    m_btnTiskSeznamu = new QPushButton(u"Tisk seznamu"_s, this);
    m_btnTiskSeznamu->setObjectName(u"btnTiskSeznamu"_s);
    for (QPushButton *button : {btnZavrit, m_btnHistorieAkci, m_btnFiltr, m_btnTiskSeznamu}) {
        button->setAutoDefault(false);
        toolbar->addWidget(button);
    }
    toolbar->addStretch();
    layout->addLayout(toolbar);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"grDoklady"_s);
    m_grid->setTable(m_mtDoklady.get());
    QHeaderView *titles = m_grid->view()->horizontalHeader();
    QFont bold = titles->font();
    bold.setBold(true);
    titles->setFont(bold);
    QPalette titlePalette = titles->palette();
    titlePalette.setColor(QPalette::ButtonText, QColor(Qt::darkGray));
    titles->setPalette(titlePalette);
    const int typBarvy = m_mtDoklady->fieldIndex(u"TypBarvy"_s);
    m_grid->setRowColours([this, typBarvy](int row) -> std::optional<GridColours> {
        const auto colours = EditedListRules::highlightColour(m_mtDoklady->value(row, typBarvy).toInt());
        if (!colours)
            return std::nullopt;
        return GridColours{colours->background, colours->text, colours->selectedBackground};
    });
    layout->addWidget(m_grid, 1);

    m_miCisloDoSchranky = new QAction(u"Číslo dokladu do schránky"_s, this);
    m_miCisloDoSchranky->setObjectName(u"miCisloDoSchranky"_s);
    m_miCisloDoSchranky->setShortcut(QKeySequence(Qt::Key_F5));
    m_miCisloDoSchranky->setShortcutContext(Qt::WindowShortcut);
    addAction(m_miCisloDoSchranky);
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        QMenu menu(this);
        menu.addAction(m_miCisloDoSchranky);
        menu.exec(m_grid->view()->viewport()->mapToGlobal(position));
    });

    // The legend with the load's counts.
    auto *legend = new QGridLayout;
    legend->addWidget(new QLabel(u"Legenda:"_s, this), 0, 0);
    const auto edited = EditedListRules::highlightColour(1);
    const auto changed = EditedListRules::highlightColour(2);
    legend->addWidget(swatch(this, u" záznamy bez barevného odlišení"_s, QColor(216, 216, 216), QColor()), 0, 1);
    legend->addWidget(new QLabel(u"doklady bez opravy - celkem"_s, this), 0, 2);
    legend->addWidget(swatch(this, u" žlutě označené záznamy "_s, edited->background, edited->text), 1, 1);
    legend->addWidget(new QLabel(u"opravené doklady - celkem"_s, this), 1, 2);
    legend->addWidget(swatch(this, u" červeně označené záznamy"_s, changed->background, changed->text), 2, 1);
    legend->addWidget(new QLabel(u"opravené doklady, u kterých se měnila celková cena - celkem"_s, this), 2, 2);
    m_lblPocetBezOpravy = new QLabel(u"0"_s, this);
    m_lblPocetBezOpravy->setObjectName(u"lblPocetBezOpravy"_s);
    m_lblPocetOpravenych = new QLabel(u"0"_s, this);
    m_lblPocetOpravenych->setObjectName(u"lblPocetOpravenych"_s);
    m_lblPocetZmenaCeny = new QLabel(u"0"_s, this);
    m_lblPocetZmenaCeny->setObjectName(u"lblPocetZmenaCeny"_s);
    legend->addWidget(m_lblPocetBezOpravy, 0, 3);
    legend->addWidget(m_lblPocetOpravenych, 1, 3);
    legend->addWidget(m_lblPocetZmenaCeny, 2, 3);
    legend->setColumnStretch(4, 1);
    layout->addLayout(legend);
    auto *note = new QLabel(u"Pozn.: doplněk čerpá z globálních akcí a předpokládá, že záznamy v \"Ledra/Správa "
                            u"dat/Historie akcí s programem\" nebyly uživatelsky zrušeny (lze zakázat v přístupových "
                            u"právech)."_s,
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnHistorieAkci, &QPushButton::clicked, this, &TfrmSeznamOdlisDokl::openHistory);
    connect(m_btnFiltr, &QPushButton::clicked, this, &TfrmSeznamOdlisDokl::filterClicked);
    connect(m_grid, &DataGrid::activated, this, &TfrmSeznamOdlisDokl::openHistory);
    connect(m_grid, &DataGrid::titleClicked, this, &TfrmSeznamOdlisDokl::titleClicked);
    connect(m_miCisloDoSchranky, &QAction::triggered, this, &TfrmSeznamOdlisDokl::copyNumber);
    // The rows as the list shows them (filtered, sorted) through the print dialog.
    connect(m_btnTiskSeznamu, &QPushButton::clicked, this, &TfrmSeznamOdlisDokl::printList);
}

TfrmSeznamOdlisDokl::~TfrmSeznamOdlisDokl() = default;

void TfrmSeznamOdlisDokl::prepareRows()
{
    EditedModules::layOutColumns(*m_mtDoklady, m_module);
    m_grid->refreshColumns();
    sortGridBy(*m_grid, *m_mtDoklady, kMarkColour, false, u"Doklad"_s);
    m_mtDoklady->first();
}

void TfrmSeznamOdlisDokl::setCounts(const EditedCounts &counts)
{
    m_lblPocetBezOpravy->setText(QString::number(counts.notEdited));
    m_lblPocetOpravenych->setText(QString::number(counts.edited));
    m_lblPocetZmenaCeny->setText(QString::number(counts.totalChanged));
}

EditedListRules::ActionStates TfrmSeznamOdlisDokl::actionStates() const
{
    return EditedListRules::actionStates(m_mtDoklady->recordCount(), true);
}

void TfrmSeznamOdlisDokl::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateActionStates();
    m_grid->view()->setFocus();
}

void TfrmSeznamOdlisDokl::updateActionStates()
{
    const EditedListRules::ActionStates states = actionStates();
    m_btnHistorieAkci->setEnabled(states.history);
    m_btnTiskSeznamu->setEnabled(states.print);
    m_miCisloDoSchranky->setEnabled(states.copy);
}

void TfrmSeznamOdlisDokl::printList()
{
    if (!actionStates().print)
        return;
    TfrmTisk::Print(tfSeznamDokladu, *m_mtDoklady, printContext(m_session.runContext()));
}

void TfrmSeznamOdlisDokl::titleClicked(int column)
{
    const QString field = m_grid->columnField(column);
    if (field.isEmpty())
        return;
    const MemTable::Bookmark current = m_mtDoklady->bookmark();
    m_grid->moveColumn(column, 0);
    // Sorting by the column's field also makes it the search field; the
    // filter stays.
    sortGridBy(*m_grid, *m_mtDoklady, kMarkColour, false, field);
    if (current != 0)
        m_mtDoklady->gotoBookmark(current);
}

void TfrmSeznamOdlisDokl::filterClicked()
{
    TfrmSeznamOdlisDoklFiltr filter(this);
    if (ui().execModal(filter) != QDialog::Accepted)
        return;
    const MemTable::Bookmark current = m_mtDoklady->bookmark();
    QFont font = m_btnFiltr->font();
    if (filter.isFilterActive()) {
        m_mtDoklady->setFilter(EditedListRules::rowFilter(filter.choice()));
        m_btnFiltr->setText(u"Filtr!"_s);
        font.setBold(true);
    } else {
        m_mtDoklady->setFilter(nullptr);
        m_btnFiltr->setText(u"Filtr"_s);
        font.setBold(false);
    }
    m_btnFiltr->setFont(font);
    if (current == 0 || !m_mtDoklady->gotoBookmark(current))
        m_mtDoklady->first();
    updateActionStates();
}

void TfrmSeznamOdlisDokl::openHistory()
{
    if (!m_btnHistorieAkci->isEnabled() || m_mtDoklady->currentRow() < 0)
        return;
    const EditedModule *module = EditedModules::find(m_module);
    const QString number = m_mtDoklady->value(u"Doklad"_s).toString();
    // An engine failure while reading the log is shown and ends only the
    // history; the list stays open.
    m_session.runGuarded([&] { return showActionHistory(m_session, module->listCode.toString(), number); });
}

void TfrmSeznamOdlisDokl::copyNumber()
{
    if (!m_miCisloDoSchranky->isEnabled() || m_mtDoklady->currentRow() < 0)
        return;
    ui().setClipboardText(m_mtDoklady->value(u"Doklad"_s).toString());
}
