// Print, Preview and Design around the windows' hooks: the events, the
// one-run guard, the no-printer warning and a missing window.
#include "DataFixture.h"

#include "report/core/ReportWindows.h"

using namespace Qt::StringLiterals;

namespace {

class ReportWindowHooks : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        m_saved = ReportWindows::current();
        ReportWindows::current() = {};
        addRecords(2);
        m_report.setPredloha(templateOf({element(u"T"_s, 1, u"Doklad"_s)}));
        m_report.BeforePrint = [this](TSestavaTyp *) { m_events.append(u"BeforePrint"_s); };
        m_report.AfterPrint = [this](TSestavaTyp *) { m_events.append(u"AfterPrint"_s); };
        m_report.BeforePreview = [this](TSestavaTyp *) { m_events.append(u"BeforePreview"_s); };
        m_report.AfterPreview = [this](TSestavaTyp *) { m_events.append(u"AfterPreview"_s); };
        m_report.BeforeEdit = [this](TSestavaTyp *) { m_events.append(u"BeforeEdit"_s); };
        m_report.AfterEdit = [this](TSestavaTyp *) { m_events.append(u"AfterEdit"_s); };
    }
    void TearDown() override
    {
        ReportWindows::current() = m_saved;
        DataFixture::TearDown();
    }

    ReportWindows m_saved;
    QStringList m_events;
};

} // namespace

TEST_F(ReportWindowHooks, PrintRunsTheHookBetweenItsEventsAndRefusesASecondRunInside)
{
    int nested = -1;
    ReportWindows::current().print = [&](TSestava &report, int printerIndex) {
        m_events.append(u"print %1"_s.arg(printerIndex));
        nested = report.Print(printerIndex);
        return int(seOK);
    };
    EXPECT_EQ(m_report.Print(2), seOK);
    EXPECT_EQ(nested, seAlreadyRunning);
    EXPECT_EQ(m_events, (QStringList{u"BeforePrint"_s, u"print 2"_s, u"AfterPrint"_s}));
}

TEST_F(ReportWindowHooks, PrintOnCurrentWithoutAPrinterWarnsAndPrintsNothing)
{
    bool printed = false;
    ReportWindows::current().print = [&](TSestava &, int) {
        printed = true;
        return int(seOK);
    };
    EXPECT_EQ(m_report.PrintOnCurrent(), seNoPrinter);
    EXPECT_FALSE(printed);
    EXPECT_TRUE(m_events.isEmpty());
    EXPECT_TRUE(
        scriptedUi().shown({{MessageKind::Warning, u"V systému není nainstalovaná žádná tiskárna."_s, u"Varování"_s}}));
}

TEST_F(ReportWindowHooks, PrintOnCurrentPrintsOnTheSelectedPrinter)
{
    FakePrinterList list;
    list.printers = {FakePrinterList::a4(u"A"_s, 0, 0, 0, 0), FakePrinterList::a4(u"B"_s, 0, 0, 0, 0)};
    CurrentPrinter::current().setPrinterList(&list);
    CurrentPrinter::current().selectPrinter(1);
    int printedOn = -2;
    ReportWindows::current().print = [&](TSestava &, int printerIndex) {
        printedOn = printerIndex;
        return int(seOK);
    };
    EXPECT_EQ(m_report.PrintOnCurrent(), seOK);
    EXPECT_EQ(printedOn, 1);
    CurrentPrinter::current().setPrinterList(nullptr);
}

TEST_F(ReportWindowHooks, PreviewShowsThePreparedPagesOnly)
{
    int pagesShown = -1;
    ReportWindows::current().preview = [&](TSestava &report) {
        pagesShown = report.output().pageCount();
        return int(seCancelled);
    };
    EXPECT_EQ(m_report.Preview(), seCancelled);
    EXPECT_EQ(pagesShown, 1);
    EXPECT_EQ(m_events, (QStringList{u"BeforePreview"_s, u"AfterPreview"_s}));

    // A template that cannot be loaded: no window, the events still raised.
    pagesShown = -1;
    m_events.clear();
    m_report.setIsStored(false);
    m_report.setReportName(u"chybi"_s);
    EXPECT_EQ(m_report.Preview(), seTemplateLoad);
    EXPECT_EQ(pagesShown, -1);
    EXPECT_EQ(m_events, (QStringList{u"BeforePreview"_s, u"AfterPreview"_s}));
}

TEST_F(ReportWindowHooks, WithoutTheWindowsEveryOperationFailsCleanly)
{
    EXPECT_EQ(m_report.Print(0), seDataOrNothing);
    EXPECT_EQ(m_report.Preview(), seDataOrNothing);
    EXPECT_EQ(m_report.Design(), seDataOrNothing);
    EXPECT_EQ(m_events, (QStringList{u"BeforePrint"_s, u"AfterPrint"_s, u"BeforePreview"_s, u"AfterPreview"_s,
                                     u"BeforeEdit"_s, u"AfterEdit"_s}));
}

TEST_F(ReportWindowHooks, DesignOpensTheDesignerWithTheFieldsRead)
{
    QStringList fieldsSeen;
    ReportWindows::current().design = [&](TSestava &report) {
        fieldsSeen = report.fieldNames();
        return int(seOK);
    };
    EXPECT_EQ(m_report.Design(), seOK);
    EXPECT_EQ(fieldsSeen.value(0), u"Doklad"_s);
    EXPECT_EQ(m_events, (QStringList{u"BeforeEdit"_s, u"AfterEdit"_s}));
}
