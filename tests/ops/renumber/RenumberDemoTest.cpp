// What the README promises for renumbering on the demo company.

#include "WriteBackFixture.h"
#include "app/core/YearList.h"
#include "demo/DemoCompany.h"
#include "ops/renumber/RenumberProposal.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

class RenumberDemoTest : public testing::Test
{
protected:
    RenumberDemoTest()
    {
        const QString root = m_dir.path() + u"/demo"_s;
        EXPECT_TRUE(DemoCompany::build(root).ok);
        m_context.dataRoot = root + u"/"_s;
        m_context.agendaDir = m_context.dataRoot + u"AGENDA.001/"_s;
        m_context.yearDir = m_context.agendaDir + u"ROK.2018/"_s;
    }
    // Loads a series of 2018 sorted by the accounting-case date.
    void load(MemTable &list, RenumberModule module, const QString &prefix)
    {
        defineRenumberList(list, module, true);
        m_state.module = module;
        m_state.seriesPrefix = prefix;
        m_state.leadingZeros = true;
        m_state.digitCount = 4;
        ASSERT_EQ(RenumberListLoader(m_session, module, prefix).load(list), 0);
        list.setSortFields(u"DatUcPr;RecNo"_s);
    }
    // "Přečíslovat" on `list`, answered "Ano", in the demo's company and year.
    int writeBack(MemTable &list, const QString &caption)
    {
        m_context.settingsDir = m_dir.path() + u"/Setting/"_s;
        m_context.agendaCode = u"001"_s;
        m_context.yearCode = u"2018"_s;
        EXPECT_EQ(loadYearList(m_context.agendaDir, m_session.mtYear), 0);
        scriptedUi().answer(MessageAnswer::Yes);
        return RenumberWriteBack(m_session, list, m_state).renumber(m_view, caption);
    }
    QStringList column(const QString &field) const
    {
        QStringList values;
        for (int row = 0; row < m_list.recordCount(); ++row)
            values.append(m_list.value(row, m_list.fieldIndex(field)).toString());
        return values;
    }

    QTemporaryDir m_dir;
    FakeSession m_fake;
    RunContext &m_context = m_fake.context;
    OperationSession &m_session = m_fake.session;
    QList<QStringList> &m_shown = m_fake.shownProtocols;
    MemTable m_list{u"mtDoklady"_s};
    RenumberState m_state;
    FakeListView m_view;
};

// One demo company for both series (building it takes a while).
TEST_F(RenumberDemoTest, InternalDocumentsInDateOrderAndCashReceiptsBlocked)
{
    // Internal documents: ID180014 was entered three weeks late. Marking
    // ID180011 … ID180020 and proposing from 11 puts them in date order.
    load(m_list, RenumberModule::Internal, u"ID18"_s);
    for (int row = 0; row < m_list.recordCount(); ++row) {
        if (m_list.value(row, m_list.fieldIndex(u"Sufix"_s)).toInt() >= 11)
            m_view.marked.insert(row);
    }
    ASSERT_EQ(m_view.markCount(), 10);
    ASSERT_EQ(RenumberProposal(m_session, m_list, m_state, m_view).propose(11), 0);
    const QStringList before = column(u"DokladPuv"_s).mid(8);
    EXPECT_EQ(before.first(), u"ID180014"_s);
    QStringList inOrder;
    for (int n = 11; n <= 20; ++n)
        inOrder.append(u"ID18%1"_s.arg(n, 4, 10, QChar(u'0')));
    EXPECT_EQ(column(u"Doklad"_s).mid(8), inOrder);
    EXPECT_FALSE(m_state.hasLockedDocument || m_state.beforeClosingDate || m_state.inFiledVatPeriod ||
                 m_state.hasEetDocument);
    ASSERT_EQ(scriptedUi().messages().size(), 1);
    EXPECT_EQ(scriptedUi().messages().at(0).kind, MessageKind::Information);

    // "Přečíslovat": the documents that change number, and with them their
    // journal lines, the asset movement and the reserve drawing they posted
    // and their action-log records.
    QHash<QString, QString> newByOld;
    for (int row = 8; row < m_list.recordCount(); ++row) {
        const QString oldNumber = m_list.value(row, m_list.fieldIndex(u"DokladPuv"_s)).toString();
        const QString newNumber = m_list.value(row, m_list.fieldIndex(u"Doklad"_s)).toString();
        if (oldNumber != newNumber)
            newByOld.insert(oldNumber, newNumber);
    }
    // ID180014 becomes ID180011; ID180011 … ID180013 move up by one.
    EXPECT_EQ(newByOld, (QHash<QString, QString>{{u"ID180014"_s, u"ID180011"_s},
                                                 {u"ID180011"_s, u"ID180012"_s},
                                                 {u"ID180012"_s, u"ID180013"_s},
                                                 {u"ID180013"_s, u"ID180014"_s}}));
    ASSERT_EQ(writeBack(m_list, u"Prefix ID18 interní doklady"_s), 0);
    EXPECT_EQ(m_state.renumberedCount, newByOld.size());
    ASSERT_EQ(m_shown.size(), 1);
    // Head, one line per document, blank, total, the snapshot's folder.
    EXPECT_EQ(m_shown.at(0).size(), 11 + newByOld.size() + 3);
    EXPECT_TRUE(m_shown.at(0).last().startsWith(u"Záloha tabulek před změnami: "_s));
    const auto renumbered = [&](const QString &number) { return newByOld.value(number, number); };
    EXPECT_EQ(WriteBackTest::values(m_context.agendaDir + u"REZCERP"_s, u"Doklad"_s),
              QStringList{renumbered(u"ID180012"_s)});
    EXPECT_EQ(WriteBackTest::values(m_context.agendaDir + u"MJINVPOH"_s, u"ZauctDokla"_s).last(),
              renumbered(u"ID180011"_s));
    // Every listed document bears its row's number (the demo's records
    // are numbered from 1 without gaps).
    const QStringList internal = WriteBackTest::values(m_context.yearDir + u"INTDOKL"_s, u"Doklad"_s);
    for (int row = 0; row < m_list.recordCount(); ++row)
        EXPECT_EQ(internal.value(m_list.value(row, m_list.fieldIndex(u"RecNo"_s)).toInt() - 1),
                  m_list.value(row, m_list.fieldIndex(u"Doklad"_s)).toString());
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());
    scriptedUi().reset();
    m_shown.clear();

    // Cash receipts: the whole series meets the locked PP180003, the filed
    // first quarter and EET; the report asks about the locked document.
    scriptedUi().reset();
    MemTable cash(u"mtDoklady"_s);
    m_view.marked.clear();
    m_state = RenumberState();
    load(cash, RenumberModule::Cash, u"PP18"_s);
    scriptedUi().answer(MessageAnswer::Yes);
    ASSERT_EQ(RenumberProposal(m_session, cash, m_state, m_view).propose(1), 0);
    EXPECT_TRUE(m_state.hasLockedDocument);
    EXPECT_FALSE(m_state.beforeClosingDate);
    EXPECT_TRUE(m_state.inFiledVatPeriod);
    EXPECT_TRUE(m_state.hasEetDocument);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown.at(0), QStringList({u"Uzamknuté doklady:"_s, u"================"_s, u"PP180003"_s}));
}

// The euro cash desk, opened in April: the whole series meets only EET (its
// last receipt is registered); without that receipt the proposal is free and
// is written back.
TEST_F(RenumberDemoTest, EuroCashReceiptsShowTheEetReportOrAreWrittenBack)
{
    load(m_list, RenumberModule::Cash, u"PE18"_s);
    ASSERT_EQ(m_list.recordCount(), 10);
    ASSERT_EQ(RenumberProposal(m_session, m_list, m_state, m_view).propose(1), 0);
    EXPECT_FALSE(m_state.hasLockedDocument || m_state.beforeClosingDate || m_state.inFiledVatPeriod);
    EXPECT_TRUE(m_state.hasEetDocument);
    EXPECT_TRUE(scriptedUi().shown(
        {{MessageKind::Warning,
          u"Operace byla dokončena - některý doklad však spadá do režimu EET, přečíslování nebude možné."_s}}));

    scriptedUi().reset();
    MemTable cash(u"mtDoklady"_s);
    m_state = RenumberState();
    load(cash, RenumberModule::Cash, u"PE18"_s);
    for (int row = 0; row < cash.recordCount(); ++row) {
        if (cash.value(row, cash.fieldIndex(u"Sufix"_s)).toInt() <= 9)
            m_view.marked.insert(row);
    }
    ASSERT_EQ(m_view.markCount(), 9);
    ASSERT_EQ(RenumberProposal(m_session, cash, m_state, m_view).propose(1), 0);
    EXPECT_FALSE(m_state.hasLockedDocument || m_state.beforeClosingDate || m_state.inFiledVatPeriod ||
                 m_state.hasEetDocument);
    int changed = 0;
    for (int row = 0; row < cash.recordCount(); ++row) {
        if (cash.value(row, cash.fieldIndex(u"Doklad"_s)) != cash.value(row, cash.fieldIndex(u"DokladPuv"_s)))
            ++changed;
    }
    EXPECT_GE(changed, 2) << "PE180009 was entered late";
    ASSERT_EQ(writeBack(cash, u"Prefix PE18 pokladní doklady"_s), 0);
    EXPECT_EQ(m_state.renumberedCount, changed);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown.at(0).last().startsWith(u"Záloha tabulek před změnami: "_s));
    QStringList euroNumbers;
    for (const QString &number : WriteBackTest::values(m_context.yearDir + u"POKLKNIH"_s, u"Doklad"_s)) {
        if (number.startsWith(u"PE18"_s))
            euroNumbers.append(number);
    }
    euroNumbers.sort();
    QStringList expected;
    for (int n = 1; n <= 10; ++n)
        expected.append(u"PE18%1"_s.arg(n, 4, 10, QChar(u'0')));
    EXPECT_EQ(euroNumbers, expected);
    EXPECT_EQ(TestSupport::openTableFiles(m_context.dataRoot), QStringList());
}

} // namespace
