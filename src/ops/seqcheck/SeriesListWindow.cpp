#include "ops/seqcheck/SeriesListWindow.h"

#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "common/widgets/DataGrid.h"
#include "common/widgets/DialogParts.h"
#include "ops/seqcheck/SeriesRangeDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFrozenColumns = 1;

// The check mark column: the grid's cell styling without text, and the
// picture centred in the cell when the row is checked.
class CheckMarkDelegate : public QStyledItemDelegate
{
public:
    CheckMarkDelegate(DataGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(Qt::UserRole).toBool())
            return;
        const QPixmap picture = TfrmKontrPoslSeznam::checkPicture();
        const QRect target(option.rect.center() - QPoint(picture.width() / 2, picture.height() / 2), picture.size());
        painter->drawPixmap(target, picture);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        m_grid->styleCell(*option, index);
        option->text.clear();
    }

private:
    DataGrid *m_grid;
};

} // namespace

TfrmKontrPoslSeznam::TfrmKontrPoslSeznam(MemTable &series, QWidget *parent) : QDialog(parent), m_series(series)
{
    setObjectName(u"TfrmKontrPoslSeznam"_s);
    setWindowTitle(u"Seznam číselných řad"_s);
    resize(720, 460);

    auto *layout = new QVBoxLayout(this);
    m_grSeznamCR = new DataGrid(this);
    m_grSeznamCR->setObjectName(u"grSeznamCR"_s);
    m_grSeznamCR->setSearchEnabled(false);
    m_grSeznamCR->setTable(&m_series);
    // K, Řada, Začátek, Konec, Název.
    const QStringList order{u"Checked"_s, u"Rada"_s, u"Start"_s, u"End"_s, u"Nazev"_s};
    for (int to = 0; to < order.size(); ++to)
        m_grSeznamCR->moveColumn(findGridColumn(*m_grSeznamCR, order.at(to)), to);
    QTableView *view = m_grSeznamCR->view();
    const int checkLogical = view->horizontalHeader()->logicalIndex(0);
    // The check mark column is narrower than a title usually allows.
    view->horizontalHeader()->setMinimumSectionSize(m_series.field(m_series.fieldIndex(u"Checked"_s)).displayWidth);
    view->setColumnWidth(checkLogical, m_series.field(m_series.fieldIndex(u"Checked"_s)).displayWidth);
    view->setItemDelegateForColumn(checkLogical, new CheckMarkDelegate(m_grSeznamCR));
    layout->addWidget(m_grSeznamCR, 1);

    auto *info = new QVBoxLayout;
    info->addWidget(DialogParts::richTextLabel(u"<b>Informace:</b>"_s, this));
    auto *checkedLine = new QHBoxLayout;
    checkedLine->addWidget(new QLabel(u"• program bude kontrolovat pouze číselné řady označené"_s, this));
    auto *imgCheck = new QLabel(this);
    imgCheck->setObjectName(u"imgCheck"_s);
    imgCheck->setPixmap(checkPicture());
    checkedLine->addWidget(imgCheck);
    // The note takes the rest of the line; squeezed beside a stretch it
    // wrapped into a narrow column.
    auto *note =
        DialogParts::richTextLabel(u"(stav přepínače lze změnit <b>dvojklikem</b> myší na příslušném řádku)"_s, this);
    note->setObjectName(u"lblZmenaStavu"_s);
    checkedLine->addWidget(note, 1);
    info->addLayout(checkedLine);
    info->addWidget(
        DialogParts::richTextLabel(u"• sloupce Začátek a Konec určují dolní a horní mez pro kontrolu číselné řady  - "
                                   u"hodnoty lze měnit klepnutím na <b>[Upravit]</b>"_s,
                                   this));
    layout->addLayout(info);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_btnUpravit = button(u"btnUpravit"_s, u"Upravit"_s);
    m_btnOznacitVse = button(u"btnOznacitVse"_s, u"Označit vše"_s);
    m_btnOdznacitVse = button(u"btnOdznacitVse"_s, u"Odznačit vše"_s);
    buttons->addStretch();
    QPushButton *btnZavrit = button(u"btnZavrit"_s, u"Zavřít"_s);
    layout->addLayout(buttons);

    connect(m_btnUpravit, &QPushButton::clicked, this, &TfrmKontrPoslSeznam::editCurrent);
    connect(m_btnOznacitVse, &QPushButton::clicked, this, [this] { setAllChecked(true); });
    connect(m_btnOdznacitVse, &QPushButton::clicked, this, [this] { setAllChecked(false); });
    connect(btnZavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && m_series.setCurrentRow(index.row()))
            toggleCurrent();
    });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { keepOutOfFrozenColumn(); });
}

TfrmKontrPoslSeznam::~TfrmKontrPoslSeznam() = default;

QPixmap TfrmKontrPoslSeznam::checkPicture()
{
    QPixmap picture(13, 13);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0, 128, 0), 2.2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath tick;
    tick.moveTo(2, 7);
    tick.lineTo(5, 10);
    tick.lineTo(11, 3);
    painter.drawPath(tick);
    return picture;
}

// The cursor never rests in the frozen check mark column: it moves on to
// the first column right of it.
void TfrmKontrPoslSeznam::keepOutOfFrozenColumn()
{
    QTableView *view = m_grSeznamCR->view();
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || view->horizontalHeader()->visualIndex(current.column()) >= kFrozenColumns)
        return;
    const int logical = view->horizontalHeader()->logicalIndex(kFrozenColumns);
    if (logical >= 0)
        view->setCurrentIndex(current.sibling(current.row(), logical));
}

void TfrmKontrPoslSeznam::toggleCurrent()
{
    if (m_series.currentRow() < 0)
        return;
    m_series.setValue(u"Checked"_s, !m_series.value(u"Checked"_s).toBool());
}

void TfrmKontrPoslSeznam::setAllChecked(bool checked)
{
    const MemTable::Bookmark current = m_series.bookmark();
    const int field = m_series.fieldIndex(u"Checked"_s);
    for (int row = 0; row < m_series.recordCount(); ++row)
        m_series.setValue(row, field, checked);
    m_series.gotoBookmark(current);
}

void TfrmKontrPoslSeznam::editCurrent()
{
    if (m_series.currentRow() < 0)
        return;
    TfrmKontrPoslDetail detail(this);
    detail.setValues(m_series.value(u"Rada"_s).toString(), m_series.value(u"Start"_s).toInt(),
                     m_series.value(u"End"_s).toInt(), m_series.value(u"Checked"_s).toBool());
    if (ui().execModal(detail) != QDialog::Accepted)
        return;
    m_series.setValue(u"Start"_s, detail.start());
    m_series.setValue(u"End"_s, detail.end());
    m_series.setValue(u"Checked"_s, detail.isChecked());
}

void TfrmKontrPoslSeznam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const bool rows = !m_series.isEmpty();
    for (QPushButton *b : {m_btnUpravit, m_btnOznacitVse, m_btnOdznacitVse})
        b->setEnabled(rows);
    m_grSeznamCR->setFocus();
    keepOutOfFrozenColumn();
}
