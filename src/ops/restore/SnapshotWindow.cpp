#include "ops/restore/SnapshotWindow.h"

#include "app/core/OperationSession.h"
#include "common/LocaleFormats.h"
#include "common/UiSeam.h"
#include "ops/restore/SnapshotRestoreRun.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QTableWidget *grid(const QString &name, const QStringList &titles, QWidget *parent)
{
    auto *table = new QTableWidget(0, int(titles.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(titles);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // Every column as wide as its texts, the last one takes the rest: the
    // widths follow each refresh.
    for (int column = 0; column < titles.size(); ++column) {
        table->horizontalHeader()->setSectionResizeMode(
            column, column + 1 < titles.size() ? QHeaderView::ResizeToContents : QHeaderView::Stretch);
    }
    table->setWordWrap(false);
    return table;
}

void setCell(QTableWidget *table, int row, int column, const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

} // namespace

TfrmObnovaDotaz::TfrmObnovaDotaz(const QString &question, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmObnovaDotaz"_s);
    setWindowTitle(u"Obnova tabulek ze zálohy"_s);
    auto *layout = new QVBoxLayout(this);
    auto *line = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    line->addWidget(icon, 0, Qt::AlignTop);
    auto *text = new QLabel(QString(question).replace(u'\r', u'\n'), this);
    text->setObjectName(u"lblDotaz"_s);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(460);
    line->addWidget(text, 1);
    layout->addLayout(line);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *yes = new QPushButton(u"Ano"_s, this);
    yes->setObjectName(u"btnAno"_s);
    yes->setAutoDefault(false);
    auto *no = new QPushButton(u"Ne"_s, this);
    no->setObjectName(u"btnNe"_s);
    no->setDefault(true);
    no->setFocus();
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
}

TfrmZalohyTabulek::TfrmZalohyTabulek(OperationSession &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(u"TfrmZalohyTabulek"_s);
    setWindowTitle(u"Zálohy tabulek"_s);
    resize(780, 520);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(u"Zálohy tabulek agendy %1, které doplněk pořídil před přečíslováním, odstraněním "
                               u"smazaných dokladů nebo obnovou (nejnovější nahoře, F5 načte seznam znovu):"_s.arg(
                                   session.runContext().companyName),
                               this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_grZalohy = grid(u"grZalohy"_s, {u"Datum a čas"_s, u"Operace"_s, u"Rok"_s, u"Uživatel"_s, u"Stav"_s}, this);
    layout->addWidget(m_grZalohy, 3);
    layout->addWidget(new QLabel(u"Tabulky vybrané zálohy:"_s, this));
    m_grTabulky = grid(u"grTabulky"_s, {u"Tabulka"_s, u"Záznamů v záloze"_s, u"Záznamů nyní"_s}, this);
    m_grTabulky->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(m_grTabulky, 2);

    m_lblPrubeh = new QLabel(this);
    m_lblPrubeh->setObjectName(u"lblPrubeh"_s);
    m_pbObnova = new QProgressBar(this);
    m_pbObnova->setObjectName(u"pbObnova"_s);
    m_pbObnova->setTextVisible(false);
    layout->addWidget(m_lblPrubeh);
    layout->addWidget(m_pbObnova);

    auto *buttons = new QHBoxLayout;
    m_btnObnovit = new QPushButton(u"Obnovit"_s, this);
    m_btnObnovit->setObjectName(u"btnObnovit"_s);
    m_btnPrerusit = new QPushButton(u"Přerušit"_s, this);
    m_btnPrerusit->setObjectName(u"btnPrerusit"_s);
    m_btnZavrit = new QPushButton(u"Zavřít"_s, this);
    m_btnZavrit->setObjectName(u"btnZavrit"_s);
    for (QPushButton *button : {m_btnObnovit, m_btnPrerusit, m_btnZavrit})
        button->setAutoDefault(false);
    buttons->addWidget(m_btnObnovit);
    buttons->addWidget(m_btnPrerusit);
    buttons->addStretch();
    buttons->addWidget(m_btnZavrit);
    layout->addLayout(buttons);

    connect(m_grZalohy, &QTableWidget::itemSelectionChanged, this, &TfrmZalohyTabulek::showTables);
    connect(m_btnObnovit, &QPushButton::clicked, this, &TfrmZalohyTabulek::restoreSelected);
    connect(m_btnPrerusit, &QPushButton::clicked, this, [this] { m_interrupted = true; });
    connect(m_btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    setRestoring(false);
    refresh();
}

void TfrmZalohyTabulek::refresh()
{
    const int selected = m_grZalohy->currentRow();
    const QString keep = selected >= 0 && selected < m_rows.size() ? m_rows.at(selected).folder : QString();
    m_rows = SnapshotListing::list(m_session.runContext());
    const LocaleFormats &formats = LocaleFormats::current();
    m_grZalohy->setRowCount(int(m_rows.size()));
    int current = m_rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        const SnapshotRow &row = m_rows.at(i);
        setCell(m_grZalohy, i, 0,
                formats.formatDate(row.created.date()) + u' ' + formats.formatTime(row.created.time()));
        setCell(m_grZalohy, i, 1, SnapshotListing::operationCaption(row.operation));
        setCell(m_grZalohy, i, 2, row.year);
        setCell(m_grZalohy, i, 3, row.user);
        setCell(m_grZalohy, i, 4, row.state);
        if (row.folder == keep)
            current = i;
    }
    if (current >= 0)
        m_grZalohy->selectRow(current);
    showTables();
    m_btnObnovit->setEnabled(!m_rows.isEmpty() && !m_restoring);
}

void TfrmZalohyTabulek::showTables()
{
    const int selected = m_grZalohy->currentRow();
    const QList<SnapshotTableRow> tables =
        selected >= 0 && selected < m_rows.size() ? m_rows.at(selected).tables : QList<SnapshotTableRow>();
    m_grTabulky->setRowCount(int(tables.size()));
    for (int i = 0; i < tables.size(); ++i) {
        const SnapshotTableRow &table = tables.at(i);
        setCell(m_grTabulky, i, 0, table.relativePath);
        setCell(m_grTabulky, i, 1, QString::number(table.recordsThen), true);
        setCell(m_grTabulky, i, 2, table.recordsNow ? QString::number(*table.recordsNow) : u"chybí"_s, true);
    }
}

void TfrmZalohyTabulek::restoreSelected()
{
    const int selected = m_grZalohy->currentRow();
    if (selected < 0 || selected >= m_rows.size() || m_restoring)
        return;
    SnapshotRestoreRun run(m_session, m_rows.at(selected).folder);
    const auto confirm = [this](const QString &question) {
        TfrmObnovaDotaz dialog(question, this);
        return ui().execModal(dialog) == QDialog::Accepted;
    };
    m_interrupted = false;
    setRestoring(true);
    run.run(confirm, [this](int done, int total, const QString &table) { return showProgress(done, total, table); });
    setRestoring(false);
    refresh();
}

bool TfrmZalohyTabulek::showProgress(int done, int total, const QString &table)
{
    m_pbObnova->setRange(0, total);
    m_pbObnova->setValue(done);
    m_lblPrubeh->setText(
        table.isEmpty()
            ? u"Obnova dokončena"_s
            : u"Obnovuje se tabulka %1 (%2 z %3)..."_s.arg(QFileInfo(table).fileName()).arg(done + 1).arg(total));
    ui().processEvents();
    return !m_interrupted;
}

void TfrmZalohyTabulek::setRestoring(bool restoring)
{
    m_restoring = restoring;
    m_lblPrubeh->setVisible(restoring);
    m_pbObnova->setVisible(restoring);
    m_btnPrerusit->setVisible(restoring);
    m_btnObnovit->setEnabled(!restoring && !m_rows.isEmpty());
    m_btnZavrit->setEnabled(!restoring);
    m_grZalohy->setEnabled(!restoring);
}

void TfrmZalohyTabulek::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F5 && !m_restoring) {
        refresh();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A restore under way ends before the window closes: "Přerušit" puts back
// what it had replaced.
void TfrmZalohyTabulek::closeEvent(QCloseEvent *event)
{
    if (m_restoring)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TfrmZalohyTabulek::reject()
{
    if (!m_restoring)
        QDialog::reject();
}

int openSnapshotRestore(OperationSession &session)
{
    TfrmZalohyTabulek window(session);
    ui().execModal(window);
    return 0;
}
