// The report components: defaults, published properties, field lists, the
// references they answer, details and their masters, the process-wide page
// setup and the one-run-at-a-time rule.

#include "ReportFixture.h"

#include "common/IniFile.h"
#include "common/LocaleFormats.h"
#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/output/Printers.h"

using namespace Qt::StringLiterals;

namespace {

class ReportObject : public ReportFixture
{
};

TEST_F(ReportObject, NewReportHasItsDefaults)
{
    TSestava report;
    EXPECT_EQ(report.popis(), u"Tisková úloha RASTEL"_s);
    EXPECT_EQ(report.iniFileName(), u"SestDLL.ini"_s);
    EXPECT_EQ(report.printCopies(), 1);
    EXPECT_EQ(report.startPage(), 1);
    EXPECT_EQ(report.endPage(), 9999);
    EXPECT_EQ(report.maxRecords(), 0);
    EXPECT_EQ(report.exportLanguage(), slUndefined);
    EXPECT_FALSE(report.tiskJedenZaznam());
    EXPECT_FALSE(report.allowNullValues());
    EXPECT_FALSE(report.printBackground());
    EXPECT_FALSE(report.isStored());
    EXPECT_TRUE(report.reportDirIgnore());
    EXPECT_EQ(report.reportName(), QString());
    EXPECT_EQ(report.reportDir(), QString());
    EXPECT_EQ(report.background(), QString());
    EXPECT_TRUE(report.predloha().isEmpty());
    EXPECT_TRUE(report.parametry().isEmpty());
    EXPECT_EQ(report.settings(), ReportOptions());
    EXPECT_EQ(report.settings().version, (std::array<int, 3>{6, 40, 27}));
    EXPECT_EQ(report.settings().printColumns, 1);
    ASSERT_EQ(report.sections().count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TOddilSestavy &s = report.sections().at(i);
        EXPECT_EQ(s.id, i);
        EXPECT_TRUE(s.visible);
        EXPECT_EQ(s.height, 0);
        EXPECT_EQ(s.columns, 1);
        EXPECT_EQ(s.columnGap, 0);
    }
    EXPECT_EQ(report.groups().count(), 0);
    EXPECT_EQ(report.functions().count(), 0);
    EXPECT_TRUE(report.details().empty());
    EXPECT_EQ(report.paperFormats().count(), TListFormatu::BuiltInCount);
    EXPECT_EQ(report.rowNumber(), 1);
    EXPECT_EQ(report.pageNumber(), 1);
}

TEST_F(ReportObject, PublishedPropertiesAreReachableByTheirNames)
{
    TSestava report;
    EXPECT_TRUE(report.setProperty("ReportName", u"abc.txt"_s));
    EXPECT_EQ(report.property("ReportName").toString(), u"abc.pts"_s);
    EXPECT_TRUE(report.setProperty("EndPage", 3));
    EXPECT_EQ(report.endPage(), 3);
    EXPECT_TRUE(report.setProperty("ExportLanguage", int(slCP852)));
    EXPECT_EQ(report.exportLanguage(), slCP852);
    EXPECT_TRUE(report.setProperty("Predloha", QStringList{u"I,0,\"x\""_s}));
    EXPECT_EQ(report.popis(), u"x"_s);
    for (const char *name : {"Parametry", "Popis", "IniFileName", "PrintCopies", "StartPage", "MaxRecords",
                             "TiskJedenZaznam", "AllowNullValues", "ReportAlias", "ReportDir", "ReportDirIgnore",
                             "PrintBackground", "IsStored", "Background"})
        EXPECT_TRUE(report.property(name).isValid()) << name;
    TSestDetail detail;
    EXPECT_TRUE(detail.property("Popis").isValid());
    EXPECT_FALSE(detail.property("ReportName").isValid());
}

TEST_F(ReportObject, FieldNamesFillTheDisplayValues)
{
    TSestava report;
    report.setFieldNames({u"Doklad"_s, u"Celkem"_s});
    report.setFieldLabels({u"Číslo dokladu"_s, u"Částka"_s});
    EXPECT_EQ(report.fieldDisplayValues(), (QStringList{u"Položka 1"_s, u"Položka 2"_s}));
    EXPECT_EQ(report.fieldCount(), 2);
    EXPECT_EQ(report.fieldDisplayText(1), u"Položka 2"_s);
    EXPECT_EQ(report.fieldDisplayText(2), u"Položka ?"_s);
    EXPECT_EQ(report.fieldDisplayText(-1), u"Položka ?"_s);
    EXPECT_EQ(report.fieldLabel(1), u"Částka"_s);
    EXPECT_EQ(report.fieldLabel(5), QString());
    EXPECT_EQ(report.fieldDataType(0), ftUnknown);
    EXPECT_EQ(report.fieldAlignment(0), 0);
    EXPECT_EQ(report.fieldSize(0), 10);
    EXPECT_EQ(report.fieldMemoText(0), QString());
    EXPECT_TRUE(report.fieldPicture(0).isNull());
    EXPECT_FALSE(report.fieldIsNull(0));
    EXPECT_EQ(report.fieldNumber(0), 0.0);
    report.setFieldDisplayValues({u"12,5"_s, u"x"_s});
    EXPECT_EQ(report.fieldNumber(0), 12.5);
    EXPECT_EQ(report.fieldNumber(1), 0.0);
    EXPECT_EQ(report.findField(u"celkem"_s), 1);
    EXPECT_EQ(report.findField(u"Nic"_s), -1);
}

TEST_F(ReportObject, DataEventsOverrideTypeAndAlignment)
{
    TSestava report;
    report.setFieldNames({u"A"_s, u"B"_s});
    report.OnGetDataType = [](TSestavaTyp *, int index, int &type) {
        if (index == 1)
            type = ftFloat;
    };
    report.OnGetAlignment = [](TSestavaTyp *, int, int &alignment) { alignment = 1; };
    EXPECT_EQ(report.fieldDataType(0), ftUnknown);
    EXPECT_EQ(report.fieldDataType(1), ftFloat);
    EXPECT_EQ(report.fieldAlignment(0), 1);
    EXPECT_FALSE(report.isEventDriven());
    report.OnGetData = [](TSestavaTyp *) {};
    EXPECT_TRUE(report.isEventDriven());
}

TEST_F(ReportObject, ResolverAnswersParametersFieldsFunctionsAndSystemVariables)
{
    TSestava report;
    report.setFieldNames({u"Text"_s, u"Castka"_s});
    report.setFieldDisplayValues({u"abc"_s, u"1,5"_s});
    report.OnGetDataType = [](TSestavaTyp *, int index, int &type) { type = index == 0 ? ftString : ftCurrency; };
    report.setParametry({u"Firma s.r.o."_s, u"42"_s});
    TRadekFunkce &function = report.functions().add();
    function.name = u"Soucet"_s;
    function.result.kind = TCalcType::Number;
    function.result.number = 7;
    function.result.text = u"7"_s;
    report.setRowNumber(12);

    const TCalcType parameter = report.resolve(CalcRef::Parameter + 1);
    EXPECT_EQ(parameter.kind, TCalcType::Text);
    EXPECT_EQ(parameter.text, u"42"_s);
    EXPECT_EQ(parameter.number, 42.0);
    EXPECT_EQ(report.resolve(CalcRef::Parameter + 5).text, QString());

    const TCalcType text = report.resolve(CalcRef::Field + 0);
    EXPECT_EQ(text.kind, TCalcType::Text);
    EXPECT_EQ(text.text, u"abc"_s);
    const TCalcType amount = report.resolve(CalcRef::Field + 1);
    EXPECT_EQ(amount.kind, TCalcType::Number);
    EXPECT_EQ(amount.number, 1.5);
    EXPECT_FALSE(amount.null);

    EXPECT_EQ(report.resolve(CalcRef::UserFunction + 0).number, 7.0);
    EXPECT_EQ(report.resolve(CalcRef::UserFunction + 3).kind, TCalcType::Other);
    EXPECT_EQ(report.resolve(CalcRef::SystemVariable + SystemVariable::RowNumber).number, 12.0);

    EXPECT_EQ(report.findName(CalcRef::FindField, u"CASTKA"_s), 1);
    EXPECT_EQ(report.findName(CalcRef::FindFunction, u"soucet"_s), 0);
    EXPECT_EQ(report.findName(CalcRef::FindFunction, u"nic"_s), -1);
}

TEST_F(ReportObject, SystemVariablesAndTheirCaptions)
{
    TSestava report;
    report.setPredloha({u"I,4,0,0,1,10,1,10,0"_s, u"I,4,1,0,1,10,1,10,0"_s});
    report.setPrintTimestamp(DayNumber::fromDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))));
    report.setPageNumber(3);
    report.setPageCount(9);
    report.groups().at(1).rowInGroup = 4;
    report.groups().at(1).groupCount = 2;

    const TCalcType date = report.systemVariableValue(SystemVariable::PrintDate);
    EXPECT_EQ(date.text, u"5.3.2024"_s);
    EXPECT_EQ(date.kind, TCalcType::Other);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::PrintTime).text, u"14:07:09"_s);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::PageNumber).text, u"3"_s);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::PageCount).number, 9.0);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::rowInGroup(1)).number, 4.0);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::groupCount(1)).number, 2.0);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::groupCount(0)).number, 1.0);
    EXPECT_EQ(report.systemVariableValue(SystemVariable::rowInGroup(2)).text, QString());

    EXPECT_EQ(SystemVariable::caption(0), u"Datum tisku"_s);
    EXPECT_EQ(SystemVariable::caption(1), u"Čas tisku"_s);
    EXPECT_EQ(SystemVariable::caption(2), u"Pořadové číslo řádku"_s);
    EXPECT_EQ(SystemVariable::caption(3), u"Číslo strany"_s);
    EXPECT_EQ(SystemVariable::caption(4), u"Celkový počet stran"_s);
    EXPECT_EQ(SystemVariable::caption(5), u"Číslo řádku ve skupině 1"_s);
    EXPECT_EQ(SystemVariable::caption(8), u"Číslo skupiny 2"_s);
    EXPECT_EQ(TOddilSestavy::caption(2), u"Tělo sestavy"_s);
    EXPECT_EQ(TOddilSestavy::caption(7), u"Začátek skupiny"_s);
    EXPECT_EQ(TOddilSestavy::caption(8), u"Konec skupiny"_s);
    EXPECT_EQ(ElementKind::designerName(12), u"Čárový kód"_s);
}

TEST_F(ReportObject, DetailJoinsAndLeavesItsMasters)
{
    TSestava first;
    TSestava second;
    TSestDetail a;
    TSestDetail b;
    EXPECT_TRUE(a.setMasterSestava(&first));
    EXPECT_TRUE(b.setMasterSestava(&first));
    EXPECT_EQ(first.details(), (std::vector<TSestDetail *>{&a, &b}));
    EXPECT_TRUE(a.setMasterSestava(&second));
    EXPECT_EQ(first.details(), (std::vector<TSestDetail *>{&b}));
    EXPECT_EQ(second.details(), (std::vector<TSestDetail *>{&a}));
    EXPECT_EQ(a.masterSestava(), &second);
    EXPECT_TRUE(a.setMasterSestava(nullptr));
    EXPECT_TRUE(second.details().empty());
}

TEST_F(ReportObject, DetailCannotBecomeItsOwnMaster)
{
    TSestava report;
    TSestDetail outer;
    TSestDetail inner;
    outer.setMasterSestava(&report);
    inner.setMasterSestava(&outer);
    EXPECT_FALSE(outer.setMasterSestava(&inner));
    EXPECT_FALSE(outer.setMasterSestava(&outer));
    EXPECT_EQ(outer.masterSestava(), &report);
}

TEST_F(ReportObject, DestroyingEitherSideClearsTheLink)
{
    TSestDetail detail;
    {
        TSestava master;
        detail.setMasterSestava(&master);
    }
    EXPECT_EQ(detail.masterSestava(), nullptr);

    TSestava master;
    {
        TSestDetail shortLived;
        shortLived.setMasterSestava(&master);
        EXPECT_EQ(master.details().size(), 1u);
    }
    EXPECT_TRUE(master.details().empty());
}

TEST_F(ReportObject, LoadingASecondReportChangesThePageOfTheFirst)
{
    TSestava first;
    TSestava second;
    first.setPredloha({u"I,2,0,826,1169,50,50,70,70"_s});
    EXPECT_EQ(pageSetup().paperWidth, 826);
    second.setPredloha({u"I,2,1,1169,1652,10,20,30,40"_s});
    EXPECT_EQ(pageSetup().paperWidth, 1169);
    EXPECT_EQ(pageSetup().orientation, PageSetup::Landscape);
    EXPECT_EQ(pageSetup().bottomMargin, 40);
    // A detail never loads it.
    TSestDetail detail;
    detail.setPredloha({u"I,2,0,500,500,1,1,1,1,2,4"_s});
    EXPECT_EQ(pageSetup().paperWidth, 1169);
    EXPECT_EQ(detail.settings().printColumns, 2);
}

TEST_F(ReportObject, OnlyOneRunAtATime)
{
    EXPECT_FALSE(TSestavaTyp::isRunning());
    int inner = -1;
    const int outer = TSestavaTyp::runExclusive([&inner] {
        EXPECT_TRUE(TSestavaTyp::isRunning());
        inner = TSestavaTyp::runExclusive([] { return 0; });
        return 0;
    });
    EXPECT_EQ(outer, seOK);
    EXPECT_EQ(inner, seAlreadyRunning);
    EXPECT_FALSE(TSestavaTyp::isRunning());
    EXPECT_EQ(TSestavaTyp::runExclusive([] { return int(seCancelled); }), seCancelled);
}

TEST_F(ReportObject, PaperFormatsComeFromTheIniFile)
{
    {
        IniFile ini(tempPath(u"SestDLL.ini"_s));
        ini.WriteInteger(u"FormatyPapiru"_s, u"PocetFormatu"_s, 1);
        ini.WriteString(u"FormatyPapiru"_s, u"Format1"_s, u"Štítek,400,200"_s);
    }
    TSestava report; // the file beside the program
    ASSERT_EQ(report.paperFormats().count(), 19);
    EXPECT_EQ(report.paperFormats().at(18).name, u"Štítek"_s);
    report.setIniFileName(tempPath(u"jiny.ini"_s));
    EXPECT_EQ(report.paperFormats().count(), 18);
}

TEST_F(ReportObject, NewReportResetsThePrinterScale)
{
    FakePrinterList printers;
    printers.printers << FakePrinterList::a4(u"Laser"_s, 75, 75, 75, 75);
    CurrentPrinter::current().setPrinterList(&printers);
    CurrentPrinter::current().selectPrinter(0);
    EXPECT_EQ(CurrentPrinter::current().scaleX(), 3.0);
    TSestava report;
    EXPECT_EQ(CurrentPrinter::current().scaleX(), 1.0);
}

TEST_F(ReportObject, AddedGroupsGetTheirSections)
{
    TSestava report;
    report.settings().printColumns = 2;
    TPolSkup &group = report.model().addGroup(3);
    EXPECT_EQ(group.number, 0);
    EXPECT_EQ(group.header->id, 5);
    EXPECT_EQ(group.footer->id, 6);
    EXPECT_EQ(group.header->stored, 50);
    EXPECT_EQ(group.header->columns, 2);
    EXPECT_EQ(report.model().addGroup(0).footer->id, 8);
    report.model().clear();
    EXPECT_EQ(report.sections().count(), 5);
    EXPECT_EQ(report.groups().count(), 0);
}

} // namespace
