// Reading templates into the report model: a hand-written corpus file that
// uses every record type, and a table of the cases that can go wrong.

#include "ReportFixture.h"

#include "ModelDump.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/ReportFonts.h"
#include "support/TestSupport.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kFields{u"Doklad"_s, u"Cislo"_s, u"DatVyst"_s, u"Celkem"_s, u"Popis"_s};

TOddilSestavy &section(TSestavaTyp &report, int id)
{
    TOddilSestavy *s = report.sections().find(id);
    EXPECT_NE(s, nullptr) << "no section " << id;
    return *s;
}

TRastelReportElement &element(TSestavaTyp &report, int sectionId, int index)
{
    return section(report, sectionId).at(index);
}

// ---------------------------------------------------------------- the corpus file

class TemplateCorpus : public ReportFixture
{
};

TEST_F(TemplateCorpus, EveryRecordTypeReadsIntoTheModel)
{
    TSestava report;
    TSestDetail detail;
    detail.setMasterSestava(&report);
    report.setFieldNames(kFields);
    detail.setFieldNames(kFields);
    const std::optional<QStringList> lines = TextFile::readLines(TestSupport::dataPath(u"full.pts"_s));
    ASSERT_TRUE(lines);
    report.setPredloha(*lines);

    // The whole model (page setup, settings, groups, functions, sections with
    // every element, the detail's own model) against its reviewed dump.
    expectGoldenDump(dumpModel(report), u"full.model"_s);

    // What the dump does not show.
    EXPECT_EQ(report.groups().at(1).rowInGroup, 1);
    EXPECT_EQ(report.groups().at(1).groupCount, 1);
    EXPECT_EQ(element(report, 2, 1).alignmentValue, 1);
    EXPECT_TRUE(element(report, 2, 7).picture.isNull()); // no such file
    EXPECT_EQ(detail.popis(), u"Položky dokladu"_s);
    ASSERT_EQ(detail.sections().find(2)->count(), 1);
}

TEST_F(TemplateCorpus, OldVersionTemplateShiftsSystemVariablesAndKeepsThePaper)
{
    TSestava report;
    pageSetup().paperWidth = 850;
    pageSetup().paperHeight = 1200;
    const std::optional<QStringList> lines = TextFile::readLines(TestSupport::dataPath(u"old_version.pts"_s));
    ASSERT_TRUE(lines);
    report.setPredloha(*lines);
    EXPECT_EQ(report.settings().version, (std::array<int, 3>{0, 9, 2}));
    // Major version 0: no paper size in I,2; the next fields are the margins.
    EXPECT_EQ(pageSetup().paperWidth, 850);
    EXPECT_EQ(pageSetup().paperHeight, 1200);
    EXPECT_EQ(pageSetup().leftMargin, 10);
    EXPECT_EQ(pageSetup().rightMargin, 11);
    EXPECT_EQ(pageSetup().topMargin, 12);
    EXPECT_EQ(pageSetup().bottomMargin, 13);
    EXPECT_EQ(report.settings().printColumns, 1);
    const TOddilSestavy &body = *report.sections().find(2);
    ASSERT_EQ(body.count(), 4);
    EXPECT_EQ(body.at(0).reference, 3); // the page number stays
    EXPECT_EQ(body.at(1).reference, 5); // 4 (row in group 0 then) becomes 5
    EXPECT_EQ(body.at(2).reference, 7);
    EXPECT_EQ(body.at(3).reference, 7); // not a system variable: unchanged
}

// ---------------------------------------------------------------- the table of edge cases

struct ReaderCase
{
    const char *name;
    QStringList lines;
    std::function<void(TSestava &)> check;
    QStringList fieldNames = kFields;
};

class TemplateReader : public ReportFixture, public testing::WithParamInterface<ReaderCase>
{
};

TEST_P(TemplateReader, ReadsAsTheFormatSays)
{
    TSestava report;
    report.setFieldNames(GetParam().fieldNames);
    report.setPredloha(GetParam().lines);
    GetParam().check(report);
}

const ReaderCase kReaderCases[] = {
    {"EmptyTemplateGivesTheFiveFixedSections",
     {},
     [](TSestava &r) {
         ASSERT_EQ(r.sections().count(), 5);
         for (int i = 0; i < 5; ++i) {
             EXPECT_EQ(r.sections().at(i).id, i);
             EXPECT_EQ(r.sections().at(i).count(), 0);
             EXPECT_TRUE(r.sections().at(i).visible);
         }
         EXPECT_EQ(r.groups().count(), 0);
         EXPECT_EQ(r.functions().count(), 0);
         EXPECT_EQ(r.popis(), u"Tisková úloha RASTEL"_s);
     }},
    {"BlankOneCharacterAndUnknownLinesIgnored",
     {QString(), u"T"_s, u"X,1,0,0,0,10,10"_s, u"Q"_s, u"TT,1,0,0,0,1,1"_s, u"Ix,0,\"no\""_s, u"Fx,0,f"_s,
      u"T,1,0,1,2,3,4,Arial,10,0,0,0,0,238,\"a\",0,0,0"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().find(2)->count(), 1);
         EXPECT_EQ(r.functions().count(), 0);
         EXPECT_EQ(r.popis(), u"Tisková úloha RASTEL"_s);
     }},
    {"GroupFieldByNumberByNameEmptyAndUnknown",
     {u"I,4,0,12,1,10,1,10,0"_s, u"I,4,1,Cislo,1,10,1,10,0"_s, u"I,4,2,,1,10,1,10,0"_s, u"I,4,3,Neznama,1,10,1,10,0"_s,
      u"I,4,4,cislo,1,10,1,10,0"_s},
     [](TSestava &r) {
         ASSERT_EQ(r.groups().count(), 5);
         EXPECT_EQ(r.groups().at(0).fieldIndex, 12);
         EXPECT_EQ(r.groups().at(1).fieldIndex, 1);
         EXPECT_EQ(r.groups().at(1).fieldName, u"Cislo"_s);
         EXPECT_EQ(r.groups().at(2).fieldIndex, 0);
         EXPECT_EQ(r.groups().at(2).fieldName, QString());
         EXPECT_EQ(r.groups().at(3).fieldIndex, 0);
         EXPECT_EQ(r.groups().at(3).fieldName, u"Neznama"_s);
         EXPECT_EQ(r.groups().at(4).fieldIndex, 1); // names match without regard to case
         EXPECT_EQ(r.sections().count(), 15);
         EXPECT_EQ(r.groups().at(4).header->id, 13);
         EXPECT_EQ(r.groups().at(4).footer->id, 14);
     }},
    {"GroupNumbersFollowTheRecordOrder",
     {u"I,4,7,1,1,10,1,11,0"_s, u"I,4,7,2,1,12,1,13,0"_s, u"S0,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"a\",0,0,0"_s,
      u"S1,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"b\",0,0,0"_s, u"S7,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"c\",0,0,0"_s},
     [](TSestava &r) {
         ASSERT_EQ(r.groups().count(), 2);
         EXPECT_EQ(r.groups().at(1).number, 1);
         EXPECT_EQ(r.groups().at(1).header->id, 7);
         EXPECT_EQ(r.groups().at(1).header->height, 12);
         EXPECT_EQ(r.groups().at(0).header->at(0).text, u"a"_s);
         EXPECT_EQ(r.groups().at(1).header->at(0).text, u"b"_s);
     }},
    {"ElementOfAMissingGroupIgnored",
     {u"S0,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"a\",0,0,0"_s, u"U3,1,0,0,0,1,1"_s},
     [](TSestava &r) {
         for (int i = 0; i < r.sections().count(); ++i)
             EXPECT_EQ(r.sections().at(i).count(), 0);
     }},
    {"SectionRecordOutsideTheFixedFiveIgnored",
     {u"I,3,7,0,99,1"_s, u"I,3,-1,0,98,1"_s, u"I,3,2,0,55,0"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().count(), 5);
         EXPECT_EQ(r.sections().find(2)->height, 55);
         EXPECT_FALSE(r.sections().find(2)->visible);
         for (int id : {0, 1, 3, 4})
             EXPECT_EQ(r.sections().find(id)->height, 0);
     }},
    {"SectionCopiesTheColumnsReadBeforeIt",
     {u"I,3,0,1,10,0"_s, u"I,2,0,826,1169,1,1,1,1,3,15"_s, u"I,3,1,1,10,0"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().find(0)->columns, 1);
         EXPECT_EQ(r.sections().find(1)->columns, 3);
         EXPECT_EQ(r.sections().find(1)->columnGap, 15);
     }},
    {"PageSetupMissingAndInvalidNumbers",
     {u"I,2,-4,900,abc,5"_s},
     [](TSestava &r) {
         EXPECT_EQ(pageSetup().orientation, PageSetup::Portrait); // negative code counts as 0
         EXPECT_FALSE(pageSetup().allowOrientationChange);
         EXPECT_EQ(pageSetup().paperWidth, 900);
         EXPECT_EQ(pageSetup().paperHeight, 0);
         EXPECT_EQ(pageSetup().leftMargin, 5);
         EXPECT_EQ(pageSetup().rightMargin, 0);
         EXPECT_EQ(r.settings().printColumns, 1); // default 1
     }},
    {"ZeroColumnsReadAsOne",
     {u"I,2,0,826,1169,1,1,1,1,0,5"_s},
     [](TSestava &r) { EXPECT_EQ(r.settings().printColumns, 1); }},
    {"CharacterGridTakesTheCellOfPitchAndSpacing",
     {u"I,6,1,3,4,2,0,1,1"_s},
     [](TSestava &r) {
         EXPECT_TRUE(r.settings().isCharacterMode());
         EXPECT_EQ(r.settings().gridX, 10); // 10 characters per inch
         EXPECT_EQ(r.settings().gridY, 33); // 3 lines per inch
     }},
    {"CharacterGrid12And17",
     {u"I,6,1,3,4,1,2"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.settings().gridX, 6);
         EXPECT_EQ(r.settings().gridY, 25);
         EXPECT_EQ(r.settings().pitch, 2);
     }},
    {"CharacterGridDefaults",
     {u"I,6,1"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.settings().pitch, 1);
         EXPECT_EQ(r.settings().gridX, 8);  // 12 per inch
         EXPECT_EQ(r.settings().gridY, 17); // 6 lines per inch
     }},
    {"GraphicGridBelowOneBecomesEight",
     {u"I,6,0,0,-5"_s},
     [](TSestava &r) {
         EXPECT_FALSE(r.settings().isCharacterMode());
         EXPECT_EQ(r.settings().gridX, 8);
         EXPECT_EQ(r.settings().gridY, 8);
     }},
    {"FunctionDefaultsAndFormats",
     {u"F,5"_s, u"F,0,A,\"d\",1,\"x\",3,\"1+1\",7,10,4,4"_s, u"F,0,B,,,,,,,,,-1"_s, u"F,0,C,,,,,,,,,9"_s},
     [](TSestava &r) {
         ASSERT_EQ(r.functions().count(), 4);
         const TRadekFunkce &empty = r.functions().at(0);
         EXPECT_EQ(empty.name, u"Funkce1"_s);
         EXPECT_EQ(empty.precision, 0);
         EXPECT_EQ(empty.digits, 0);
         EXPECT_EQ(empty.format, TRadekFunkce::Fixed);
         EXPECT_EQ(empty.initialValue, QString());
         const TRadekFunkce &a = r.functions().at(1);
         EXPECT_EQ(a.resultType, TRadekFunkce::ResultText);
         EXPECT_EQ(a.resetPoint, 3);
         EXPECT_EQ(a.expression, u"1+1"_s);
         EXPECT_EQ(a.aggregateKind, TRadekFunkce::RelStdDev);
         EXPECT_EQ(a.format, TRadekFunkce::Currency);
         EXPECT_EQ(r.functions().at(2).format, TRadekFunkce::Fixed);
         EXPECT_EQ(r.functions().at(3).format, TRadekFunkce::Fixed);
     }},
    {"FunctionExpressionWithQuotesAndCommas",
     {u"F,0,T,\"a, b\",1,\"\",0,\"IIF(#1>0,'a,b',\"\"x\"\")\",0,15,2,2"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.functions().at(0).description, u"a, b"_s);
         EXPECT_EQ(r.functions().at(0).expression, u"IIF(#1>0,'a,b',\"x\")"_s);
         EXPECT_EQ(r.functions().at(0).precision, 15);
     }},
    {"TextWithCommasAndQuotesKeepsTheFieldsAfterIt",
     {u"T,1,0,1,2,3,4,Arial,10,0,0,0,0,238,\"a, \"\"b\"\", c\",4,45,6"_s},
     [](TSestava &r) {
         const TRastelReportElement &e = r.sections().find(2)->at(0);
         EXPECT_EQ(e.text, u"a, \"b\", c"_s);
         EXPECT_EQ(e.spacing, 4);
         EXPECT_EQ(e.angle, 45);
         EXPECT_EQ(e.extra, 6);
     }},
    {"TextKeptOnlyByTextAndVariableKinds",
     {u"T,2,1,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s, u"T,3,1,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s,
      u"T,4,1,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s, u"T,6,0,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s,
      u"T,5,1,0,0,1,1,Arial,10,0,0,0,0,238,\"%d\""_s},
     [](TSestava &r) {
         const TOddilSestavy &body = *r.sections().find(2);
         for (int i = 0; i < 4; ++i)
             EXPECT_EQ(body.at(i).text, QString()) << i;
         EXPECT_EQ(body.at(4).text, u"%d"_s);
     }},
    {"FieldIndexOutsideTheFieldsBecomesZero",
     {u"T,2,5,0,0,1,1,Arial,10"_s, u"T,3,4,0,0,1,1,Arial,10"_s, u"T,2,Nic,0,0,1,1,Arial,10"_s,
      u"T,6,Nic,0,0,1,1,Arial,10"_s, u"T,4,-3,0,0,1,1,Arial,10"_s},
     [](TSestava &r) {
         const TOddilSestavy &body = *r.sections().find(2);
         EXPECT_EQ(body.at(0).reference, 0);
         EXPECT_EQ(body.at(1).reference, 4);
         EXPECT_EQ(body.at(2).reference, 0);
         EXPECT_EQ(body.at(2).referenceName, u"Nic"_s);
         EXPECT_EQ(body.at(3).reference, 0);
         EXPECT_EQ(body.at(4).reference, 0); // a name for a parameter: 0
     }},
    {"ReferenceNameCutTo32Characters",
     {u"T,2,ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij,0,0,1,1,Arial,10"_s},
     [](TSestava &r) { EXPECT_EQ(r.sections().find(2)->at(0).referenceName, u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef"_s); }},
    {"FontSuffixesGiveTheirCharacterSets",
     {u"T,1,0,0,0,1,1,Arial Greek,10,0,0,0,0,0"_s, u"T,1,0,0,0,1,1,Arial TUR,10,0,0,0,0,0"_s,
      u"T,1,0,0,0,1,1,Arial Baltic,10,0,0,0,0,0"_s, u"T,1,0,0,0,1,1,Times New Roman CYR,10,0,0,0,0,0"_s,
      u"T,1,0,0,0,1,1,Neznamy,10,0,0,0,0,7"_s},
     [](TSestava &r) {
         const TOddilSestavy &body = *r.sections().find(2);
         EXPECT_EQ(body.at(0).font.charset, 161);
         EXPECT_EQ(body.at(1).font.charset, 162);
         EXPECT_EQ(body.at(2).font.charset, 186);
         EXPECT_EQ(body.at(3).font.charset, 204);
         EXPECT_EQ(body.at(3).font.name, u"Times New Roman"_s);
         EXPECT_EQ(body.at(4).font.name, u"Neznamy"_s);
         EXPECT_EQ(body.at(4).font.charset, 7);
     }},
    {"SeveralSuffixesAllRemoved",
     {u"T,1,0,0,0,1,1,Arial CE CE,10,0,0,0,0,0"_s, u"T,1,0,0,0,1,1,Arial Greek CE,10,0,0,0,0,0"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().find(2)->at(0).font.name, u"Arial"_s);
         EXPECT_EQ(r.sections().find(2)->at(0).font.charset, 238);
         EXPECT_EQ(r.sections().find(2)->at(1).font.name, u"Arial"_s);
         EXPECT_EQ(r.sections().find(2)->at(1).font.charset, 161);
     }},
    {"AlignmentFieldCarriesTheTextFlags",
     {u"T,1,0,0,0,1,1,Arial,10,0,0,101,0,238"_s, u"T,1,0,0,0,1,1,Arial,10,0,0,6"_s},
     [](TSestava &r) {
         const TRastelReportElement &e = r.sections().find(2)->at(0);
         EXPECT_EQ(e.alignmentValue, 1);
         EXPECT_EQ(e.textFlags, 0x60);
         EXPECT_EQ(e.alignment(), TRastelReportElement::AlignJustify);
         EXPECT_EQ(r.sections().find(2)->at(1).alignmentValue, 2);
         EXPECT_EQ(r.sections().find(2)->at(1).textFlags, 0);
     }},
    {"StylesColoursAndOutOfRangeColours",
     {u"T,1,0,0,0,1,1,Arial,10,99,15,0,15,238"_s, u"T,8,0,0,0,1,1,,1,-1,0,0,16,1"_s},
     [](TSestava &r) {
         const TRastelReportElement &e = r.sections().find(2)->at(0);
         EXPECT_EQ(e.font.colour, QColor(Qt::black));
         EXPECT_EQ(e.font.style, 15);
         EXPECT_EQ(e.optionFlags, 15);
         EXPECT_EQ(r.sections().find(2)->at(1).penColour, QColor(Qt::black));
         EXPECT_EQ(r.sections().find(2)->at(1).fillColour, QColor(Qt::black));
     }},
    {"LineStyleOnlyAtWidthOne",
     {u"T,7,0,0,0,1,1,,1,0,2,63"_s, u"T,7,0,0,0,1,1,,0,0,2,1"_s, u"T,8,0,0,0,1,1,,3,0,2"_s},
     [](TSestava &r) {
         const TOddilSestavy &body = *r.sections().find(2);
         EXPECT_EQ(body.at(0).penStyle, 2);
         EXPECT_EQ(body.at(0).optionFlags, 63);
         EXPECT_EQ(body.at(1).penStyle, 0);
         EXPECT_EQ(body.at(2).penStyle, 2); // only lines are forced solid
         EXPECT_EQ(body.at(2).penWidth, 3);
     }},
    {"PaintBoxScaleClampedUp",
     {u"T,13,2,0,0,1,1,,1,0,0,0,15,0"_s},
     [](TSestava &r) { EXPECT_EQ(r.sections().find(2)->at(0).fillStyle, 1); }},
    {"DetailAndUnknownKindsKeepTheirBox",
     {u"T,15,2,1,2,3,4,Arial,10"_s, u"T,14,3,5,6,7,8,Arial,10"_s},
     [](TSestava &r) {
         const TOddilSestavy &body = *r.sections().find(2);
         EXPECT_EQ(body.at(0).reference, 2);
         EXPECT_EQ((std::array{body.at(0).left, body.at(0).top, body.at(0).width, body.at(0).height}),
                   (std::array{1, 2, 3, 4}));
         EXPECT_EQ(body.at(1).kind, 14);
         EXPECT_EQ(body.at(1).height, 8);
         EXPECT_EQ(ElementKind::designerName(14), u"Neznámý"_s);
     }},
    {"ElementsAppendedInFileOrderPerSection",
     {u"T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"1\""_s, u"Z,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"z\""_s,
      u"T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"2\""_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().find(2)->at(0).text, u"1"_s);
         EXPECT_EQ(r.sections().find(2)->at(1).text, u"2"_s);
         EXPECT_EQ(r.sections().find(0)->at(0).text, u"z"_s);
     }},
    {"SystemVariableNotShiftedInANewTemplate",
     {u"I,1,1,0,3"_s, u"T,5,4,0,0,1,1,Arial,10"_s},
     [](TSestava &r) { EXPECT_EQ(r.sections().find(2)->at(0).reference, 4); }},
    {"SystemVariableNotShiftedInMajorTwo",
     {u"I,1,2,0,1"_s, u"T,5,4,0,0,1,1,Arial,10"_s},
     [](TSestava &r) { EXPECT_EQ(r.sections().find(2)->at(0).reference, 4); }},
    {"SystemVariableShiftedInVersion102",
     {u"I,1,1,0,2"_s, u"T,5,4,0,0,1,1,Arial,10"_s, u"T,5,2,0,0,1,1,Arial,10"_s},
     [](TSestava &r) {
         EXPECT_EQ(r.sections().find(2)->at(0).reference, 5);
         EXPECT_EQ(r.sections().find(2)->at(1).reference, 2);
     }},
    {"BackgroundFileNameWithComma",
     {u"I,7,1,0,0,0,0,0,0,\"C:\\a,b.bmp\""_s},
     [](TSestava &r) { EXPECT_EQ(r.settings().backgroundFile, u"C:\\a,b.bmp"_s); }},
};

INSTANTIATE_TEST_SUITE_P(Cases, TemplateReader, testing::ValuesIn(kReaderCases), TestSupport::rowName);

// ---------------------------------------------------------------- fonts and re-reading

class TemplateReaderFonts : public ReportFixture
{
};

TEST_F(TemplateReaderFonts, InstalledSuffixedFontKeepsItsName)
{
    ReportFonts::setInstalledFamilies(QStringList{u"Arial CE"_s});
    TSestava report;
    report.setPredloha({u"T,1,0,0,0,1,1,Arial CE,10,0,0,0,0,0"_s, u"T,1,0,0,0,1,1,Arial CE CE,10,0,0,0,0,0"_s});
    EXPECT_EQ(report.sections().find(2)->at(0).font.name, u"Arial CE"_s);
    EXPECT_EQ(report.sections().find(2)->at(0).font.charset, 0);
    EXPECT_EQ(report.sections().find(2)->at(1).font.name, u"Arial CE"_s);
    EXPECT_EQ(report.sections().find(2)->at(1).font.charset, 238);
}

TEST_F(TemplateReaderFonts, PlatformFontListDecidesWithoutAFixedList)
{
    ReportFonts::setInstalledFamilies(std::nullopt);
    // No system has a family of this name; the suffix goes.
    QString name = u"Zzz Neexistující CE"_s;
    int charset = 0;
    ReportFonts::resolveSuffix(name, charset);
    EXPECT_EQ(name, u"Zzz Neexistující"_s);
    EXPECT_EQ(charset, 238);
}

TEST_F(TemplateReaderFonts, ReReadingStartsFromANewReport)
{
    TSestava report;
    report.setPredloha(
        {u"I,4,0,1,1,10,1,10,0"_s, u"I,6,1,8,8,2,0"_s, u"F,0,A"_s, u"T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s});
    const QString first = dumpModel(report);
    report.setPredloha({});
    EXPECT_EQ(report.groups().count(), 0);
    EXPECT_EQ(report.functions().count(), 0);
    EXPECT_EQ(report.sections().count(), 5);
    EXPECT_EQ(report.sections().find(2)->count(), 0);
    EXPECT_FALSE(report.settings().isCharacterMode());
    report.setPredloha(
        {u"I,4,0,1,1,10,1,10,0"_s, u"I,6,1,8,8,2,0"_s, u"F,0,A"_s, u"T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"x\""_s});
    EXPECT_EQ(dumpModel(report), first);
}

TEST_F(TemplateReaderFonts, OnSetPredlohaAfterParsing)
{
    TSestava report;
    int elements = -1;
    report.OnSetPredloha = [&elements](TSestavaTyp *sender) { elements = sender->sections().find(2)->count(); };
    report.setPredloha({u"T,1,0,0,0,1,1"_s, u"T,8,0,0,0,1,1"_s});
    EXPECT_EQ(elements, 2);
}

} // namespace
