// The classification of a document from the action log: the log is built
// with the fixture builder, read once through the engine, and each case
// classifies one document of the cash module ("UP") of company 001, year 2018.

#include "EditedTestSupport.h"
#include "common/DayNumber.h"
#include "hostdb/HostCatalogue.h"
#include "ops/edited/DocumentClassification.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

const char *const kHeader = "Agenda | Rok  | KodSezn | DoklZkrat | Cislo | KodAkce | Cena   | Datum      | Uzivatel\n";

struct ClassifyCase
{
    const char *name;
    const char *log; // rows under kHeader
    const char *document;
    double total;
    int expected;
    bool useChangeFrom = false;
    bool ignoreOwn = false;
    const char *missingField = nullptr; // a log whose records lack this field
};

// The change-from date of every case that uses it.
const QDate kChangeFrom(2018, 3, 1);

void PrintTo(const ClassifyCase &c, std::ostream *os)
{
    *os << c.name;
}

class ClassificationTest : public testing::TestWithParam<ClassifyCase>
{
};

TEST_P(ClassificationTest, ClassifiesFromTheLog)
{
    const ClassifyCase &c = GetParam();
    EditedFixture fixture;
    HostTableDef definition = *HostCatalogue::find(u"GLAKCE");
    if (c.missingField)
        definition.fields.removeAt(definition.fieldIndex(QString::fromUtf8(c.missingField)));
    QString header = QString::fromUtf8(kHeader);
    if (c.missingField) {
        // Drop the missing field's column from the header and every row.
        QStringList lines = QString(header + QString::fromUtf8(c.log)).split(u'\n');
        const QStringList names = lines.first().split(u'|');
        int column = -1;
        for (int i = 0; i < names.size(); ++i) {
            if (names.at(i).trimmed() == QString::fromUtf8(c.missingField))
                column = i;
        }
        for (QString &line : lines) {
            QStringList cells = line.split(u'|');
            if (cells.size() == names.size())
                cells.removeAt(column);
            line = cells.join(u'|');
        }
        fixture.tree().table(definition).rows(lines.join(u'\n'));
    } else {
        fixture.tree().table(definition).rows(header + QString::fromUtf8(c.log));
    }

    TBFTable log;
    ASSERT_EQ(log.Open(fixture.context().dataRoot + u"GLAKCE"_s), 0);
    ASSERT_EQ(log.SetIndex(actionLogIndex()), 0);
    ActionLog actions;
    actions.load(log, u"001"_s, u"2018"_s, u"UP"_s);
    EXPECT_EQ(classifyDocument(actions, QString::fromUtf8(c.document), kChangeFrom, c.useChangeFrom, u"Jana"_s,
                               c.ignoreOwn, c.total),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassificationTest,
    testing::Values(
        ClassifyCase{"NoLogRecordsIsNotEdited", "001 | 2018 | UP | PK0002 | 1 | Z | 50 | 2018-01-05 | Petr", "PK0001",
                     100, 0},
        ClassifyCase{"CreationOnlyWithTheSameTotalIsNotEdited",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr", "PK0001", 100, 0},
        // The creation logged another total than the document has now.
        ClassifyCase{"CreationOnlyWithAnotherTotalIsTotalChanged",
                     "001 | 2018 | UP | PK0001 | 1 | P | 90 | 2018-01-05 | Petr", "PK0001", 100, 2},
        ClassifyCase{"ChangeWithEqualTotalsIsEdited",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Petr",
                     "PK0001", 100, 1},
        ClassifyCase{"ChangeOfTheTotalIsTotalChanged",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 120 | 2018-01-09 | Petr",
                     "PK0001", 120, 2},
        // The total changed at creation and a later plain edit does not
        // lower 2 to 1.
        ClassifyCase{"TotalChangedIsNeverLoweredToEdited",
                     "001 | 2018 | UP | PK0001 | 1 | P | 90 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Petr",
                     "PK0001", 100, 2},
        ClassifyCase{"OwnLastChangeIsIgnored",
                     "001 | 2018 | UP | PK0001 | 1 | P | 90 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | JANA",
                     "PK0001", 100, 0, false, true},
        ClassifyCase{"AnotherUsersLastChangeIsNotIgnored",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Jana\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Petr",
                     "PK0001", 100, 1, false, true},
        ClassifyCase{"OwnLastChangeCountsWithoutTheSwitch",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Jana",
                     "PK0001", 100, 1},
        ClassifyCase{"ChangeBeforeTheChangeFromDateIsNotCounted",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 120 | 2018-02-28 | Petr",
                     "PK0001", 100, 0, true},
        ClassifyCase{"ChangeOnTheChangeFromDateIsCounted",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-03-01 | Petr",
                     "PK0001", 100, 1, true},
        // The change before the date set 2 and was reset; the later one
        // classifies the document.
        ClassifyCase{"ChangeBeforeAndAfterTheDateIsClassifiedByTheLater",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 120 | 2018-02-10 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 3 | Z | 100 | 2018-03-05 | Petr",
                     "PK0001", 100, 1, true},
        // The log's own numbers order the actions, not the order of writing:
        // the change before the date comes last.
        ClassifyCase{"ActionsFollowTheirNumbers",
                     "001 | 2018 | UP | PK0001 | 3 | Z | 100 | 2018-02-10 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-03-05 | Petr",
                     "PK0001", 100, 0, true},
        ClassifyCase{"AnotherCompanysRecordsAreNotCounted",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "002 | 2018 | UP | PK0001 | 2 | Z | 120 | 2018-01-09 | Petr",
                     "PK0001", 100, 0},
        ClassifyCase{"AnotherYearsRecordsAreNotCounted",
                     "001 | 2017 | UP | PK0001 | 1 | Z | 120 | 2017-01-09 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2019 | UP | PK0001 | 3 | Z | 120 | 2019-01-09 | Petr",
                     "PK0001", 100, 0},
        ClassifyCase{"AnotherModulesRecordsAreNotCounted",
                     "001 | 2018 | UB | PK0001 | 1 | Z | 120 | 2018-01-09 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | P | 100 | 2018-01-05 | Petr",
                     "PK0001", 100, 0},
        // The engine finds the log's records whatever the case of the number
        // and its trailing blanks; they belong to the document.
        ClassifyCase{"NumberInAnotherCaseIsTheSameDocument",
                     "001 | 2018 | UP | pk0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | pk0001 | 2 | Z | 100 | 2018-01-09 | Petr",
                     "PK0001 ", 100, 1},
        ClassifyCase{"NeighbouringNumbersAreOtherDocuments",
                     "001 | 2018 | UP | PK00011 | 1 | Z | 120 | 2018-01-09 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK000 | 3 | Z | 120 | 2018-01-09 | Petr",
                     "PK0001", 100, 0},
        // An unreadable price counts as 0, an unreadable user as empty text,
        // an unreadable date leaves the result as it is.
        ClassifyCase{"UnreadablePriceCountsAsZero", "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr",
                     "PK0001", 100, 2, false, false, "Cena"},
        ClassifyCase{"UnreadablePriceEqualsAZeroTotal", "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr",
                     "PK0001", 0, 0, false, false, "Cena"},
        ClassifyCase{"UnreadableDateLeavesTheResult",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Petr",
                     "PK0001", 100, 1, true, false, "Datum"},
        ClassifyCase{"UnreadableUserIsNotTheCurrentUser",
                     "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Jana\n"
                     "001 | 2018 | UP | PK0001 | 2 | Z | 100 | 2018-01-09 | Jana",
                     "PK0001", 100, 1, false, true, "Uzivatel"},
        ClassifyCase{"UnreadableActionCodeIsNotACreation", "001 | 2018 | UP | PK0001 | 1 | P | 100 | 2018-01-05 | Petr",
                     "PK0001", 100, 1, false, false, "KodAkce"}),
    [](const testing::TestParamInfo<ClassifyCase> &paramInfo) { return std::string(paramInfo.param.name); });

// The step order over plain actions: a later record sets the result again
// after the change-from date reset it, and ignore-own wins over everything.
TEST(ClassifyActions, StepsRunInOrderForEveryAction)
{
    ClassifyOptions options{QDate(2018, 3, 1), true, u"Jana"_s, false};
    const int before = DayNumber::fromDate(QDate(2018, 2, 1)).day();
    const int after = DayNumber::fromDate(QDate(2018, 4, 1)).day();
    std::vector<LoggedAction> actions{
        {true, 100, before, u"Petr"_s}, {false, 100, after, u"Petr"_s}, {false, 120, before, u"Petr"_s}};
    EXPECT_EQ(classifyActions(&actions, 100, options), 0); // the last action lies before the date
    actions.push_back({false, 100, after, u"Jana"_s});
    EXPECT_EQ(classifyActions(&actions, 100, options), 1);
    options.ignoreOwn = true;
    EXPECT_EQ(classifyActions(&actions, 100, options), 0);
    EXPECT_EQ(classifyActions(nullptr, 100, options), 0);
}

// The log is read once: the documents of the module are grouped by number.
TEST(ActionLogIndex, GroupsTheModulesRecordsByDocument)
{
    EditedFixture fixture;
    fixture.tree().table(u"GLAKCE"_s).rows(QString::fromUtf8(kHeader) + uR"(
        001 | 2018 | UB | BK0001 | 1 | P | 1 | 2018-01-05 | Petr
        001 | 2018 | UP | PK0001 | 2 | P | 1 | 2018-01-05 | Petr
        001 | 2018 | UP | PK0002 | 3 | P | 1 | 2018-01-05 | Petr
        001 | 2018 | UP | PK0001 | 4 | Z | 1 | 2018-01-06 | Eva
        001 | 2018 | UP | PK0003 | 5 | P | 1 | 2018-01-05 | Petr
        001 | 2018 | UV | PK0001 | 6 | P | 1 | 2018-01-05 | Petr)"_s);
    TBFTable log;
    ASSERT_EQ(log.Open(fixture.context().dataRoot + u"GLAKCE"_s), 0);
    ASSERT_EQ(log.SetIndex(actionLogIndex()), 0);
    ActionLog actions;
    actions.load(log, u"001"_s, u"2018"_s, u"UP"_s);
    EXPECT_EQ(actions.documentCount(), 3);
    const std::vector<LoggedAction> *first = actions.actionsOf(u"PK0001"_s);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->size(), 2u);
    EXPECT_TRUE(first->at(0).creation);
    EXPECT_EQ(first->at(1).user, u"Eva"_s);
    EXPECT_EQ(actions.actionsOf(u"BK0001"_s), nullptr);
}

} // namespace
