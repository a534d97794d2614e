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
    // Texts of different records: in character mode each stands on a line
    // of its own (a band lower than a character row would let them meet).
    QStringList ownLines;
};

class ShippedTemplate : public PrintFixture, public testing::WithParamInterface<ShippedCase>
{
protected:
    // The template rendered over its data by the report tool into `out`;
    // the tool's error output, empty when it succeeded.
    std::string render(const QString &format, const QString &out)
    {
        QProcess tool;
        tool.start(QStringLiteral(TARNEK_REPORT_TOOL),
                   {u"render"_s, shippedTemplate(GetParam().templ), u"--data"_s, TestSupport::dataPath(GetParam().data),
                    u"--format"_s, format, u"-o"_s, out});
        if (!tool.waitForFinished(60000))
            return "the report tool did not finish";
        return tool.exitCode() == 0 ? std::string() : tool.readAllStandardError().toStdString() + " (failed)";
    }
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
    ASSERT_EQ(render(u"pdf"_s, pdf), std::string());

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

// Character mode (the text-only printer, the text export) gives every
// element whole character cells: each label of the template must be shown
// whole, with a blank before whatever follows it on the line.
TEST_P(ShippedTemplate, LabelsFitInCharacterMode)
{
    const QString txt = tempPath(u"vystup.txt"_s);
    ASSERT_EQ(render(u"txt"_s, txt), std::string());
    const QString shown = TextFile::readLines(txt).value_or(QStringList()).join(u'\n');
    ASSERT_FALSE(shown.isEmpty());

    // Labels: records of a section ("Z", "H", "T", "K", "P") whose kind is 1.
    static const QRegularExpression label(u"^[ZHTKP],1,.*,\"([^\"]+)\",0,0,0$"_s);
    QStringList labels;
    for (const QString &line : TextFile::readLines(shippedTemplate(GetParam().templ)).value_or(QStringList())) {
        if (const QRegularExpressionMatch match = label.match(line); match.hasMatch())
            labels.append(match.captured(1));
    }
    ASSERT_FALSE(labels.isEmpty());
    for (const QString &text : std::as_const(labels)) {
        const QRegularExpression whole(QRegularExpression::escape(text) + u"( |$)"_s,
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(whole.match(shown).hasMatch()) << '"' << text.toStdString() << "\" cut or run together in:\n"
                                                   << shown.toStdString();
    }
    for (const QString &text : GetParam().ownLines) {
        const QStringList lines = shown.split(u'\n').filter(text);
        ASSERT_EQ(lines.size(), 1) << text.toStdString() << " in:\n" << shown.toStdString();
        for (const QString &other : GetParam().ownLines)
            EXPECT_TRUE(other == text || !lines.at(0).contains(other)) << lines.at(0).toStdString();
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
                                                      u"Přečíslováno dokladů: 2"_s},
                                                     {u"PK180001 >> PK180011"_s, u"PK180002 >> PK180012"_s}},
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
                                                      u"Počet dokladů: 3"_s},
                                                     {u"PP180001"_s, u"PP180002"_s, u"PP180003"_s}}),
                         TestSupport::rowName);

} // namespace
