#include "common/MemTable.h"
#include "common/LocaleFormats.h"
#include "common/MemTableModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A small document list: number, date, record number, amount, locked flag.
class MemTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_table.addField(u"Doklad"_s, FieldType::String, 10, u"Číslo"_s);
        m_table.addField(u"Datum"_s, FieldType::DateTime);
        m_table.addField(u"RecNo"_s, FieldType::Integer);
        FieldDef amount;
        amount.name = u"Castka"_s;
        amount.type = FieldType::Float;
        amount.displayFormat = u"# ### ### ##0.00"_s;
        m_table.addField(amount);
        m_table.addField(u"Zamceno"_s, FieldType::Boolean);
    }

    void add(const QString &doklad, QDate date, int recNo, double amount = 0, bool locked = false)
    {
        m_table.append();
        m_table.setValue(u"Doklad"_s, doklad);
        m_table.setValue(u"Datum"_s, date);
        m_table.setValue(u"RecNo"_s, recNo);
        m_table.setValue(u"Castka"_s, amount);
        m_table.setValue(u"Zamceno"_s, locked);
    }

    QStringList column(const QString &field)
    {
        QStringList values;
        const int f = m_table.fieldIndex(field);
        for (int r = 0; r < m_table.recordCount(); ++r)
            values.append(m_table.value(r, f).toString());
        return values;
    }

    MemTable m_table;
};

TEST_F(MemTableTest, SortsByDateThenRecordNumberStably)
{
    add(u"PK3"_s, QDate(2018, 1, 2), 3);
    add(u"PK1"_s, QDate(2018, 1, 1), 5);
    add(u"PK2"_s, QDate(2018, 1, 2), 1);
    add(u"PK4"_s, QDate(2018, 1, 1), 2);
    ASSERT_TRUE(m_table.setSortFields(u"Datum;RecNo"_s));
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PK4"_s, u"PK1"_s, u"PK2"_s, u"PK3"_s}));
    // Equal keys keep their insertion order.
    ASSERT_TRUE(m_table.setSortFields(u"Datum"_s));
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"PK1"_s, u"PK4"_s, u"PK3"_s, u"PK2"_s}));
    EXPECT_FALSE(m_table.setSortFields(u"Nope"_s));
    EXPECT_EQ(m_table.sortFields(), u"Datum"_s);
}

TEST_F(MemTableTest, TextsSortWithoutRegardToCaseInCzechOrder)
{
    for (const QString &s : {u"chata"_s, u"Hora"_s, u"čaj"_s, u"cesta"_s, u"dům"_s})
        add(s, QDate(), 0);
    m_table.setSortFields(u"Doklad"_s);
    EXPECT_EQ(column(u"Doklad"_s), QStringList({u"cesta"_s, u"čaj"_s, u"dům"_s, u"Hora"_s, u"chata"_s}));
}

TEST_F(MemTableTest, StringsAreCutToTheirSize)
{
    add(u"ABCDEFGHIJKLMN"_s, QDate(), 0);
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"ABCDEFGHIJ"_s);
}

TEST_F(MemTableTest, CurrentRowFollowsItsRecordThroughSortAndFilter)
{
    add(u"B"_s, QDate(2018, 1, 2), 1);
    add(u"A"_s, QDate(2018, 1, 1), 2);
    add(u"C"_s, QDate(2018, 1, 3), 3);
    m_table.setCurrentRow(0); // B
    const auto mark = m_table.bookmark();
    m_table.setSortFields(u"Doklad"_s);
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"B"_s);
    EXPECT_EQ(m_table.currentRow(), 1);
    m_table.setFilter([](const MemTable &t, int row) { return t.storageValue(row, 0).toString() != u"B"_s; });
    EXPECT_EQ(m_table.recordCount(), 2);
    EXPECT_FALSE(m_table.gotoBookmark(mark));
    m_table.setFilter(nullptr);
    EXPECT_TRUE(m_table.gotoBookmark(mark));
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"B"_s);
}

TEST_F(MemTableTest, BookmarkOfARowFollowsItsRecordThroughSorting)
{
    add(u"B"_s, QDate(), 1);
    add(u"A"_s, QDate(), 2);
    const auto markOfB = m_table.bookmarkAt(0);
    EXPECT_NE(markOfB, m_table.bookmarkAt(1));
    m_table.setSortFields(u"Doklad"_s);
    EXPECT_EQ(m_table.bookmarkAt(1), markOfB);
    EXPECT_EQ(m_table.bookmarkAt(2), 0u);
    EXPECT_EQ(m_table.bookmarkAt(-1), 0u);
}

TEST_F(MemTableTest, NavigationAndDeletion)
{
    EXPECT_EQ(m_table.currentRow(), -1);
    m_table.first();
    EXPECT_TRUE(m_table.eof());
    add(u"A"_s, QDate(), 1);
    add(u"B"_s, QDate(), 2);
    add(u"C"_s, QDate(), 3);
    m_table.first();
    QStringList walked;
    while (!m_table.eof()) {
        walked.append(m_table.value(u"Doklad"_s).toString());
        m_table.next();
    }
    EXPECT_EQ(walked, QStringList({u"A"_s, u"B"_s, u"C"_s}));
    m_table.setCurrentRow(1);
    m_table.deleteCurrent();
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"C"_s);
    m_table.deleteCurrent();
    EXPECT_EQ(m_table.value(u"Doklad"_s).toString(), u"A"_s);
    m_table.deleteCurrent();
    EXPECT_EQ(m_table.currentRow(), -1);
    EXPECT_TRUE(m_table.isEmpty());
}

TEST_F(MemTableTest, LocateIsPartialAndCaseInsensitive)
{
    add(u"PP0001"_s, QDate(2018, 3, 1), 1, 0, false);
    add(u"PP0002"_s, QDate(2018, 3, 2), 2, 0, true);
    EXPECT_TRUE(m_table.locate(u"Doklad"_s, u"pp0002"_s));
    EXPECT_EQ(m_table.currentRow(), 1);
    EXPECT_TRUE(m_table.locate(u"Doklad"_s, u"pp"_s));
    EXPECT_EQ(m_table.currentRow(), 0);
    EXPECT_FALSE(m_table.locate(u"Doklad"_s, u"pp"_s, false));
    EXPECT_TRUE(m_table.locate(u"Zamceno"_s, u"ano"_s));
    EXPECT_EQ(m_table.currentRow(), 1);
    EXPECT_TRUE(m_table.locate(u"Datum"_s, u"1.3."_s));
    EXPECT_EQ(m_table.currentRow(), 0);
    EXPECT_FALSE(m_table.locate(u"Doklad"_s, u"X"_s));
}

// Amounts are typed as the user writes numbers: with the locale's decimal
// separator (the search strip over a total column).
TEST_F(MemTableTest, LocateInAmountsUsesTheLocaleDecimalSeparator)
{
    add(u"PP0001"_s, QDate(2018, 3, 1), 1, 1234.5);
    add(u"PP0002"_s, QDate(2018, 3, 2), 2, 98.25);
    EXPECT_TRUE(m_table.locate(u"Castka"_s, u"98,2"_s));
    EXPECT_EQ(m_table.currentRow(), 1);
    EXPECT_TRUE(m_table.locate(u"Castka"_s, u"1234,5"_s));
    EXPECT_EQ(m_table.currentRow(), 0);
    EXPECT_FALSE(m_table.locate(u"Castka"_s, u"98.25"_s)); // not a number in this locale
    EXPECT_EQ(m_table.currentRow(), 0);
}

TEST_F(MemTableTest, DisplayTextsAndModel)
{
    add(u"A"_s, QDate(2018, 1, 5), 7, 1234.5, true);
    m_table.append(); // all nulls
    MemTableModel model(&m_table);
    m_table.field(2).visible = false; // RecNo hidden
    model.refresh();
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), u"Číslo"_s);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), u"5.1.2018"_s);
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), u"1 234,50"_s);
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), u"ANO"_s);
    EXPECT_EQ(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), QString());
    EXPECT_EQ(model.fieldOfColumn(2), 3);
    EXPECT_EQ(model.columnOfField(2), -1);

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    m_table.beginUpdate();
    for (int i = 0; i < 10; ++i)
        add(u"X"_s, QDate(), i);
    m_table.endUpdate();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 12);
}

TEST(MemTableDisplay, DateTimesWithAFormatShowOnlyWhatItAsks)
{
    FieldDef time;
    time.name = u"Cas"_s;
    time.type = FieldType::DateTime;
    time.displayFormat = u"hh:mm"_s;
    const QDateTime value(QDate(1899, 12, 30), QTime(9, 5, 40));
    EXPECT_EQ(MemTable::displayText(time, value), u"09:05"_s);
    time.displayFormat.clear();
    EXPECT_EQ(MemTable::displayText(time, QDateTime(QDate(2018, 1, 5), QTime(0, 0))), u"5.1.2018"_s);
    EXPECT_EQ(MemTable::displayText(time, QVariant()), QString());
}

} // namespace
