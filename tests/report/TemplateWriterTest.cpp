// The template writer: its fixed order and spelling, and writer and reader
// held against each other.

#include "ReportFixture.h"

#include "ModelDump.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/TemplateReader.h"
#include "report/core/template/TemplateWriter.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kFields{u"Doklad"_s, u"Cislo"_s, u"DatVyst"_s, u"Celkem"_s, u"Popis"_s};

class TemplateWriter : public ReportFixture
{
protected:
    // A report with one detail, both knowing the fields.
    struct Pair
    {
        std::unique_ptr<TSestava> report = std::make_unique<TSestava>();
        std::unique_ptr<TSestDetail> detail = std::make_unique<TSestDetail>();
        Pair()
        {
            detail->setMasterSestava(report.get());
            report->setFieldNames(kFields);
            detail->setFieldNames(kFields);
        }
    };
};

TEST_F(TemplateWriter, WrittenAndReadBackGivesTheSameModel)
{
    // The hand-written corpus first goes through the writer once: it drops
    // the directories of picture files and writes every section record.
    QStringList written;
    {
        Pair handWritten;
        handWritten.report->setPredloha(TextFile::readLines(TestSupport::dataPath(u"full.pts"_s)).value());
        written = handWritten.report->writeTemplate();
    }
    pageSetup() = PageSetup();
    Pair first;
    first.report->setPredloha(written);
    const QString model = dumpModel(*first.report);
    EXPECT_TRUE(model.contains(u"text=[logo.bmp]"_s));

    const QStringList again = first.report->writeTemplate();
    pageSetup() = PageSetup(); // the page setup is the process's: the template carries it
    Pair second;
    second.report->setPredloha(again);
    EXPECT_EQ(dumpModel(*second.report), model);
    EXPECT_EQ(second.report->writeTemplate(), written);
}

TEST_F(TemplateWriter, WritesTheHeaderInItsFixedOrder)
{
    Pair pair;
    pair.report->setPredloha(TextFile::readLines(TestSupport::dataPath(u"full.pts"_s)).value());
    const QStringList lines = pair.report->writeTemplate();
    const QStringList expected{
        u"I,0,\"Seznam dokladů, test \"\"A\"\"\""_s,
        u"I,1,6,40,27"_s,
        u"I,2,3,1169,826,40,45,60,65,2,20"_s,
        u"I,3,0,1,120,1"_s,
        u"I,3,1,1,60,1"_s,
        u"I,3,2,1,20,1"_s,
        u"I,3,3,0,80,3"_s,
        u"I,3,4,1,40,1"_s,
        u"I,4,0,12,1,30,0,25,1"_s,
        u"I,4,1,Cislo,1,20,1,22,0"_s,
        u"I,5,77"_s,
        u"I,6,0,10,12,1,2,1,0"_s,
        u"I,7,1,1,1,5,6,700,500,pozadi.bmp"_s,
        u"F,0,Soucet,\"Součet celkem\",0,\"0\",2,\"#Celkem\",2,15,2,3"_s,
        u"F,1,Pocet,\"Počet\",0,\"0\",0,\"1\",1,10,0,2"_s,
        u"Z,1,0,0,0,600,40,Arial,14,9,1,2,0,238,\"Přehled, \"\"nový\"\" tisk\",0,0,0"_s,
        u"Z,5,0,400,0,200,20,Arial,10,0,0,1,0,238,\"\",0,0,0"_s,
        u"H,3,Doklad,0,0,100,20,Times New Roman,9,4,2,0,10,238,\"\",0,0,0"_s,
        u"H,7,0,0,20,600,2,,2,0,0,8,0,1"_s,
        u"T,2,Doklad,0,0,100,20,Courier New,10,0,0,0,0,238,\"\",3,0,5"_s,
        u"T,2,3,100,0,80,20,Arial,10,0,0,81,0,238,\"\",0,0,0"_s,
        u"T,6,soucet,200,0,80,20,Arial,10,0,0,1,0,238,\"\",0,0,0"_s,
        u"T,4,1,300,0,50,20,Arial,8,0,0,0,0,238,\"\",0,0,0"_s,
        u"T,8,8,0,0,600,20,,1,12,1,0,14,2"_s,
        u"T,9,9,0,0,30,30,,1,9,0,0,15,7"_s,
        u"T,10,10,0,0,30,30,,0,0,5,0,11,0"_s,
        u"T,11,0,400,0,100,50,,1,0,0,48,15,0,\"logo.bmp\""_s,
        u"T,12,0,500,0,100,40,,8,0,14,48,15,0,\"#Cislo, \"\"x\"\"\",2,90,3"_s,
        u"T,13,4,0,0,50,50,,1,0,0,0,15,6"_s,
        u"T,15,0,0,20,600,100"_s,
        u"K,1,0,0,0,100,20,Arial,10,0,0,0,0,238,\"Konec sestavy\",0,0,0"_s,
        u"P,5,3,0,0,100,20,Arial,10,0,0,2,0,238,\"Strana %d\",0,0,0"_s,
        u"S0,1,0,0,0,200,20,Arial,10,0,1,0,0,238,\"Skupina\",0,0,0"_s,
        u"U0,5,5,0,0,100,20,Arial,10,0,0,0,0,238,\"%d. řádek\",0,0,0"_s,
        u"S1,5,6,0,0,100,20,Arial,10,0,0,0,0,238,\"\",0,0,0"_s,
        u"U1,1,0,0,0,100,20,Arial,10,0,0,0,0,238,\"Konec\",0,0,0"_s,
        u"D0,I,0,\"Položky dokladu\""_s,
        u"D0,I,1,6,40,27"_s,
        u"D0,I,2,3,1169,826,40,45,60,65,3,7"_s,
    };
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
    EXPECT_TRUE(lines.contains(u"D0,T,2,Popis,0,0,300,20,Arial,10,0,0,0,0,238,\"\",0,0,0"_s));
}

TEST_F(TemplateWriter, OldTemplateIsWrittenAsTheCurrentVersionWithoutShiftingAgain)
{
    TSestava report;
    report.setPredloha(TextFile::readLines(TestSupport::dataPath(u"old_version.pts"_s)).value());
    const QStringList written = report.writeTemplate();
    EXPECT_TRUE(written.contains(u"I,1,6,40,27"_s));
    TSestava again;
    again.setPredloha(written);
    EXPECT_EQ(again.sections().find(2)->at(1).reference, 5);
    EXPECT_EQ(again.sections().find(2)->at(2).reference, 7);
}

TEST_F(TemplateWriter, TextsAndNamesThatNeedQuotesReadBack)
{
    TSestava report;
    report.setPopis(u"a \"b\", c"_s);
    TRadekFunkce &function = report.functions().add();
    function.name = u"Soucet"_s;
    function.description = u"popis \"x\", y"_s;
    function.initialValue = u"\"0\""_s;
    function.expression = u"IIF(#1>0,'a','b')"_s;
    report.settings().backgroundFile = u"/tmp/a,b.bmp"_s;
    TPolSkup &group = report.model().addGroup(3, u"Pole, s čárkou"_s);
    TRastelReportElement &e = group.header->addElement();
    e.kind = ElementKind::GraphicText;
    e.text = u"\"uvozovky\", čárky, \"\""_s;
    e.font.name = u"Font, s čárkou"_s;
    e.font.colour = QColor(1, 2, 3); // not one of the sixteen
    const QStringList written = report.writeTemplate();

    TSestava again;
    again.setPredloha(written);
    EXPECT_EQ(again.popis(), report.popis());
    EXPECT_EQ(again.functions().at(0).description, function.description);
    EXPECT_EQ(again.functions().at(0).initialValue, function.initialValue);
    EXPECT_EQ(again.functions().at(0).expression, function.expression);
    EXPECT_EQ(again.settings().backgroundFile, u"/tmp/a,b.bmp"_s);
    EXPECT_EQ(again.groups().at(0).fieldName, u"Pole, s čárkou"_s);
    const TRastelReportElement &back = again.groups().at(0).header->at(0);
    EXPECT_EQ(back.text, e.text);
    EXPECT_EQ(back.font.name, e.font.name);
    EXPECT_EQ(back.font.colour, QColor(Qt::black));
}

TEST_F(TemplateWriter, TextsWithPercentSignsShowInTheModelDumpAsRead)
{
    // "%3" is the page number in an expression; the dump must show it, not
    // take it for one of its own placeholders.
    TSestava report;
    report.setPredloha({u"I,0,\"100% %1\""_s, u"F,0,Strana,\"%2\",0,\"%1\",0,\"%3+1\",4,8,1,2"_s,
                        u"I,4,0,%5,1,10,1,10,0"_s, u"T,2,%1,0,0,1,1,Arial %2,10,0,0,0,0,238,\"\",0,0,0"_s});
    const QString dump = dumpModel(report);
    EXPECT_TRUE(dump.contains(u"popis=100% %1 version=6.40.27"_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"name=Strana desc=[%2] type=0 init=[%1] reset=0 expr=[%3+1] agg=4 prec=8 digits=1 "
                              u"format=2"_s))
        << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"field=0 name=%5 newPage=0 header=5 footer=6"_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"ref=0 refName=%1 box=0,0,1,1"_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"font=Arial %2/10/#000000/0/238"_s)) << dump.toStdString();
}

TEST_F(TemplateWriter, PictureLosesItsDirectoryButABarcodeExpressionStaysWhole)
{
    TSestava report;
    report.setPredloha({u"T,11,0,0,0,10,10,,1,0,0,0,15,0,\"C:\\obr\\logo.bmp\""_s,
                        u"T,12,0,0,0,10,10,,8,0,14,0,15,0,\"@Zdroj/Radek\\2\",0,0,0"_s});
    const QStringList written = report.writeTemplate();
    EXPECT_TRUE(written.contains(u"T,11,0,0,0,10,10,,1,0,0,0,15,0,\"logo.bmp\""_s))
        << written.join(u'\n').toStdString();
    EXPECT_TRUE(written.contains(u"T,12,0,0,0,10,10,,8,0,14,0,15,0,\"@Zdroj/Radek\\2\",0,0,0"_s))
        << written.join(u'\n').toStdString();
}

TEST_F(TemplateWriter, RecordsOfEachKindHaveTheirFieldCounts)
{
    TRastelReportElement e;
    auto fieldCount = [&e](int kind) {
        e.kind = kind;
        return int(::TemplateWriter::elementRecord(e, u"T"_s).count(u',')) + 1;
    };
    for (int kind = ElementKind::GraphicText; kind <= ElementKind::UserFunction; ++kind)
        EXPECT_EQ(fieldCount(kind), 18) << kind;
    for (int kind : {7, 8, 9, 10, 13})
        EXPECT_EQ(fieldCount(kind), 14) << kind;
    EXPECT_EQ(fieldCount(ElementKind::Picture), 15);
    EXPECT_EQ(fieldCount(ElementKind::Barcode), 18);
    EXPECT_EQ(fieldCount(ElementKind::Detail), 7);
}

TEST_F(TemplateWriter, SectionTags)
{
    EXPECT_EQ(::TemplateReader::sectionTag(0), u"Z"_s);
    EXPECT_EQ(::TemplateReader::sectionTag(4), u"P"_s);
    EXPECT_EQ(::TemplateReader::sectionTag(5), u"S0"_s);
    EXPECT_EQ(::TemplateReader::sectionTag(6), u"U0"_s);
    EXPECT_EQ(::TemplateReader::sectionTag(10), u"U2"_s);
    EXPECT_EQ(::TemplateReader::sectionTag(11), u"S3"_s);
}

TEST_F(TemplateWriter, NestedDetailsRoundTrip)
{
    TSestava report;
    TSestDetail inner;
    TSestDetail outer;
    outer.setMasterSestava(&report);
    inner.setMasterSestava(&outer);
    report.setPredloha({u"T,15,0,0,0,10,10"_s, u"D0,I,0,\"vnější\""_s, u"D0,T,15,0,0,0,5,5"_s,
                        u"D0,D0,I,0,\"vnitřní\""_s, u"D0,D0,T,1,0,0,0,1,1,Arial,10,0,0,0,0,238,\"x\",0,0,0"_s});
    EXPECT_EQ(outer.popis(), u"vnější"_s);
    EXPECT_EQ(inner.popis(), u"vnitřní"_s);
    ASSERT_EQ(inner.sections().find(2)->count(), 1);
    const QString model = dumpModel(report);
    const QStringList written = report.writeTemplate();
    report.setPredloha(written);
    EXPECT_EQ(dumpModel(report), model);
}

} // namespace
