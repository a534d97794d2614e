// The report model as a value: a copy stands on its own, and the template
// reader and writer work on models without a report.

#include "ReportFixture.h"

#include "common/TextFile.h"
#include "report/core/model/ReportModel.h"
#include "report/core/template/TemplateFields.h"
#include "report/core/template/TemplateReader.h"
#include "report/core/template/TemplateWriter.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kFields{u"Doklad"_s, u"Cislo"_s, u"DatVyst"_s, u"Celkem"_s, u"Popis"_s};

class ReportModelValue : public ReportFixture
{
protected:
    static TemplateReader::Context context()
    {
        TemplateReader::Context c;
        c.fieldNames = kFields;
        return c;
    }
    static TPredloha corpus() { return TextFile::readLines(TestSupport::dataPath(u"full.pts"_s)).value(); }
};

TEST_F(ReportModelValue, NewModelHasTheFiveFixedSectionsAndNothingElse)
{
    const ReportModel model;
    ASSERT_EQ(model.sections().count(), TOddilSestavy::FixedCount);
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        EXPECT_EQ(model.sections().at(id).id, id);
        EXPECT_EQ(model.sections().at(id).count(), 0);
    }
    EXPECT_EQ(model.groups().count(), 0);
    EXPECT_EQ(model.functions().count(), 0);
    EXPECT_EQ(model.settings(), ReportOptions());
    EXPECT_EQ(model.description(), u"Tisková úloha RASTEL"_s);
}

TEST_F(ReportModelValue, CopyIsDeepAndItsGroupsPointAtItsOwnSections)
{
    ReportModel model = TemplateReader::read(corpus(), context());
    ASSERT_GT(model.groups().count(), 0);
    const ReportModel copy = model;
    const TPredloha written = TemplateWriter::write(model, PageSetup());
    EXPECT_EQ(TemplateWriter::write(copy, PageSetup()), written);

    for (int g = 0; g < copy.groups().count(); ++g) {
        const TPolSkup &group = copy.groups().at(g);
        EXPECT_EQ(copy.sections().indexOf(group.header), model.sections().indexOf(model.groups().at(g).header));
        EXPECT_EQ(copy.sections().indexOf(group.footer), model.sections().indexOf(model.groups().at(g).footer));
        EXPECT_NE(group.header, model.groups().at(g).header);
    }
    // Changing the original leaves the copy alone.
    TOddilSestavy &body = *model.sections().find(TOddilSestavy::Body);
    ASSERT_GT(body.count(), 0);
    body.at(0).left += 100;
    body.addElement().kind = ElementKind::Line;
    model.groups().at(0).header->height += 10;
    model.functions().at(0).name = u"Jina"_s;
    model.clear();
    EXPECT_EQ(TemplateWriter::write(copy, PageSetup()), written);

    // Assigning replaces the whole model.
    ReportModel other;
    other = copy;
    EXPECT_EQ(TemplateWriter::write(other, PageSetup()), written);
}

TEST_F(ReportModelValue, ReadingTakesThePageSetupOverTheContextsAndKeepsTheDescription)
{
    TemplateReader::Context c = context();
    c.page.paperWidth = 850;
    c.description = u"Předchozí"_s;
    // No I,0 and no I,2 record: the context's description and page stand.
    ReportModel model = TemplateReader::read({u"I,5,3"_s}, c);
    EXPECT_EQ(model.description(), u"Předchozí"_s);
    EXPECT_EQ(model.page(), c.page);
    EXPECT_EQ(model.settings().storedValue, 3);

    // A template of major version 0 gives no paper size: the context's stays.
    model = TemplateReader::read({u"I,1,0,9,2"_s, u"I,2,1,10,11,12,13,2,5,0"_s}, c);
    EXPECT_EQ(model.page().paperWidth, 850);
    EXPECT_EQ(model.page().orientation, PageSetup::Landscape);
    EXPECT_EQ(model.page().leftMargin, 10);
    EXPECT_EQ(model.page().bottomMargin, 13);
    EXPECT_EQ(model.settings().printColumns, 2);

    // A detail's template carries no page setup.
    c.detail = true;
    model = TemplateReader::read({u"I,2,1,600,700,10,11,12,13,2,5,0"_s}, c);
    EXPECT_EQ(model.page(), c.page);
    EXPECT_EQ(model.settings().printColumns, 2);
    EXPECT_EQ(model.settings().columnGap, 5);
}

TEST_F(ReportModelValue, DetailLinesAreTheDetailsRecordsWithoutTheirTag)
{
    const TPredloha lines{u"I,0,\"Hlavní\""_s, u"D0,I,0,\"První\""_s, u"D1,T,1,0"_s, u"D0,T,2,Doklad"_s, u"D"_s,
                          u"D10,T,1"_s};
    EXPECT_EQ(TemplateReader::detailLines(lines, 0), (TPredloha{u"I,0,\"První\""_s, u"T,2,Doklad"_s}));
    EXPECT_EQ(TemplateReader::detailLines(lines, 1), (TPredloha{u"T,1,0"_s}));
    EXPECT_EQ(TemplateReader::detailLines(lines, 2), TPredloha());
}

TEST_F(ReportModelValue, ElementRecordFollowsFieldsAndFunctionsOfTheModel)
{
    ReportModel model;
    model.functions().add().name = u"Soucet"_s;
    model.functions().add().name = u"Pocet"_s;
    TemplateFields byFunction(u"6,pocet,1,2,3,4,Arial,10,0,0,0,0,238,,0,0,0"_s);
    TRastelReportElement function = TemplateReader::readElement(byFunction, model, context());
    EXPECT_EQ(function.kind, ElementKind::UserFunction);
    EXPECT_EQ(function.reference, 1);
    EXPECT_EQ(function.referenceName, u"pocet"_s);
    EXPECT_EQ(function.left, 1);
    EXPECT_EQ(function.height, 4);

    TemplateFields byField(u"2,celkem,0,0,50,10,Arial,10,0,0,0,0,238,,0,0,0"_s);
    const TRastelReportElement field = TemplateReader::readElement(byField, model, context());
    EXPECT_EQ(field.reference, 3);
    EXPECT_EQ(TemplateWriter::elementRecord(field, u"T"_s).section(u',', 0, 2), u"T,2,celkem"_s);

    // A field number outside the fields falls back to the first field.
    TemplateFields outside(u"2,9,0,0,50,10,Arial,10,0,0,0,0,238,,0,0,0"_s);
    EXPECT_EQ(TemplateReader::readElement(outside, model, context()).reference, 0);
}

} // namespace
