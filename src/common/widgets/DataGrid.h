#pragma once

#include "common/MemTable.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <optional>

class MemTableModel;
class MarkerHeader;
class TitleHeader;
class QAction;
class QLabel;
class QLineEdit;
class QModelIndex;
class QStyleOptionViewItem;
class QTableView;

struct GridColours
{
    QColor background;
    QColor text;
    // The background of a selected cell that does not have the focus (the
    // grid's "plain selected" state); invalid = `background`.
    QColor selectedBackground = QColor();
};

// The read-only grid the operations' lists share, over an in-memory table:
//
// - Columns are the table's visible fields (title, width from the field
//   definition); a title click is reported (`titleClicked`), never sorts by
//   itself. A column can show the ascending sort mark (▲) and be painted in
//   its own colour; both stay with the field through re-sorting and column
//   moves. A field's display width is the column's least width: the column
//   is widened to show its title, its mark and its cells' texts.
// - The marker column on the left shows the current row and, when marking is
//   on, a small square per row: clicking it marks or unmarks the row; Shift
//   with the up and down arrows marks the rows passed over; Ctrl+A marks every
//   row and Ctrl+Shift+A clears every mark, both also in the grid's context
//   menu. A marked row is drawn white on grey, its selected cell white on navy.
// - Search strip: a printable character typed in the grid opens an edit box
//   above the first column with the hint "vyhledávací políčko zavřete
//   klávesou Tab"; every change of its text moves to the first row whose
//   value in the sorted field begins with the text (for a boolean field "ANO"
//   stands for true and "NE" for false). Enter or leaving the box closes it.
// - Enter or a double click on a row is reported (`activated`).
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    void setTable(MemTable *table);
    MemTable *table() const { return m_table; }
    QTableView *view() const { return m_view; }

    // Whole rows highlighted (pick lists) instead of the current cell.
    void setRowSelect(bool rowSelect);

    // Columns in the order shown.
    int columnCount() const;
    QString columnField(int column) const;
    QString columnTitle(int column) const;
    int columnWidth(int column) const;
    void moveColumn(int from, int to);
    // Re-reads titles, widths and visibility from the table's fields.
    void refreshColumns();

    void setSortMark(int column, bool shown);
    bool hasSortMark(int column) const;
    // An invalid colour paints the column in the window colour.
    void setColumnColour(int column, const QColor &colour);
    QColor columnColour(int column) const;

    void setMarkingEnabled(bool enabled);
    bool isMarkingEnabled() const { return m_markingEnabled; }
    bool isMarked(int row) const;
    void setMarked(int row, bool marked);
    int markCount() const;
    QList<int> markedRows() const; // rows of the view, ascending
    void markAll();
    void clearMarks();

    // Colours of a whole row (the highlight list); nullopt keeps the defaults.
    // A selected cell of a coloured row keeps the row's colours instead of the
    // selection colour.
    using RowColourFunction = std::function<std::optional<GridColours>(int row)>;
    void setRowColours(RowColourFunction function);

    // The colours a cell is painted with (invalid = the style's default);
    // `focused`: the selected cell is the grid's focused current cell.
    GridColours cellColours(int row, int column, bool selected, bool focused = false) const;
    static QColor markedBackground() { return QColor(128, 128, 128); }
    static QColor markedSelectedBackground() { return QColor(0, 0, 128); }

    void setSearchEnabled(bool enabled);
    bool isSearchVisible() const;
    // The field searched: the table's sort fields without ";RecNo".
    QString searchField() const;
    // Moves to the first row whose searched field begins with `text`;
    // false (the current row stays) when nothing matches.
    bool search(const QString &text);

    // The cell styling the delegate applies.
    void styleCell(QStyleOptionViewItem &option, const QModelIndex &index) const;

Q_SIGNALS:
    void titleClicked(int column);
    void activated();
    void marksChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int logicalOf(int column) const;
    int fieldOfLogical(int logical) const;
    int fieldOfColumn(int column) const;
    void restoreColumns();
    int fittedWidth(int logical) const;
    void syncCurrentFromTable();
    void pruneMarks();
    void toggleMark(int row);
    void marksUpdated();
    bool markWithShift(int step);
    void openSearch(const QString &text);
    void closeSearch();

    QPointer<MemTable> m_table;
    MemTableModel *m_model = nullptr;
    QTableView *m_view;
    MarkerHeader *m_marker;
    TitleHeader *m_titles;
    QWidget *m_strip;
    QLineEdit *m_edtHledat;
    QLabel *m_lblHledat;

    QList<int> m_fieldOrder;      // visible fields in the order shown
    QHash<int, int> m_widths;     // field → width the user gave it
    QHash<int, QColor> m_colours; // field → column colour
    int m_sortMarkField = -1;
    bool m_restoring = false;
    bool m_syncing = false;

    bool m_markingEnabled = false;
    QSet<MemTable::Bookmark> m_marks;
    QAction *m_actOznacitVse;
    QAction *m_actZrusitOznaceni;
    RowColourFunction m_rowColours;
    bool m_searchEnabled = true;
};

// Sorts the table by `fieldName` (then `secondField`, when given), shows the
// sort mark on the columns of that field and removes it from the others;
// with `recolour` paints those columns in `markColour` and the others in the
// window colour. 0, or -1 when the table has no such field.
int sortGridBy(DataGrid &grid, MemTable &table, const QColor &markColour, bool recolour, const QString &fieldName,
               const QString &secondField = QString());

// The first column bound to `fieldName` (without regard to case), -1 when none.
int findGridColumn(const DataGrid &grid, const QString &fieldName);
