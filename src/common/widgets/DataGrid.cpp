#include "common/widgets/DataGrid.h"

#include "common/MemTableModel.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int RowHeight = 17;
constexpr int MarkerWidth = 22;
constexpr int DefaultColumnWidth = 100;
// Room for the sort mark at the right of a title, and the mark's size.
constexpr int SortMarkRoom = 14;
constexpr int SortMarkSide = 7;
// A column is widened to its cells' texts as far as this; the rows measured
// are the first ones and those on screen, so that a long list costs nothing.
constexpr int MaxFittedWidth = 400;
constexpr int MeasuredRows = 200;

class GridDelegate : public QStyledItemDelegate
{
public:
    explicit GridDelegate(DataGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        m_grid->styleCell(*option, index);
    }

private:
    DataGrid *m_grid;
};

} // namespace

// The column titles. The sort mark is an upward triangle (ascending, as the
// lists' guides describe it), drawn in room of its own at the title's right
// so that it never covers the title's last letters.
class TitleHeader : public QHeaderView
{
public:
    explicit TitleHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

    int markedSection() const { return m_marked; }
    void setMarkedSection(int logical)
    {
        m_marked = logical;
        viewport()->update();
    }
    // The width in which the title and its mark are read in full.
    int titleWidth(int logical) const { return sectionSizeFromContents(logical).width(); }

protected:
    QSize sectionSizeFromContents(int logical) const override
    {
        QSize size = QHeaderView::sectionSizeFromContents(logical);
        if (logical == m_marked)
            size.rwidth() += SortMarkRoom;
        return size;
    }

    void paintSection(QPainter *painter, const QRect &rect, int logical) const override
    {
        QHeaderView::paintSection(painter, rect, logical);
        if (logical != m_marked)
            return;
        painter->save();
        // The style may leave an empty clip region behind: clip to the section anew.
        painter->setClipRect(rect);
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().color(QPalette::ButtonText));
        const int x = rect.right() - SortMarkRoom / 2 - SortMarkSide / 2;
        const int y = rect.center().y() - SortMarkSide / 4;
        const QPolygon upward({QPoint(x, y + SortMarkSide / 2), QPoint(x + SortMarkSide, y + SortMarkSide / 2),
                               QPoint(x + SortMarkSide / 2, y - SortMarkSide / 2)});
        painter->drawPolygon(upward);
        painter->restore();
    }

private:
    int m_marked = -1;
};

// The marker column: the current row's pointer and, with marking on, one
// square per row that marks the row when clicked.
class MarkerHeader : public QHeaderView
{
    Q_OBJECT
public:
    MarkerHeader(DataGrid *grid, QWidget *parent) : QHeaderView(Qt::Vertical, parent), m_grid(grid)
    {
        setObjectName(u"marker"_s);
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(RowHeight);
        setMinimumSectionSize(RowHeight);
        setFixedWidth(MarkerWidth);
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QRect squareRect(const QRect &section) const
    {
        const int side = qMin(9, section.height() - 6);
        return QRect(section.right() - side - 3, section.center().y() - side / 2, side, side);
    }

Q_SIGNALS:
    void markerClicked(int row);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        const MemTable *table = m_grid->table();
        if (table && table->currentRow() == logicalIndex) {
            // The host's pointer at the current row.
            const int y = rect.center().y();
            const QPolygon arrow(
                {QPoint(rect.left() + 3, y - 4), QPoint(rect.left() + 7, y), QPoint(rect.left() + 3, y + 4)});
            painter->setBrush(palette().color(QPalette::ButtonText));
            painter->setPen(Qt::NoPen);
            painter->drawPolygon(arrow);
        }
        if (m_grid->isMarkingEnabled()) {
            const QRect square = squareRect(rect);
            painter->setPen(palette().color(QPalette::Dark));
            painter->setBrush(m_grid->isMarked(logicalIndex) ? QBrush(DataGrid::markedSelectedBackground())
                                                             : palette().base());
            painter->drawRect(square);
        }
        painter->restore();
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const int row = logicalIndexAt(event->position().toPoint());
        if (row >= 0 && event->button() == Qt::LeftButton)
            Q_EMIT markerClicked(row);
        event->accept();
    }

    void mouseMoveEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { event->accept(); }

private:
    DataGrid *m_grid;
};

DataGrid::DataGrid(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_strip = new QWidget(this);
    m_strip->setObjectName(u"panHledat"_s);
    auto *stripLayout = new QHBoxLayout(m_strip);
    stripLayout->setContentsMargins(MarkerWidth, 1, 0, 1);
    stripLayout->setSpacing(5);
    m_edtHledat = new QLineEdit(m_strip);
    m_edtHledat->setObjectName(u"edtHledat"_s);
    m_lblHledat = new QLabel(u"vyhledávací políčko zavřete klávesou Tab"_s, m_strip);
    m_lblHledat->setObjectName(u"lblHledat"_s);
    QPalette grey = m_lblHledat->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    m_lblHledat->setPalette(grey);
    stripLayout->addWidget(m_edtHledat);
    stripLayout->addWidget(m_lblHledat);
    stripLayout->addStretch();
    m_strip->hide();
    layout->addWidget(m_strip);

    m_view = new QTableView(this);
    m_view->setObjectName(u"grid"_s);
    m_marker = new MarkerHeader(this, m_view);
    m_view->setVerticalHeader(m_marker);
    m_view->setItemDelegate(new GridDelegate(this));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setSortingEnabled(false);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_titles = new TitleHeader(m_view);
    m_titles->setObjectName(u"titles"_s);
    m_view->setHorizontalHeader(m_titles);
    QHeaderView *titles = m_titles;
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSortIndicatorShown(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont bold = titles->font();
    bold.setBold(true);
    titles->setFont(bold);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);

    m_view->installEventFilter(this);
    m_edtHledat->installEventFilter(this);

    connect(titles, &QHeaderView::sectionClicked, this,
            [this](int logical) { Q_EMIT titleClicked(m_view->horizontalHeader()->visualIndex(logical)); });
    connect(titles, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!m_restoring && fieldOfLogical(logical) >= 0)
            m_widths.insert(fieldOfLogical(logical), size);
    });
    connect(titles, &QHeaderView::sectionMoved, this, [this] {
        if (m_restoring)
            return;
        m_fieldOrder.clear();
        for (int c = 0; c < columnCount(); ++c)
            m_fieldOrder.append(fieldOfColumn(c));
    });
    connect(m_marker, &MarkerHeader::markerClicked, this, [this](int row) {
        if (m_table)
            m_table->setCurrentRow(row);
        if (m_markingEnabled)
            toggleMark(row);
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT activated();
    });
    connect(m_edtHledat, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_strip->isVisible())
            search(text);
    });

    // Marking every row, or none, without going row by row. The actions
    // belong to the view, so that Ctrl+A in the search box still selects
    // its text; the view shows them as its context menu while marking is on.
    auto markAction = [this](const QString &text, const QString &name, const QKeySequence &keys) {
        auto *action = new QAction(text, m_view);
        action->setObjectName(name);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setEnabled(false);
        m_view->addAction(action);
        return action;
    };
    m_actOznacitVse = markAction(u"Označit všechny řádky"_s, u"actOznacitVse"_s, QKeySequence(u"Ctrl+A"_s));
    m_actZrusitOznaceni =
        markAction(u"Zrušit všechna označení"_s, u"actZrusitOznaceni"_s, QKeySequence(u"Ctrl+Shift+A"_s));
    connect(m_actOznacitVse, &QAction::triggered, this, &DataGrid::markAll);
    connect(m_actZrusitOznaceni, &QAction::triggered, this, &DataGrid::clearMarks);
}

DataGrid::~DataGrid() = default;

void DataGrid::setTable(MemTable *table)
{
    if (m_model) {
        m_view->setModel(nullptr);
        delete m_model;
        m_model = nullptr;
    }
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    m_marks.clear();
    m_fieldOrder.clear();
    m_widths.clear();
    m_colours.clear();
    m_sortMarkField = -1;
    if (!table)
        return;
    m_model = new MemTableModel(table, this);
    // The marks are drawn only: a screen reader hears them from the model.
    m_model->setRowState([this](int row) {
        return !m_markingEnabled ? QString() : isMarked(row) ? u"označený"_s : u"neoznačený"_s;
    });
    m_view->setModel(m_model);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        pruneMarks();
        restoreColumns();
        syncCurrentFromTable();
    });
    connect(table, &MemTable::currentChanged, this, [this] { syncCurrentFromTable(); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (m_syncing || !m_table || !current.isValid())
            return;
        if (current.row() != m_table->currentRow()) {
            m_syncing = true;
            m_table->setCurrentRow(current.row());
            m_syncing = false;
        }
        m_marker->viewport()->update();
    });
    restoreColumns();
    syncCurrentFromTable();
}

void DataGrid::setRowSelect(bool rowSelect)
{
    m_view->setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

int DataGrid::columnCount() const
{
    return m_model ? m_model->columnCount() : 0;
}

int DataGrid::logicalOf(int column) const
{
    return column >= 0 && column < columnCount() ? m_view->horizontalHeader()->logicalIndex(column) : -1;
}

int DataGrid::fieldOfLogical(int logical) const
{
    return m_model ? m_model->fieldOfColumn(logical) : -1;
}

int DataGrid::fieldOfColumn(int column) const
{
    return fieldOfLogical(logicalOf(column));
}

QString DataGrid::columnField(int column) const
{
    const int field = fieldOfColumn(column);
    return field >= 0 && m_table ? m_table->field(field).name : QString();
}

QString DataGrid::columnTitle(int column) const
{
    const int field = fieldOfColumn(column);
    return field >= 0 && m_table ? m_table->field(field).label() : QString();
}

int DataGrid::columnWidth(int column) const
{
    const int logical = logicalOf(column);
    return logical >= 0 ? m_view->columnWidth(logical) : 0;
}

void DataGrid::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= columnCount() || to >= columnCount())
        return;
    m_view->horizontalHeader()->moveSection(from, to);
}

void DataGrid::refreshColumns()
{
    if (m_model)
        m_model->refresh();
}

void DataGrid::restoreColumns()
{
    if (!m_model || !m_table)
        return;
    m_restoring = true;
    QHeaderView *titles = m_view->horizontalHeader();
    // The order shown: the remembered fields first, then any new ones.
    QList<int> order;
    for (const int field : std::as_const(m_fieldOrder)) {
        if (m_model->columnOfField(field) >= 0)
            order.append(field);
    }
    for (int logical = 0; logical < m_model->columnCount(); ++logical) {
        if (!order.contains(m_model->fieldOfColumn(logical)))
            order.append(m_model->fieldOfColumn(logical));
    }
    for (int visual = 0; visual < order.size(); ++visual) {
        const int logical = m_model->columnOfField(order.at(visual));
        const int from = titles->visualIndex(logical);
        if (from != visual)
            titles->moveSection(from, visual);
    }
    m_fieldOrder = order;
    const int markLogical = m_sortMarkField >= 0 ? m_model->columnOfField(m_sortMarkField) : -1;
    m_titles->setMarkedSection(markLogical);
    // The widths the lists give are minimums: a column is widened to its
    // title (with the sort mark) and to its cells, unless the user sized it.
    for (int logical = 0; logical < m_model->columnCount(); ++logical) {
        const int field = m_model->fieldOfColumn(logical);
        const int designed = m_table->field(field).displayWidth;
        const int width = std::max(designed > 0 ? designed : DefaultColumnWidth, fittedWidth(logical));
        m_view->setColumnWidth(logical, m_widths.value(field, width));
    }
    m_restoring = false;
    m_view->viewport()->update();
}

int DataGrid::fittedWidth(int logical) const
{
    int width = m_titles->titleWidth(logical);
    const int rows = m_model->rowCount();
    if (rows == 0)
        return width;
    // The delegate's own measure: the style's margins, the cell's font.
    QStyleOptionViewItem option;
    option.initFrom(m_view);
    option.font = m_view->font();
    const auto measure = [&](int row) {
        const QModelIndex index = m_model->index(row, logical);
        width = std::max(width, m_view->itemDelegate()->sizeHint(option, index).width() + 1);
    };
    for (int row = 0; row < std::min(rows, MeasuredRows); ++row)
        measure(row);
    const int first = m_view->rowAt(0);
    if (first >= MeasuredRows) {
        const int last = std::min(rows - 1, first + m_view->viewport()->height() / RowHeight);
        for (int row = first; row <= last; ++row)
            measure(row);
    }
    return std::min(width, std::max(MaxFittedWidth, m_titles->titleWidth(logical)));
}

void DataGrid::syncCurrentFromTable()
{
    if (!m_model || !m_table || m_syncing)
        return;
    const int row = m_table->currentRow();
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->selectionModel()->clearCurrentIndex();
        m_view->selectionModel()->clearSelection();
    } else {
        const QModelIndex current = m_view->currentIndex();
        const int logical = current.isValid() ? current.column() : logicalOf(0);
        if (logical >= 0) {
            const QModelIndex target = m_model->index(row, logical);
            if (target != current || !m_view->selectionModel()->isSelected(target))
                m_view->setCurrentIndex(target);
            m_view->scrollTo(target);
        }
    }
    m_syncing = false;
    m_marker->viewport()->update();
}

void DataGrid::setSortMark(int column, bool shown)
{
    const int field = fieldOfColumn(column);
    if (field < 0)
        return;
    if (shown)
        m_sortMarkField = field;
    else if (m_sortMarkField == field)
        m_sortMarkField = -1;
    restoreColumns();
}

bool DataGrid::hasSortMark(int column) const
{
    const int field = fieldOfColumn(column);
    return field >= 0 && field == m_sortMarkField && m_titles->markedSection() == logicalOf(column);
}

void DataGrid::setColumnColour(int column, const QColor &colour)
{
    const int field = fieldOfColumn(column);
    if (field < 0)
        return;
    if (colour.isValid())
        m_colours.insert(field, colour);
    else
        m_colours.remove(field);
    m_view->viewport()->update();
}

QColor DataGrid::columnColour(int column) const
{
    return m_colours.value(fieldOfColumn(column));
}

void DataGrid::setMarkingEnabled(bool enabled)
{
    if (!enabled)
        clearMarks();
    m_markingEnabled = enabled;
    m_actOznacitVse->setEnabled(enabled);
    m_actZrusitOznaceni->setEnabled(enabled);
    m_view->setContextMenuPolicy(enabled ? Qt::ActionsContextMenu : Qt::DefaultContextMenu);
    m_marker->viewport()->update();
}

bool DataGrid::isMarked(int row) const
{
    return m_markingEnabled && m_table && m_marks.contains(m_table->bookmarkAt(row));
}

void DataGrid::setMarked(int row, bool marked)
{
    if (!m_markingEnabled || !m_table)
        return;
    const MemTable::Bookmark mark = m_table->bookmarkAt(row);
    if (mark == 0 || m_marks.contains(mark) == marked)
        return;
    if (marked)
        m_marks.insert(mark);
    else
        m_marks.remove(mark);
    marksUpdated();
}

int DataGrid::markCount() const
{
    return int(m_marks.size());
}

QList<int> DataGrid::markedRows() const
{
    QList<int> rows;
    if (!m_table)
        return rows;
    for (int row = 0; row < m_table->recordCount(); ++row) {
        if (m_marks.contains(m_table->bookmarkAt(row)))
            rows.append(row);
    }
    return rows;
}

void DataGrid::markAll()
{
    if (!m_markingEnabled || !m_table)
        return;
    const qsizetype before = m_marks.size();
    for (int row = 0; row < m_table->recordCount(); ++row)
        m_marks.insert(m_table->bookmarkAt(row));
    if (m_marks.size() != before)
        marksUpdated();
}

void DataGrid::clearMarks()
{
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    marksUpdated();
}

void DataGrid::marksUpdated()
{
    m_view->viewport()->update();
    m_marker->viewport()->update();
    Q_EMIT marksChanged();
}

void DataGrid::pruneMarks()
{
    if (m_marks.isEmpty() || !m_table)
        return;
    QSet<MemTable::Bookmark> present;
    for (int row = 0; row < m_table->recordCount(); ++row) {
        if (m_marks.contains(m_table->bookmarkAt(row)))
            present.insert(m_table->bookmarkAt(row));
    }
    if (present.size() != m_marks.size()) {
        m_marks = present;
        Q_EMIT marksChanged();
    }
}

void DataGrid::toggleMark(int row)
{
    setMarked(row, !isMarked(row));
}

// Shift with an arrow marks the row it leaves and the row it reaches; going
// back over marked rows unmarks the row it leaves.
bool DataGrid::markWithShift(int step)
{
    if (!m_table || m_table->currentRow() < 0)
        return false;
    const int from = m_table->currentRow();
    const int to = from + step;
    if (to < 0 || to >= m_table->recordCount())
        return true;
    if (isMarked(from) && isMarked(to)) {
        setMarked(from, false);
    } else {
        setMarked(from, true);
        setMarked(to, true);
    }
    m_table->setCurrentRow(to);
    return true;
}

void DataGrid::setRowColours(RowColourFunction function)
{
    m_rowColours = std::move(function);
    m_view->viewport()->update();
}

GridColours DataGrid::cellColours(int row, int column, bool selected, bool focused) const
{
    if (isMarked(row))
        return {selected ? markedSelectedBackground() : markedBackground(), QColor(Qt::white), QColor()};
    if (m_rowColours) {
        if (auto colours = m_rowColours(row)) {
            if (selected && !focused && colours->selectedBackground.isValid())
                colours->background = colours->selectedBackground;
            return *colours;
        }
    }
    return {m_colours.value(fieldOfColumn(column)), QColor(), QColor()};
}

void DataGrid::styleCell(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int column = m_view->horizontalHeader()->visualIndex(index.column());
    if (isMarked(index.row())) {
        option.backgroundBrush = markedBackground();
        option.palette.setColor(QPalette::Text, Qt::white);
        option.palette.setColor(QPalette::HighlightedText, Qt::white);
        option.palette.setColor(QPalette::Highlight, markedSelectedBackground());
        return;
    }
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool focused = option.state.testFlag(QStyle::State_HasFocus);
    const bool rowColoured = m_rowColours && m_rowColours(index.row()).has_value();
    const GridColours colours = cellColours(index.row(), column, selected, focused);
    if (colours.background.isValid())
        option.backgroundBrush = colours.background;
    if (colours.text.isValid())
        option.palette.setColor(QPalette::Text, colours.text);
    if (rowColoured && selected) {
        // The row's colour, not the selection colour, as the row is drawn
        // first and the cell then in the grid's own way.
        if (colours.background.isValid())
            option.palette.setColor(QPalette::Highlight, colours.background);
        if (colours.text.isValid())
            option.palette.setColor(QPalette::HighlightedText, colours.text);
    }
}

void DataGrid::setSearchEnabled(bool enabled)
{
    m_searchEnabled = enabled;
    if (!enabled)
        closeSearch();
}

bool DataGrid::isSearchVisible() const
{
    return m_strip->isVisible();
}

QString DataGrid::searchField() const
{
    if (!m_table)
        return QString();
    return QString(m_table->sortFields()).remove(u";RecNo"_s, Qt::CaseInsensitive);
}

bool DataGrid::search(const QString &text)
{
    if (!m_table)
        return false;
    const QString field = searchField();
    const int f = m_table->fieldIndex(field);
    if (f < 0)
        return false;
    if (m_table->field(f).type != FieldType::Boolean)
        return m_table->locate(field, text, true);
    // A boolean field is searched by the host's texts for its values.
    QString needle = text;
    if (needle.compare(u"ANO"_s, Qt::CaseInsensitive) == 0)
        needle = u"True"_s;
    else if (needle.compare(u"NE"_s, Qt::CaseInsensitive) == 0)
        needle = u"False"_s;
    for (int row = 0; row < m_table->recordCount(); ++row) {
        const QVariant value = m_table->value(row, f);
        const QString shown = !value.isValid() ? QString() : value.toBool() ? u"True"_s : u"False"_s;
        if (shown.startsWith(needle, Qt::CaseInsensitive))
            return m_table->setCurrentRow(row);
    }
    return false;
}

void DataGrid::openSearch(const QString &text)
{
    const int width = columnWidth(0);
    m_edtHledat->setFixedWidth(width > 0 ? width : DefaultColumnWidth);
    m_strip->show();
    m_edtHledat->setText(text);
    m_edtHledat->setFocus();
    m_edtHledat->setCursorPosition(int(m_edtHledat->text().size()));
}

void DataGrid::closeSearch()
{
    if (!m_strip->isVisible())
        return;
    m_strip->hide(); // before the text is cleared, so that clearing searches nothing
    m_edtHledat->clear();
    m_view->setFocus();
}

bool DataGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edtHledat) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                closeSearch();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            closeSearch();
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (m_table && m_table->currentRow() >= 0)
                Q_EMIT activated();
            return true;
        }
        if (m_markingEnabled && modifiers == Qt::ShiftModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
            return markWithShift(key->key() == Qt::Key_Up ? -1 : 1);
        const QString text = key->text();
        const bool printable = !text.isEmpty() && text.at(0).unicode() > 31 && text.at(0).unicode() != 127 &&
                               !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (m_searchEnabled && printable && m_table) {
            openSearch(text);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int sortGridBy(DataGrid &grid, MemTable &table, const QColor &markColour, bool recolour, const QString &fieldName,
               const QString &secondField)
{
    if (!table.hasField(fieldName))
        return -1;
    const QString fields = secondField.isEmpty() ? fieldName : fieldName + u';' + secondField;
    if (!table.setSortFields(fields))
        return -1;
    for (int column = 0; column < grid.columnCount(); ++column) {
        const bool sorted = grid.columnField(column).compare(fieldName, Qt::CaseInsensitive) == 0;
        grid.setSortMark(column, sorted);
        if (recolour)
            grid.setColumnColour(column, sorted ? markColour : QColor());
    }
    return 0;
}

int findGridColumn(const DataGrid &grid, const QString &fieldName)
{
    for (int column = 0; column < grid.columnCount(); ++column) {
        if (grid.columnField(column).compare(fieldName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

#include "DataGrid.moc"
