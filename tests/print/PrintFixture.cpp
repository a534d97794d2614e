#include "PrintFixture.h"

#include "common/MemTable.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

void PrintFixture::SetUp()
{
    ReportFixture::SetUp();
    ASSERT_TRUE(QDir(m_temp.path()).mkpath(u"Velmar/Tarnek/PrintFrm"_s));
    ASSERT_TRUE(QDir(m_temp.path()).mkpath(u"Velmar/Tarnek/Setting"_s));
    m_context.printFormsDir = tempPath(u"Velmar/Tarnek/PrintFrm/"_s);
    m_context.configIniPath = tempPath(u"Velmar/Tarnek/Setting/Spravce.ini"_s);
    m_context.agendaCode = u"001"_s;
    m_printers.printers = {FakePrinterList::a4(u"Kancelář"_s, 50, 50, 50, 50),
                           FakePrinterList::a4(u"Sklad"_s, 60, 60, 60, 60)};
    m_printers.systemDefault = 1;
    CurrentPrinter::current().setPrinterList(&m_printers);
    m_savedWindows = ReportWindows::current();
    ReportWindows::current() = {};
}

void PrintFixture::TearDown()
{
    ReportWindows::current() = m_savedWindows;
    ReportFixture::TearDown();
}

QString PrintFixture::shippedTemplate(const QString &name)
{
    return QStringLiteral(TARNEK_PRINT_FORMS_DIR) + u'/' + name + u".PTS"_s;
}

void PrintFixture::installShipped(const QString &name) const
{
    ASSERT_TRUE(QFile::copy(shippedTemplate(name), formsDir() + name + u".PTS"_s)) << name.toStdString();
}

void PrintFixture::addTemplateFile(const QString &fileName) const
{
    writeFile(formsDir() + fileName, {u"I,0,\"Můj formulář\""_s});
}

QStringList PrintFixture::settingsLines() const
{
    return TextFile::readLines(m_context.configIniPath).value_or(QStringList());
}

QString PrintFixture::runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void PrintFixture::fillProtocol(MemTable &table, const QStringList &lines)
{
    table.addField(u"Text"_s, FieldType::Memo);
    table.append();
    table.setValue(u"Text"_s, lines.join(u"\r\n"_s));
}
