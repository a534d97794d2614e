// The templates that come with the program: "_PROTOKOL" prints an
// operation's protocol, "_SZOPRAVDOKL" the highlight list's documents. Each
// reads, lays out and writes back unchanged, and renders through the report
// tool.

#include "PrintFixture.h"

#include "common/CodePage.h"
#include "common/MemTable.h"
#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/layout/ReportLayout.h"
#include "reporttool/CsvTable.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

struct ShippedCase
{
    const char *name;
    QString templ;
    QString data;    // CSV under the test data
    int pages;       // laid out over that data
    QStringList pdf; // texts the PDF shows, in this order
};

class ShippedTemplate : public PrintFixture, public testing::WithParamInterface<ShippedCase>
{
};

TEST_P(ShippedTemplate, ReadsLaysOutAndWritesBackUnchanged)
{
    const QString path = shippedTemplate(GetParam().templ);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    // Windows-1250 with CR LF, as the host's machines keep templates.
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = TextFile::readLines(path).value_or(QStringList());
    EXPECT_EQ(CodePage::windows1250().encode(QString(lines.join(u"\r\n"_s) + u"\r\n"_s)), bytes);

    MemTable table(u"data"_s);
    QString error;
    ASSERT_TRUE(CsvTable::loadCsv(TestSupport::dataPath(GetParam().data), table, error)) << error.toStdString();
    MemTableDataSet dataSet(&table);
    ReportDataSource source(&dataSet);
    TSestava report;
    report.setDataSource(&source);
    report.setReportDirIgnore(false);
    report.setReportDir(QStringLiteral(TARNEK_PRINT_FORMS_DIR));
    report.setReportName(GetParam().templ);
    ASSERT_EQ(ReportLayout::prepare(report), seOK);
    EXPECT_EQ(report.output().pageCount(), GetParam().pages);
    EXPECT_TRUE(scriptedUi().messages().isEmpty());
    EXPECT_EQ(report.writeTemplate(), lines);
}

TEST_P(ShippedTemplate, RendersToPdfThroughTheReportTool)
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString pdf = tempPath(u"vystup.pdf"_s);
    QProcess tool;
    tool.start(QStringLiteral(TARNEK_REPORT_TOOL),
               {u"render"_s, shippedTemplate(GetParam().templ), u"--data"_s, TestSupport::dataPath(GetParam().data),
                u"--format"_s, u"pdf"_s, u"-o"_s, pdf});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    QString shown = runTool(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    EXPECT_EQ(shown.count(u'\f'), GetParam().pages);
    shown.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    qsizetype from = 0;
    for (const QString &expected : GetParam().pdf) {
        const qsizetype at = shown.indexOf(expected, from);
        EXPECT_GE(at, 0) << '"' << expected.toStdString() << "\" after position " << from
                         << " in: " << shown.toStdString();
        if (at >= 0)
            from = at + expected.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedTemplate,
                         testing::Values(ShippedCase{"Protocol",
                                                     u"_PROTOKOL"_s,
                                                     u"protokol.csv"_s,
                                                     1,
                                                     {u"Kovárna Šťastný s.r.o."_s, u"Rok: 2018"_s, u"Datum tisku:"_s,
                                                      u"strana 1 z 1"_s, u"Agenda: Kovárna Šťastný s.r.o."_s,
                                                      u"Rok: 2018"_s, u"Datum: 5.1.2019 10:00:00 hod."_s,
                                                      u"PK180001 >> PK180011"_s, u"PK180002 >> PK180012"_s,
                                                      u"Přečíslováno dokladů: 2"_s}},
                                         ShippedCase{"DocumentList",
                                                     u"_SZOPRAVDOKL"_s,
                                                     u"seznam.csv"_s,
                                                     1,
                                                     {u"Seznam dokladů"_s,
                                                      u"strana 1 z 1"_s,
                                                      u"Doklad"_s,
                                                      u"Dat. vystavení"_s,
                                                      u"Dat. úč. případu"_s,
                                                      u"Dat. platby"_s,
                                                      u"Dat. plnění DPH"_s,
                                                      u"Řádek"_s,
                                                      u"Účet"_s,
                                                      u"Adresa - název"_s,
                                                      u"Celkem s DPH"_s,
                                                      u"Popis"_s,
                                                      u"Druh dokladu"_s,
                                                      u"Vystavil"_s,
                                                      u"Oprava"_s,
                                                      u"PP180001"_s,
                                                      u"Železářství Novák"_s,
                                                      u"1210,5"_s,
                                                      u"Nákup hřebíků"_s,
                                                      u"Jana Dvořáková"_s,
                                                      u"PP180002"_s,
                                                      u"350"_s,
                                                      u"opraven"_s,
                                                      u"PP180003"_s,
                                                      u"99,9"_s,
                                                      u"změna ceny"_s,
                                                      u"Počet dokladů: 3"_s}}),
                         TestSupport::rowName);

} // namespace
