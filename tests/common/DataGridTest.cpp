// The grid the document lists share: search strip, marking, sort marks and
// column colours, driven through its real widgets.

#include "common/widgets/DataGrid.h"
#include "common/MemTable.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using TestSupport::child;

namespace {

const QColor LightGreen(208, 238, 209);

class DataGridTest : public testing::Test
{
protected:
    void SetUp() override
    {
        FieldDef doklad;
        doklad.name = u"Doklad"_s;
        doklad.size = 10;
        doklad.displayWidth = 108;
        m_table.addField(doklad);
        FieldDef datum;
        datum.name = u"DatVyst"_s;
        datum.type = FieldType::DateTime;
        datum.displayLabel = u"Dat. vystavení"_s;
        datum.displayWidth = 105;
        m_table.addField(datum);
        m_table.addField(u"Uzamceni"_s, FieldType::Boolean);
        FieldDef recNo;
        recNo.name = u"RecNo"_s;
        recNo.type = FieldType::Integer;
        recNo.visible = false;
        m_table.addField(recNo);
        add(u"PK0003"_s, QDate(2018, 1, 5), false, 1);
        add(u"PK0001"_s, QDate(2018, 1, 2), true, 2);
        add(u"PK0002"_s, QDate(2018, 1, 3), false, 3);
        add(u"VP0001"_s, QDate(2018, 1, 1), true, 4);
        m_table.first();

        auto *layout = new QVBoxLayout(&m_window);
        m_grid = new DataGrid(&m_window);
        m_grid->setObjectName(u"grDoklady"_s);
        m_grid->setTable(&m_table);
        layout->addWidget(m_grid);
        m_window.resize(600, 300);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_grid->view()->setFocus();
    }

    void add(const QString &doklad, QDate date, bool locked, int recNo)
    {
        m_table.append();
        m_table.setValue(u"Doklad"_s, doklad);
        m_table.setValue(u"DatVyst"_s, date);
        m_table.setValue(u"Uzamceni"_s, locked);
        m_table.setValue(u"RecNo"_s, recNo);
    }

    QString current() const { return m_table.value(u"Doklad"_s).toString(); }
    QLineEdit *searchBox() { return child<QLineEdit>(*m_grid, u"edtHledat"_s); }
    void type(const QString &text) { QTest::keyClicks(m_grid->view(), text); }

    MemTable m_table;
    QWidget m_window;
    DataGrid *m_grid = nullptr;
};

TEST_F(DataGridTest, TypingOpensTheSearchStripAndLocatesInTheSortedField)
{
    sortGridBy(*m_grid, m_table, LightGreen, true, u"Doklad"_s, u"RecNo"_s);
    m_table.setCurrentRow(3);
    EXPECT_FALSE(m_grid->isSearchVisible());
    type(u"p"_s);
    ASSERT_TRUE(m_grid->isSearchVisible());
    QLineEdit *box = searchBox();
    EXPECT_EQ(box->text(), u"p"_s);
    EXPECT_EQ(box->cursorPosition(), 1);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(current(), u"PK0001"_s);
    QTest::keyClicks(box, u"k0002"_s);
    EXPECT_EQ(current(), u"PK0002"_s);
    QTest::keyClicks(box, u"9"_s); // no such document: the row stays
    EXPECT_EQ(current(), u"PK0002"_s);

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(m_grid->isSearchVisible());
    EXPECT_EQ(box->text(), QString());
    EXPECT_TRUE(m_grid->view()->hasFocus());
    EXPECT_EQ(current(), u"PK0002"_s);
    EXPECT_EQ(m_grid->view()->currentIndex().row(), m_table.currentRow());
}

TEST_F(DataGridTest, SearchBoxSitsOverTheFirstColumnWithItsHint)
{
    type(u"x"_s);
    auto *hint = child<QLabel>(*m_grid, u"lblHledat"_s);
    EXPECT_EQ(hint->text(), u"vyhledávací políčko zavřete klávesou Tab"_s);
    EXPECT_TRUE(hint->isVisible());
    QLineEdit *box = searchBox();
    EXPECT_EQ(box->width(), m_grid->columnWidth(0));
    EXPECT_EQ(box->width(), 108);
    EXPECT_EQ(hint->x() - (box->x() + box->width()), 5);
    EXPECT_EQ(box->x(), m_grid->view()->verticalHeader()->width());
}

TEST_F(DataGridTest, TabLeavesTheBoxAndClosesTheStrip)
{
    sortGridBy(*m_grid, m_table, LightGreen, true, u"Doklad"_s, u"RecNo"_s);
    type(u"v"_s);
    ASSERT_TRUE(m_grid->isSearchVisible());
    EXPECT_EQ(current(), u"VP0001"_s);
    QTest::keyClick(searchBox(), Qt::Key_Tab);
    EXPECT_FALSE(m_grid->isSearchVisible());
    EXPECT_EQ(searchBox()->text(), QString());
    EXPECT_TRUE(m_grid->view()->hasFocus());
    EXPECT_EQ(current(), u"VP0001"_s);
}

TEST_F(DataGridTest, BooleanFieldIsSearchedAsAnoAndNe)
{
    sortGridBy(*m_grid, m_table, LightGreen, true, u"DatVyst"_s, u"RecNo"_s); // search field: DatVyst
    sortGridBy(*m_grid, m_table, LightGreen, true, u"Uzamceni"_s, u"RecNo"_s);
    ASSERT_EQ(m_grid->searchField(), u"Uzamceni"_s);
    m_table.setCurrentRow(0);
    type(u"a"_s); // not yet a value of the field
    EXPECT_EQ(m_table.currentRow(), 0);
    QTest::keyClicks(searchBox(), u"no"_s);
    EXPECT_EQ(current(), u"PK0001"_s); // the first locked one in the sorted list
    searchBox()->setText(u"Ne"_s);
    EXPECT_EQ(current(), u"PK0003"_s);
    searchBox()->setText(u"t"_s); // the host's own text for true
    EXPECT_TRUE(m_table.value(u"Uzamceni"_s).toBool());
}

TEST_F(DataGridTest, ControlKeysDoNotOpenTheStrip)
{
    QTest::keyClick(m_grid->view(), Qt::Key_Down);
    QTest::keyClick(m_grid->view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(m_grid->isSearchVisible());
    EXPECT_EQ(m_table.currentRow(), 1);
}

TEST_F(DataGridTest, DisabledSearchIgnoresTyping)
{
    m_grid->setSearchEnabled(false);
    type(u"p"_s);
    EXPECT_FALSE(m_grid->isSearchVisible());
}

TEST_F(DataGridTest, MarkerColumnMarksRows)
{
    m_grid->setMarkingEnabled(true);
    QHeaderView *marker = m_grid->view()->verticalHeader();
    const auto clickMarker = [&](int row) {
        QTest::mouseClick(marker->viewport(), Qt::LeftButton, {},
                          QPoint(marker->width() / 2, marker->sectionViewportPosition(row) + 5));
    };
    clickMarker(2);
    EXPECT_TRUE(m_grid->isMarked(2));
    EXPECT_EQ(m_table.currentRow(), 2);
    clickMarker(0);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0, 2}));
    clickMarker(2);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0}));
    EXPECT_EQ(m_grid->markCount(), 1);
}

TEST_F(DataGridTest, ShiftWithArrowsMarksAndUnmarksTheRowsPassed)
{
    m_grid->setMarkingEnabled(true);
    QSignalSpy changes(m_grid, &DataGrid::marksChanged);
    QTest::keyClick(m_grid->view(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(m_grid->view(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0, 1, 2}));
    EXPECT_EQ(m_table.currentRow(), 2);
    QTest::keyClick(m_grid->view(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0, 1}));
    EXPECT_EQ(m_table.currentRow(), 1);
    QTest::keyClick(m_grid->view(), Qt::Key_Down);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0, 1})); // plain arrows keep the marks
    EXPECT_GT(changes.count(), 0);
}

TEST_F(DataGridTest, MarksFollowTheirRowsThroughSortingAndAreDrawnGrey)
{
    m_grid->setMarkingEnabled(true);
    m_grid->setMarked(0, true); // PK0003
    sortGridBy(*m_grid, m_table, LightGreen, true, u"Doklad"_s, u"RecNo"_s);
    EXPECT_EQ(m_grid->markedRows(), QList<int>{2});
    const GridColours marked = m_grid->cellColours(2, 0, false);
    EXPECT_EQ(marked.background, QColor(128, 128, 128));
    EXPECT_EQ(marked.text, QColor(Qt::white));
    EXPECT_EQ(m_grid->cellColours(2, 1, true).background, QColor(0, 0, 128));
    // An unmarked row shows the sorted column's colour.
    EXPECT_EQ(m_grid->cellColours(1, 0, false).background, LightGreen);
    EXPECT_FALSE(m_grid->cellColours(1, 1, false).background.isValid());
    m_table.clear();
    EXPECT_EQ(m_grid->markCount(), 0);
}

TEST_F(DataGridTest, AllMarksAreSetAndClearedByKeys)
{
    m_grid->setMarkingEnabled(true);
    m_grid->setMarked(1, true);
    QSignalSpy changes(m_grid, &DataGrid::marksChanged);
    QTest::keyClick(m_grid->view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_grid->markedRows(), QList<int>({0, 1, 2, 3}));
    EXPECT_FALSE(m_grid->isSearchVisible());
    QTest::keyClick(m_grid->view(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_grid->markCount(), 0);
    EXPECT_EQ(changes.count(), 2);
    // Nothing to clear: no change reported.
    QTest::keyClick(m_grid->view(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(changes.count(), 2);
}

// The context menu over the rows, with an entry chosen from it.
class DataGridMenuTest : public DataGridTest
{
protected:
    QStringList chooseFromContextMenu(int entry)
    {
        QStringList entries;
        QTimer::singleShot(0, [&entries, entry] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (const QAction *action : menu->actions())
                entries.append(action->text());
            menu->actions().at(entry)->trigger();
            menu->close();
        });
        QWidget *rows = m_grid->view()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 10), rows->mapToGlobal(QPoint(20, 10)));
        QApplication::sendEvent(rows, &event);
        return entries;
    }
};

TEST_F(DataGridMenuTest, ContextMenuMarksAndClearsAllRows)
{
    m_grid->setMarkingEnabled(true);
    const QStringList entries{u"Označit všechny řádky"_s, u"Zrušit všechna označení"_s};
    EXPECT_EQ(chooseFromContextMenu(0), entries);
    EXPECT_EQ(m_grid->markCount(), 4);
    EXPECT_EQ(chooseFromContextMenu(1), entries);
    EXPECT_EQ(m_grid->markCount(), 0);
}

// The marks are drawn only; a screen reader hears them on the row's title
// and on every cell of the row.
TEST_F(DataGridTest, ScreenReadersHearTheMarks)
{
    m_grid->setMarkingEnabled(true);
    m_grid->setMarked(1, true);
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(m_grid->view());
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface *cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->cellAt(1, 0)->text(QAccessible::Description), u"označený"_s);
    EXPECT_EQ(cells->cellAt(0, 2)->text(QAccessible::Description), u"neoznačený"_s);
    const QList<QAccessibleInterface *> titles = cells->cellAt(1, 0)->tableCellInterface()->rowHeaderCells();
    ASSERT_EQ(titles.size(), 1);
    // The title's interface is made for the caller, who gives it back.
    const QAccessible::Id title = QAccessible::registerAccessibleInterface(titles.at(0));
    EXPECT_EQ(titles.at(0)->text(QAccessible::Name), u"2, označený"_s);
    QAccessible::deleteAccessibleInterface(title);
    m_grid->setMarkingEnabled(false);
    EXPECT_EQ(cells->cellAt(1, 0)->text(QAccessible::Description), QString());
}

TEST_F(DataGridTest, MarkingOffMarksNothing)
{
    m_grid->setMarked(1, true);
    QTest::keyClick(m_grid->view(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(m_grid->view(), Qt::Key_A, Qt::ControlModifier);
    m_grid->markAll();
    EXPECT_EQ(m_grid->markCount(), 0);
    EXPECT_NE(m_grid->view()->contextMenuPolicy(), Qt::ActionsContextMenu);
}

TEST_F(DataGridTest, SortGridByMarksAndColoursTheSortedColumn)
{
    EXPECT_EQ(sortGridBy(*m_grid, m_table, LightGreen, true, u"datvyst"_s, u"RecNo"_s), 0);
    EXPECT_EQ(m_table.sortFields(), u"datvyst;RecNo"_s);
    EXPECT_EQ(current(), u"PK0003"_s); // the current row stays with its record
    EXPECT_EQ(m_table.value(0, 0).toString(), u"VP0001"_s);
    EXPECT_TRUE(m_grid->hasSortMark(1));
    EXPECT_FALSE(m_grid->hasSortMark(0));
    EXPECT_EQ(m_grid->columnColour(1), LightGreen);

    EXPECT_EQ(sortGridBy(*m_grid, m_table, LightGreen, true, u"Doklad"_s), 0);
    EXPECT_EQ(m_table.sortFields(), u"Doklad"_s);
    EXPECT_TRUE(m_grid->hasSortMark(0));
    EXPECT_FALSE(m_grid->hasSortMark(1));
    EXPECT_EQ(m_grid->columnColour(0), LightGreen);
    EXPECT_FALSE(m_grid->columnColour(1).isValid());

    // Without recolouring the colours stay as they were.
    EXPECT_EQ(sortGridBy(*m_grid, m_table, Qt::red, false, u"Uzamceni"_s), 0);
    EXPECT_TRUE(m_grid->hasSortMark(2));
    EXPECT_EQ(m_grid->columnColour(0), LightGreen);
    EXPECT_FALSE(m_grid->columnColour(2).isValid());

    // A field the grid does not show: sorted, no column marked.
    EXPECT_EQ(sortGridBy(*m_grid, m_table, LightGreen, true, u"RecNo"_s), 0);
    for (int column = 0; column < m_grid->columnCount(); ++column)
        EXPECT_FALSE(m_grid->hasSortMark(column));
}

// The sort mark points up, as the lists' guides say (▲), in room of its own
// beside the title.
TEST_F(DataGridTest, SortMarkPointsUpBesideTheTitle)
{
    sortGridBy(*m_grid, m_table, LightGreen, true, u"DatVyst"_s);
    QHeaderView *titles = m_grid->view()->horizontalHeader();
    const int logical = titles->logicalIndex(1);
    EXPECT_GE(titles->sectionSize(logical), QFontMetrics(titles->font()).horizontalAdvance(u"Dat. vystavení"_s) + 14);
    const QRect section(titles->sectionViewportPosition(logical), 0, titles->sectionSize(logical), titles->height());
    const QImage image = titles->viewport()->grab(section).toImage();
    // The mark's dark pixels in the title's right-hand room, row by row.
    QList<int> widths;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = image.width() - 14; x < image.width() - 2; ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        if (dark > 0)
            widths.append(dark);
    }
    ASSERT_GE(widths.size(), 3) << "no mark drawn";
    EXPECT_LT(widths.first(), widths.last()) << "narrow at the top: the mark points up";
}

// The widths a list gives are minimums: titles and cells are read in full,
// and a width the user gave stays.
TEST(DataGridWidths, ColumnsWidenToTheirTitlesAndCells)
{
    MemTable table;
    const auto field = [&table](const QString &name, const QString &label, int width) {
        FieldDef def;
        def.name = name;
        def.displayLabel = label;
        def.size = 60;
        def.displayWidth = width;
        table.addField(def);
    };
    field(u"Cas"_s, u"Čas"_s, 20);
    field(u"Popis"_s, u"Popis"_s, 50);
    field(u"Kod"_s, u"Dat. úč. případu"_s, 30);
    field(u"Sirka"_s, u"Š"_s, 300);
    table.append();
    table.setValue(u"Cas"_s, u"13:45:07"_s);
    table.setValue(u"Popis"_s, u"Oprava dokladu PK0001 po uzávěrce"_s);
    table.setValue(u"Kod"_s, u"A"_s);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *grid = new DataGrid(&window);
    layout->addWidget(grid);
    grid->setTable(&table);
    window.show();
    const QFontMetrics cells(grid->view()->font());
    const QFontMetrics titles(grid->view()->horizontalHeader()->font());
    EXPECT_GE(grid->columnWidth(0), cells.horizontalAdvance(u"13:45:07"_s));
    EXPECT_GE(grid->columnWidth(1), cells.horizontalAdvance(u"Oprava dokladu PK0001 po uzávěrce"_s));
    EXPECT_GE(grid->columnWidth(2), titles.horizontalAdvance(u"Dat. úč. případu"_s));
    EXPECT_EQ(grid->columnWidth(3), 300) << "a wider given width stays";
    grid->view()->setColumnWidth(1, 90);
    table.setSortFields(u"Cas"_s);
    EXPECT_EQ(grid->columnWidth(1), 90) << "the user's width stays";
}

TEST_F(DataGridTest, SortGridByUnknownFieldFails)
{
    EXPECT_EQ(sortGridBy(*m_grid, m_table, LightGreen, true, u"Nope"_s), -1);
    EXPECT_EQ(sortGridBy(*m_grid, m_table, LightGreen, true, u"Doklad"_s, u"Nope"_s), -1);
    EXPECT_EQ(m_table.sortFields(), QString());
}

TEST_F(DataGridTest, ColumnsKeepWidthMarkAndColourThroughMovesAndSorting)
{
    sortGridBy(*m_grid, m_table, LightGreen, true, u"DatVyst"_s);
    m_grid->moveColumn(1, 0); // the highlight list moves a clicked column first
    EXPECT_EQ(m_grid->columnField(0), u"DatVyst"_s);
    EXPECT_EQ(findGridColumn(*m_grid, u"DATVYST"_s), 0);
    EXPECT_EQ(findGridColumn(*m_grid, u"Doklad"_s), 1);
    EXPECT_EQ(findGridColumn(*m_grid, u"RecNo"_s), -1);
    const int dateWidth = m_grid->columnWidth(0); // the title and its mark fit
    EXPECT_GT(dateWidth, 105);
    m_grid->view()->setColumnWidth(m_grid->view()->horizontalHeader()->logicalIndex(1), 150);
    m_table.setSortFields(u"Doklad;RecNo"_s);
    m_table.append();
    EXPECT_EQ(m_grid->columnField(0), u"DatVyst"_s);
    EXPECT_EQ(m_grid->columnTitle(0), u"Dat. vystavení"_s);
    EXPECT_EQ(m_grid->columnWidth(0), dateWidth);
    EXPECT_EQ(m_grid->columnWidth(1), 150);
    EXPECT_TRUE(m_grid->hasSortMark(0));
    EXPECT_EQ(m_grid->columnColour(0), LightGreen);
}

TEST_F(DataGridTest, TitleClickIsReportedWithoutSorting)
{
    QSignalSpy clicks(m_grid, &DataGrid::titleClicked);
    m_grid->moveColumn(2, 0);
    QHeaderView *titles = m_grid->view()->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(titles->logicalIndex(0)) + 5, 5));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 0);
    EXPECT_EQ(m_table.sortFields(), QString());
    EXPECT_EQ(m_table.value(0, 0).toString(), u"PK0003"_s);
}

TEST_F(DataGridTest, EnterAndDoubleClickActivate)
{
    QSignalSpy activations(m_grid, &DataGrid::activated);
    QTest::keyClick(m_grid->view(), Qt::Key_Return);
    EXPECT_EQ(activations.count(), 1);
    QTableView *view = m_grid->view();
    const QRect cell = view->visualRect(view->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(activations.count(), 2);
    EXPECT_EQ(m_table.currentRow(), 1);
}

TEST_F(DataGridTest, CurrentRowFollowsTheTableAndTheGrid)
{
    m_table.setCurrentRow(2);
    EXPECT_EQ(m_grid->view()->currentIndex().row(), 2);
    QTest::keyClick(m_grid->view(), Qt::Key_Up);
    EXPECT_EQ(m_table.currentRow(), 1);
}

TEST_F(DataGridTest, RowColoursPaintWholeRows)
{
    m_grid->setRowColours([](int row) -> std::optional<GridColours> {
        if (row == 1)
            return GridColours{QColor(255, 0, 0), QColor(Qt::white)};
        return std::nullopt;
    });
    EXPECT_EQ(m_grid->cellColours(1, 2, false).background, QColor(255, 0, 0));
    EXPECT_FALSE(m_grid->cellColours(0, 2, false).background.isValid());
}

// The highlight list keeps a coloured row's colour on its selected cell, a
// darker one when the cell is selected without the focus.
TEST_F(DataGridTest, SelectedCellOfAColouredRowKeepsTheRowColour)
{
    m_grid->setRowColours([](int row) -> std::optional<GridColours> {
        if (row == 1)
            return GridColours{QColor(255, 0, 0), QColor(Qt::white), QColor(128, 0, 0)};
        return std::nullopt;
    });
    EXPECT_EQ(m_grid->cellColours(1, 0, true, false).background, QColor(128, 0, 0));
    EXPECT_EQ(m_grid->cellColours(1, 0, true, true).background, QColor(255, 0, 0));
    EXPECT_EQ(m_grid->cellColours(1, 0, false).background, QColor(255, 0, 0));

    const QModelIndex cell = m_grid->view()->model()->index(1, 0);
    QStyleOptionViewItem option;
    option.state = QStyle::State_Enabled | QStyle::State_Selected;
    m_grid->styleCell(option, cell);
    EXPECT_EQ(option.palette.color(QPalette::Highlight), QColor(128, 0, 0));
    EXPECT_EQ(option.palette.color(QPalette::HighlightedText), QColor(Qt::white));
    QStyleOptionViewItem focused;
    focused.state = QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_HasFocus;
    m_grid->styleCell(focused, cell);
    EXPECT_EQ(focused.palette.color(QPalette::Highlight), QColor(255, 0, 0));

    // Rows without a colour keep the selection colour of the style.
    QStyleOptionViewItem plain;
    plain.state = QStyle::State_Enabled | QStyle::State_Selected;
    const QColor styleHighlight = plain.palette.color(QPalette::Highlight);
    m_grid->styleCell(plain, m_grid->view()->model()->index(0, 0));
    EXPECT_EQ(plain.palette.color(QPalette::Highlight), styleHighlight);
}

} // namespace
