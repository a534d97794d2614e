// Reading templates into the report model: a hand-written corpus file that
// uses every record type, and a table of the cases that can go wrong.

#include "ReportFixture.h"

#include "ModelDump.h"
#include "common/TextFile.h"
#include "report/core/PageSetup.h"
#include "report/core/ReportFonts.h"
#include "report/core/sestavy.h"
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

    // I,0 and I,1
    EXPECT_EQ(report.popis(), u"Seznam dokladů, test \"A\""_s);
    EXPECT_EQ(report.settings().version, (std::array<int, 3>{6, 40, 27}));
    // I,2: landscape with "Povolit změnu orientace"; the reserved field is read and dropped.
    const TPageSetup &page = pageSetup();
    EXPECT_EQ(page.orientation, TPageSetup::Landscape);
    EXPECT_TRUE(page.allowOrientationChange);
    EXPECT_EQ(page.paperWidth, 1169);
    EXPECT_EQ(page.paperHeight, 826);
    EXPECT_EQ((std::array{page.leftMargin, page.rightMargin, page.topMargin, page.bottomMargin}),
              (std::array{40, 45, 60, 65}));
    EXPECT_EQ(report.settings().printColumns, 2);
    EXPECT_EQ(report.settings().columnGap, 20);
    // I,3 (section 7 ignored), with the switches of each section
    EXPECT_EQ(section(report, 0).height, 120);
    EXPECT_TRUE(section(report, 0).visible);
    EXPECT_EQ(section(report, 0).columns, 2);
    EXPECT_EQ(section(report, 0).columnGap, 20);
    EXPECT_FALSE(section(report, 3).visible);
    EXPECT_EQ(section(report, 3).height, 80);
    const TSestNastaveni &s = report.settings();
    EXPECT_TRUE(s.breakAfterReportHeader);
    EXPECT_TRUE(s.noPageHeaderOnFirstPage);
    EXPECT_TRUE(s.newBodyOnNewPage);
    EXPECT_TRUE(s.breakBeforeReportFooter);
    EXPECT_TRUE(s.reportFooterAtPageFooter);
    EXPECT_TRUE(s.noPageFooterOnLastPage);
    EXPECT_EQ(report.sections().count(), 9);
    // I,4: groups by number and by name
    ASSERT_EQ(report.groups().count(), 2);
    EXPECT_EQ(report.groups().name(0), u"Skupina 1"_s);
    EXPECT_EQ(report.groups().at(0).fieldIndex, 12);
    EXPECT_EQ(report.groups().at(0).fieldName, QString());
    EXPECT_TRUE(report.groups().at(0).newPage);
    EXPECT_EQ(report.groups().at(0).header->id, 5);
    EXPECT_EQ(report.groups().at(0).header->height, 30);
    EXPECT_TRUE(report.groups().at(0).header->visible);
    EXPECT_FALSE(report.groups().at(0).footer->visible);
    EXPECT_EQ(report.groups().at(0).footer->stored, 50);
    EXPECT_EQ(report.groups().at(1).fieldIndex, 1);
    EXPECT_EQ(report.groups().at(1).fieldName, u"Cislo"_s);
    EXPECT_EQ(report.groups().at(1).footer->id, 8);
    EXPECT_EQ(report.groups().at(1).rowInGroup, 1);
    EXPECT_EQ(report.groups().at(1).groupCount, 1);
    // I,5, I,6, I,7
    EXPECT_EQ(s.storedValue, 77);
    EXPECT_EQ((std::array{s.gridType, s.gridX, s.gridY, s.lineSpacing, s.pitch}), (std::array{0, 10, 12, 1, 2}));
    EXPECT_TRUE(s.showGrid);
    EXPECT_FALSE(s.snapToGrid);
    EXPECT_TRUE(s.ownBackground && s.printBackground && s.partialPlacement);
    EXPECT_EQ((std::array{s.backgroundLeft, s.backgroundTop, s.backgroundWidth, s.backgroundHeight}),
              (std::array{5, 6, 700, 500}));
    EXPECT_EQ(s.backgroundFile, u"pozadi.bmp"_s);

    // F records
    ASSERT_EQ(report.functions().count(), 2);
    const TRadekFunkce &sum = report.functions().at(0);
    EXPECT_EQ(sum.name, u"Soucet"_s);
    EXPECT_EQ(sum.description, u"Součet celkem"_s);
    EXPECT_EQ(sum.initialValue, u"0"_s);
    EXPECT_EQ(sum.resetPoint, 2);
    EXPECT_EQ(sum.expression, u"#Celkem"_s);
    EXPECT_EQ(sum.aggregateKind, TRadekFunkce::Sum);
    EXPECT_EQ(sum.precision, 15);
    EXPECT_EQ(sum.digits, 2);
    EXPECT_EQ(sum.format, TRadekFunkce::NumberFormat);
    EXPECT_EQ(report.functions().at(1).format, TRadekFunkce::Fixed); // 9 becomes Fixed

    // Report header: a graphic text with a CE font and a system variable
    ASSERT_EQ(section(report, 0).count(), 2);
    const TRastelReportElement &title = element(report, 0, 0);
    EXPECT_EQ(title.text, u"Přehled, \"nový\" tisk"_s);
    EXPECT_EQ(title.font.name, u"Arial"_s);
    EXPECT_EQ(title.font.charset, 238);
    EXPECT_EQ(title.font.size, 14);
    EXPECT_EQ(title.font.colour, QColor(Qt::red));
    EXPECT_EQ(title.font.style, TFontDef::Bold);
    EXPECT_EQ(title.alignment(), TRastelReportElement::AlignCenter);
    EXPECT_EQ(element(report, 0, 1).kind, ElementKind::SystemVariable);
    EXPECT_EQ(element(report, 0, 1).reference, 0);

    // Page header: a field label by name, a line
    const TRastelReportElement &label = element(report, 1, 0);
    EXPECT_EQ(label.kind, ElementKind::FieldLabel);
    EXPECT_EQ(label.reference, 0);
    EXPECT_EQ(label.referenceName, u"Doklad"_s);
    EXPECT_EQ(label.font.size, 9); // -13 pixels at 100 per inch
    EXPECT_EQ(label.font.colour, QColor(0, 0, 0x80));
    EXPECT_EQ(label.font.name, u"Times New Roman"_s);
    const TRastelReportElement &line = element(report, 1, 1);
    EXPECT_EQ(line.kind, ElementKind::Line);
    EXPECT_EQ(line.penWidth, 2);
    EXPECT_EQ(line.penStyle, 0); // a thick line is solid
    EXPECT_EQ(line.optionFlags, 8);

    // Body
    ASSERT_EQ(section(report, 2).count(), 11);
    const TRastelReportElement &field = element(report, 2, 0);
    EXPECT_EQ(field.font.name, u"Courier New"_s);
    EXPECT_EQ(field.font.charset, 238);
    EXPECT_EQ((std::array{field.spacing, field.angle, field.extra}), (std::array{3, 0, 5}));
    const TRastelReportElement &byNumber = element(report, 2, 1);
    EXPECT_EQ(byNumber.reference, 3);
    EXPECT_EQ(byNumber.referenceName, QString());
    EXPECT_EQ(byNumber.alignmentValue, 1);
    EXPECT_EQ(byNumber.textFlags, 0x50);
    const TRastelReportElement &function = element(report, 2, 2);
    EXPECT_EQ(function.reference, 0); // "soucet" finds "Soucet"
    EXPECT_EQ(function.referenceName, u"soucet"_s);
    EXPECT_EQ(element(report, 2, 3).kind, ElementKind::Parameter);
    EXPECT_EQ(element(report, 2, 3).reference, 1);
    const TRastelReportElement &rect = element(report, 2, 4);
    EXPECT_EQ(rect.reference, ElementKind::Rectangle); // the reference of 8-10 is the kind
    EXPECT_EQ(rect.penWidth, 1);                       // -3 becomes 1
    EXPECT_EQ(rect.penColour, QColor(0, 0, 0xFF));
    EXPECT_EQ(rect.penStyle, 1);
    EXPECT_EQ(rect.fillColour, QColor(0, 0xFF, 0xFF));
    EXPECT_EQ(rect.fillStyle, 2);
    EXPECT_EQ(element(report, 2, 5).reference, ElementKind::RoundRectangle);
    EXPECT_EQ(element(report, 2, 6).penWidth, 0);
    const TRastelReportElement &picture = element(report, 2, 7);
    EXPECT_EQ(picture.text, u"C:\\obrazky\\logo.bmp"_s);
    EXPECT_TRUE(picture.picture.isNull()); // no such file
    const TRastelReportElement &barcode = element(report, 2, 8);
    EXPECT_EQ(barcode.text, u"#Cislo, \"x\""_s);
    EXPECT_EQ(barcode.penWidth, 8);
    EXPECT_EQ(barcode.penStyle, 14);
    EXPECT_EQ((std::array{barcode.spacing, barcode.angle, barcode.extra}), (std::array{2, 90, 3}));
    EXPECT_EQ(element(report, 2, 9).fillStyle, 6); // scale 9 clamped
    EXPECT_EQ(element(report, 2, 9).reference, 4);
    EXPECT_EQ(element(report, 2, 10).kind, ElementKind::Detail);
    EXPECT_EQ(element(report, 2, 10).height, 100);

    // Groups' sections, footer, page footer
    EXPECT_EQ(section(report, 5).count(), 1);
    EXPECT_EQ(element(report, 6, 0).text, u"%d. řádek"_s);
    EXPECT_EQ(element(report, 6, 0).reference, 5);
    EXPECT_EQ(section(report, 7).count(), 1);
    EXPECT_EQ(element(report, 8, 0).text, u"Konec"_s);
    EXPECT_EQ(element(report, 3, 0).text, u"Konec sestavy"_s);
    EXPECT_EQ(element(report, 4, 0).reference, 3);

    // The detail got its own lines: the page setup stays the main report's.
    EXPECT_EQ(detail.popis(), u"Položky dokladu"_s);
    EXPECT_EQ(detail.settings().printColumns, 3);
    EXPECT_EQ(detail.settings().columnGap, 7);
    EXPECT_EQ(pageSetup().paperWidth, 1169);
    ASSERT_EQ(detail.sections().find(2)->count(), 1);
    EXPECT_EQ(detail.sections().find(2)->at(0).reference, 4);
    EXPECT_EQ(detail.sections().find(2)->at(0).owner(), &detail);
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
         EXPECT_EQ(pageSetup().orientation, TPageSetup::Portrait); // negative code counts as 0
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
