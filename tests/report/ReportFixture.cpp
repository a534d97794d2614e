#include "ReportFixture.h"

#include "common/TextFile.h"
#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/ReportFonts.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QStringList FakePrinterList::names() const
{
    QStringList result;
    for (const Printer &printer : printers)
        result << printer.name;
    return result;
}

std::optional<PrinterFacts> FakePrinterList::facts(int index, int orientation) const
{
    if (index < 0 || index >= printers.size())
        return std::nullopt;
    PrinterFacts f = printers.at(index).facts;
    if (orientation == 1) {
        std::swap(f.physicalWidth, f.physicalHeight);
        std::swap(f.printableWidth, f.printableHeight);
        std::swap(f.offsetX, f.offsetY);
    }
    f.orientation = orientation;
    return f;
}

FakePrinterList::Printer FakePrinterList::a4(const QString &name, int left, int top, int right, int bottom)
{
    Printer printer;
    printer.name = name;
    printer.driver = u"HP LaserJet 4"_s;
    printer.facts.resolutionX = 300;
    printer.facts.resolutionY = 300;
    printer.facts.physicalWidth = 2480;
    printer.facts.physicalHeight = 3508;
    printer.facts.offsetX = left;
    printer.facts.offsetY = top;
    printer.facts.printableWidth = 2480 - left - right;
    printer.facts.printableHeight = 3508 - top - bottom;
    return printer;
}

FakePrinterList::Printer FakePrinterList::textOnly(const QString &name, int width, int height, int offsetX, int offsetY)
{
    Printer printer;
    printer.name = name;
    printer.driver = u"Generic / Text Only"_s;
    printer.facts.physicalWidth = width;
    printer.facts.physicalHeight = height;
    printer.facts.printableWidth = width;
    printer.facts.printableHeight = height;
    printer.facts.offsetX = offsetX;
    printer.facts.offsetY = offsetY;
    return printer;
}

bool hasProgram(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString programOutput(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void ReportFixture::SetUp()
{
    ASSERT_TRUE(m_temp.isValid());
    pageSetup() = PageSetup();
    CurrentPrinter::current().setPrinterList(nullptr);
    TSestavaTyp::setProgramDir(m_temp.path());
    ReportFonts::setInstalledFamilies(QStringList{u"Arial"_s, u"Times New Roman"_s, u"Courier New"_s});
}

void ReportFixture::TearDown()
{
    pageSetup() = PageSetup();
    CurrentPrinter::current().setPrinterList(nullptr);
    TSestavaTyp::setProgramDir(QString());
    ReportFonts::setInstalledFamilies(std::nullopt);
}

void ReportFixture::writeFile(const QString &path, const QStringList &lines) const
{
    ASSERT_TRUE(TextFile::writeLines(path, lines)) << path.toStdString();
}

QStringList ReportFixture::readFile(const QString &path) const
{
    return TextFile::readLines(path).value_or(QStringList{u"<missing>"_s});
}
