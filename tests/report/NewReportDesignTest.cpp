// The new-report wizard's generator: what it places for each choice, that the
// template it makes survives the template text and lays out into pages.
#include "DataFixture.h"
#include "ModelDump.h"

#include "common/Clock.h"
#include "report/core/designer/NewReportDesign.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/PageDump.h"
#include "report/ui/designer/NewReportDialog.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <set>

using namespace Qt::StringLiterals;
using namespace TestSupport;

namespace {

struct DesignCase
{
    const char *name;
    NewReportChoice::Style style;
    bool labels;
    bool labelsAsText;
    bool byName;
    int paper;         // built-in format index
    QList<int> fields; // indexes into the fixture's fields
    int bodyRows;      // distinct rows of fields in the body
    int headerLabels;  // label elements in the page header
    int bodyLabels;    // label elements in the body
    int labelKind;     // kind of the labels, 0 when none
};

std::ostream &operator<<(std::ostream &os, const DesignCase &c)
{
    return os << c.name;
}

QList<const TRastelReportElement *> elementsOf(const TSestavaTyp &report, int sectionId, int kind)
{
    QList<const TRastelReportElement *> found;
    const TOddilSestavy &section = *report.sections().find(sectionId);
    for (int i = 0; i < section.count(); ++i)
        if (section.at(i).kind == kind)
            found.append(&section.at(i));
    return found;
}

} // namespace

class NewReportDesignTest : public DataFixture, public testing::WithParamInterface<DesignCase>
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        Clock::setCurrent(std::make_unique<FixedClock>(QDateTime(QDate(2018, 3, 5), QTime(10, 30))));
        m_savedPage = pageSetup();
        m_report.collectFields(); // the field list the designer offers
    }
    void TearDown() override
    {
        pageSetup() = m_savedPage;
        Clock::setCurrent(nullptr);
        DataFixture::TearDown();
    }

    NewReportChoice choice(const DesignCase &c) const
    {
        NewReportChoice v;
        const QList<NewReportField> all = NewReportDesign::availableFields(m_report);
        for (int index : c.fields)
            v.fields.append(all.at(index));
        v.style = c.style;
        v.labels = c.labels;
        v.labelsAsText = c.labelsAsText;
        v.byName = c.byName;
        v.paper = TListFormatu::builtIn(c.paper);
        return v;
    }

    PageSetup m_savedPage;
};

TEST_F(NewReportDesignTest, OffersTheReportsFieldsWithLabelsAndWidths)
{
    const QList<NewReportField> fields = NewReportDesign::availableFields(m_report);
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields.at(Doklad).name, u"Doklad"_s);
    EXPECT_EQ(fields.at(Doklad).label, u"Číslo dokladu"_s);
    EXPECT_EQ(fields.at(Doklad).displayWidth, m_report.fieldSize(Doklad));
    EXPECT_EQ(fields.at(Skupina).displayWidth, m_report.fieldSize(Skupina));
    EXPECT_EQ(fields.at(Pocet).caption(), fields.at(Pocet).label.isEmpty() ? u"Pocet"_s : fields.at(Pocet).label);
}

TEST_P(NewReportDesignTest, PlacesFieldsLabelsRulesTitleDateAndPageNumber)
{
    const DesignCase &c = GetParam();
    addRecords(3);
    // Whatever was there before goes.
    add(TOddilSestavy::ReportFooter, ElementKind::GraphicText, 0, QRect(0, 0, 100, 20), u"staré"_s);
    m_report.model().addGroup(Skupina);

    NewReportDesign::generate(m_report, choice(c), DesignerSettings{});

    EXPECT_EQ(m_report.groups().count(), 0);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::ReportFooter)->count(), 0);
    EXPECT_EQ(pageSetup().paperWidth, TListFormatu::builtIn(c.paper).width);
    const int printable = TListFormatu::builtIn(c.paper).width - pageSetup().leftMargin - pageSetup().rightMargin;

    // The report header: the bold 24-point centred title, "Datum:" and the print date at the right.
    const auto texts = elementsOf(m_report, TOddilSestavy::ReportHeader, ElementKind::GraphicText);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts.at(0)->text, u"Nadpis sestavy"_s);
    EXPECT_EQ(texts.at(0)->font.size, 24);
    EXPECT_EQ(texts.at(0)->font.style, int(FontDef::Bold));
    EXPECT_EQ(texts.at(0)->alignment(), int(TRastelReportElement::AlignCenter));
    EXPECT_EQ(texts.at(1)->text, u"Datum:"_s);
    const auto dates = elementsOf(m_report, TOddilSestavy::ReportHeader, ElementKind::SystemVariable);
    ASSERT_EQ(dates.size(), 1);
    EXPECT_EQ(dates.at(0)->reference, SystemVariable::PrintDate);
    EXPECT_EQ(dates.at(0)->left + dates.at(0)->width, printable);
    EXPECT_LT(texts.at(1)->left + texts.at(1)->width, dates.at(0)->left);

    // The body: one field element per chosen field, in order, inside the page width.
    const auto fields = elementsOf(m_report, TOddilSestavy::Body, ElementKind::Field);
    ASSERT_EQ(fields.size(), c.fields.size());
    std::set<int> rows;
    for (int i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields.at(i)->reference, c.fields.at(i));
        EXPECT_EQ(fields.at(i)->referenceName, c.byName ? m_report.fieldNames().at(c.fields.at(i)) : QString());
        EXPECT_LE(fields.at(i)->left + fields.at(i)->width, printable);
        EXPECT_LE(fields.at(i)->top + fields.at(i)->height, m_report.sections().find(TOddilSestavy::Body)->height);
        rows.insert(fields.at(i)->top);
    }
    EXPECT_EQ(int(rows.size()), c.bodyRows);
    // Columns: a field goes on the row of the one before unless it no longer fits there.
    if (c.style == NewReportChoice::Columns) {
        for (int i = 1; i < fields.size(); ++i) {
            const TRastelReportElement &before = *fields.at(i - 1);
            const int next = before.left + before.width + NewReportDesign::Gap;
            if (fields.at(i)->top == before.top) {
                EXPECT_EQ(fields.at(i)->left, next) << i;
            } else {
                EXPECT_GT(next + fields.at(i)->width, printable) << i;
                EXPECT_EQ(fields.at(i)->left, 0) << i;
            }
        }
    }
    // No two fields overlap.
    for (int i = 0; i < fields.size(); ++i)
        for (int j = i + 1; j < fields.size(); ++j)
            EXPECT_FALSE(QRect(fields.at(i)->left, fields.at(i)->top, fields.at(i)->width, fields.at(i)->height)
                             .intersects(QRect(fields.at(j)->left, fields.at(j)->top, fields.at(j)->width,
                                               fields.at(j)->height)))
                << i << " " << j;

    // Labels: field labels or texts, in the page header (columns) or the body (rows).
    const int kind = c.labelKind ? c.labelKind : ElementKind::FieldLabel;
    const auto headerLabels = elementsOf(m_report, TOddilSestavy::PageHeader, kind);
    const auto bodyLabels = elementsOf(m_report, TOddilSestavy::Body, kind);
    EXPECT_EQ(headerLabels.size(), c.headerLabels);
    EXPECT_EQ(bodyLabels.size(), c.bodyLabels);
    for (const auto &labels : {headerLabels, bodyLabels})
        for (int i = 0; i < labels.size(); ++i) {
            const int field = c.fields.at(i);
            if (kind == ElementKind::GraphicText) {
                EXPECT_EQ(labels.at(i)->text, NewReportDesign::availableFields(m_report).at(field).caption());
            } else {
                EXPECT_EQ(labels.at(i)->reference, field);
                EXPECT_EQ(labels.at(i)->referenceName, c.byName ? m_report.fieldNames().at(field) : QString());
            }
            if (c.style == NewReportChoice::Columns) {
                EXPECT_EQ(labels.at(i)->left, fields.at(i)->left); // above its field
            }
        }

    // Rules under the header's labels and under the body's rows.
    const auto bodyRules = elementsOf(m_report, TOddilSestavy::Body, ElementKind::Line);
    ASSERT_EQ(bodyRules.size(), 1);
    EXPECT_EQ(bodyRules.at(0)->width, printable);
    EXPECT_EQ(bodyRules.at(0)->optionFlags, int(TRastelReportElement::FrameTop));
    for (const auto *f : fields)
        EXPECT_LE(f->top + f->height, bodyRules.at(0)->top);
    EXPECT_EQ(elementsOf(m_report, TOddilSestavy::PageHeader, ElementKind::Line).size(), c.headerLabels > 0 ? 1 : 0);

    // The page footer's page number.
    const auto pages = elementsOf(m_report, TOddilSestavy::PageFooter, ElementKind::SystemVariable);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages.at(0)->reference, SystemVariable::PageNumber);

    // Through the template text and back, the model stays the same.
    const QString before = dumpModel(m_report);
    m_report.setPredloha(m_report.writeTemplate());
    EXPECT_EQ(dumpModel(m_report), before);

    // And it lays out: the title once, every record's number, the page number.
    ASSERT_EQ(ReportLayout::prepare(m_report, nullptr), seOK);
    const QString pagesDump = dumpOutput(m_report.output());
    EXPECT_EQ(pagesDump.count(u"Nadpis sestavy"_s), 1);
    if (c.fields.contains(Doklad)) {
        for (const QString &number : {u"D001"_s, u"D002"_s, u"D003"_s})
            EXPECT_TRUE(pagesDump.contains(number)) << number.toStdString();
    }
    EXPECT_TRUE(pagesDump.contains(u"Strana 1"_s)) << pagesDump.toStdString();
    if (c.labels && c.fields.contains(Doklad)) {
        EXPECT_TRUE(pagesDump.contains(u"Číslo dokladu"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, NewReportDesignTest,
    testing::Values(
        DesignCase{"ColumnsWithFieldLabels",
                   NewReportChoice::Columns,
                   true,
                   false,
                   false,
                   8,
                   {DataFixture::Doklad, DataFixture::Castka},
                   1,
                   2,
                   0,
                   0},
        DesignCase{"ColumnsWithoutLabels",
                   NewReportChoice::Columns,
                   false,
                   false,
                   false,
                   8,
                   {DataFixture::Doklad, DataFixture::Castka},
                   1,
                   0,
                   0,
                   0},
        DesignCase{"ColumnsLabelsAsText",
                   NewReportChoice::Columns,
                   true,
                   true,
                   false,
                   8,
                   {DataFixture::Doklad, DataFixture::Castka},
                   1,
                   2,
                   0,
                   ElementKind::GraphicText},
        DesignCase{"ColumnsByName",
                   NewReportChoice::Columns,
                   true,
                   false,
                   true,
                   8,
                   {DataFixture::Castka, DataFixture::Doklad, DataFixture::Skupina},
                   1,
                   3,
                   0,
                   0},
        // A6 is 413 units wide: 313 printable, so the fields wrap onto further rows.
        DesignCase{
            "ColumnsWrapOnNarrowPaper",
            NewReportChoice::Columns,
            true,
            false,
            false,
            10,
            {DataFixture::Doklad, DataFixture::Castka, DataFixture::Pocet, DataFixture::Skupina, DataFixture::Datum},
            2,
            5,
            0,
            0},
        DesignCase{"RowsWithLabels",
                   NewReportChoice::Rows,
                   true,
                   false,
                   false,
                   8,
                   {DataFixture::Doklad, DataFixture::Castka, DataFixture::Pocet},
                   3,
                   0,
                   3,
                   0},
        DesignCase{"RowsLabelsAsTextByName",
                   NewReportChoice::Rows,
                   true,
                   true,
                   true,
                   8,
                   {DataFixture::Doklad, DataFixture::Castka},
                   2,
                   0,
                   2,
                   ElementKind::GraphicText},
        DesignCase{
            "RowsWithoutLabels", NewReportChoice::Rows, false, false, false, 8, {DataFixture::Doklad}, 1, 0, 0, 0}),
    [](const testing::TestParamInfo<DesignCase> &paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(NewReportDesignTest, ManualGivesAnEmptyTemplate)
{
    NewReportDesign::generate(
        m_report,
        choice(DesignCase{"", NewReportChoice::Columns, true, false, false, 8, {DataFixture::Doklad}, 0, 0, 0, 0}),
        DesignerSettings{});
    m_report.functions().add().resetPoint = TRadekFunkce::resetPerGroup(0);
    NewReportDesign::generateEmpty(m_report.model());
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        EXPECT_EQ(m_report.sections().find(id)->count(), 0) << id;
        EXPECT_EQ(m_report.sections().find(id)->height, 0) << id;
    }
    EXPECT_EQ(m_report.functions().count(), 0);
}

TEST_F(NewReportDesignTest, UsesTheDesignerDefaultsForFontAndHeight)
{
    DesignerSettings defaults;
    defaults.newFontName = u"Courier New"_s;
    defaults.newFontSize = 20;
    defaults.newHeight = 50;
    defaults.newNumberAlignment = TRastelReportElement::AlignRight;
    defaults.newTextAlignment = TRastelReportElement::AlignLeft;
    NewReportDesign::generate(m_report,
                              choice(DesignCase{"",
                                                NewReportChoice::Columns,
                                                false,
                                                false,
                                                false,
                                                8,
                                                {DataFixture::Doklad, DataFixture::Castka},
                                                0,
                                                0,
                                                0,
                                                0}),
                              defaults);
    const auto fields = elementsOf(m_report, TOddilSestavy::Body, ElementKind::Field);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(0)->font.name, u"Courier New"_s);
    EXPECT_EQ(fields.at(0)->height, 50);
    EXPECT_EQ(fields.at(0)->width, NewReportDesign::fieldWidth(m_report.fieldSize(Doklad), 20));
    // A bigger font gives a wider field of the same display width.
    EXPECT_GT(NewReportDesign::fieldWidth(10, 20), NewReportDesign::fieldWidth(10, 10));
    EXPECT_EQ(fields.at(0)->alignment(), int(TRastelReportElement::AlignLeft));
    EXPECT_EQ(fields.at(1)->alignment(), int(TRastelReportElement::AlignRight)); // Castka is a number
}

// ---------------------------------------------------------------- the wizard

namespace {
// Selects the item of that text in a list.
void pick(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    found.first()->setSelected(true);
}
} // namespace

TEST_F(NewReportDesignTest, WizardMovesTwoFieldsAndNavrhnoutDesignsTheTemplate)
{
    scriptedUi().onWindow(u"TDlgNovaSestava"_s, [](QDialog &w) {
        EXPECT_EQ(w.windowTitle(), u"Návrh nové předlohy"_s);
        auto *available = child<QListWidget>(w, u"lstDostupne"_s);
        auto *chosen = child<QListWidget>(w, u"lstVybrane"_s);
        EXPECT_EQ(available->count(), 7);
        EXPECT_FALSE(child<QPushButton>(w, u"btnNavrhnout"_s)->isEnabled()); // nothing chosen yet
        pick(available, u"Částka"_s);
        click(w, u"btnPridat"_s);
        pick(available, u"Číslo dokladu"_s);
        click(w, u"btnPridat"_s);
        EXPECT_EQ(available->count(), 5);
        ASSERT_EQ(chosen->count(), 2);
        EXPECT_EQ(chosen->item(0)->text(), u"Částka"_s); // in the order chosen
        child<QCheckBox>(w, u"chkPodleNazvu"_s)->setChecked(true);
        child<QCheckBox>(w, u"chkPopisyTextem"_s)->setChecked(true);
        auto *paper = child<QComboBox>(w, u"cbFormat"_s);
        EXPECT_EQ(paper->currentText(), u"A4 (210 x 297 mm)"_s);
        paper->setCurrentIndex(paper->findText(u"A5 (148.5 x 210 mm)"_s));
        click(w, u"btnNavrhnout"_s);
    });
    ASSERT_EQ(TDlgNovaSestava::run(m_report, DesignerSettings{}), TDlgNovaSestava::Designed);

    EXPECT_EQ(pageSetup().paperWidth, 584);
    const auto fields = elementsOf(m_report, TOddilSestavy::Body, ElementKind::Field);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(0)->reference, Castka);
    EXPECT_EQ(fields.at(0)->referenceName, u"Castka"_s);
    EXPECT_EQ(fields.at(1)->reference, Doklad);
    const auto labels = elementsOf(m_report, TOddilSestavy::PageHeader, ElementKind::GraphicText);
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels.at(1)->text, u"Číslo dokladu"_s);
}

TEST_F(NewReportDesignTest, WizardRowsStyleAndPuttingAFieldBack)
{
    scriptedUi().onWindow(u"TDlgNovaSestava"_s, [](QDialog &w) {
        auto *available = child<QListWidget>(w, u"lstDostupne"_s);
        click(w, u"btnPridatVse"_s);
        EXPECT_EQ(available->count(), 0);
        pick(child<QListWidget>(w, u"lstVybrane"_s), u"Částka"_s);
        click(w, u"btnOdebrat"_s);
        ASSERT_EQ(available->count(), 1);
        child<QRadioButton>(w, u"rbRadky"_s)->setChecked(true);
        child<QCheckBox>(w, u"chkPopisy"_s)->setChecked(false);
        click(w, u"btnNavrhnout"_s);
    });
    ASSERT_EQ(TDlgNovaSestava::run(m_report, DesignerSettings{}), TDlgNovaSestava::Designed);
    const auto fields = elementsOf(m_report, TOddilSestavy::Body, ElementKind::Field);
    ASSERT_EQ(fields.size(), 6);
    EXPECT_EQ(fields.at(0)->reference, Doklad);
    EXPECT_EQ(fields.at(1)->reference, Pocet);
    EXPECT_GT(fields.at(1)->top, fields.at(0)->top); // one field a row
    EXPECT_TRUE(elementsOf(m_report, TOddilSestavy::Body, ElementKind::FieldLabel).isEmpty());
}

TEST_F(NewReportDesignTest, WizardRucneEmptiesAndStornoKeepsTheTemplate)
{
    add(TOddilSestavy::Body, ElementKind::Field, Doklad, QRect(0, 0, 100, 20));
    scriptedUi().onWindow(u"TDlgNovaSestava"_s, [](QDialog &w) { click(w, u"btnStorno"_s); });
    EXPECT_EQ(TDlgNovaSestava::run(m_report, DesignerSettings{}), TDlgNovaSestava::Cancelled);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->count(), 1);

    scriptedUi().onWindow(u"TDlgNovaSestava"_s, [](QDialog &w) { click(w, u"btnRucne"_s); });
    EXPECT_EQ(TDlgNovaSestava::run(m_report, DesignerSettings{}), TDlgNovaSestava::Manual);
    EXPECT_EQ(m_report.sections().find(TOddilSestavy::Body)->count(), 0);
}
