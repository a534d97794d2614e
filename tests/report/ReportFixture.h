#pragma once

#include "report/core/output/Printers.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// A printer list that tests describe: names, drivers and the facts of each.
class FakePrinterList final : public PrinterList
{
public:
    struct Printer
    {
        QString name;
        QString driver;
        PrinterFacts facts;
    };

    QList<Printer> printers;
    int systemDefault = 0;

    QStringList names() const override;
    int defaultIndex() const override { return printers.isEmpty() ? -1 : systemDefault; }
    QString driverName(int index) const override { return printers.value(index).driver; }
    std::optional<PrinterFacts> facts(int index, int orientation) const override;

    // An A4 laser printer: 300 pixels per inch, the given non-printable edges in pixels.
    static Printer a4(const QString &name, int left, int top, int right, int bottom);
    // A text-only line printer ("Generic / Text Only") at 100 pixels per inch:
    // a sheet of that size in units, all of it printable, the physical offset given.
    static Printer textOnly(const QString &name, int width, int height, int offsetX = 50, int offsetY = 72);
};

// Whether a program (pdfinfo, pdftotext, …) is on the path.
bool hasProgram(const QString &program);
// What the program writes to its standard output (a minute at the most).
QString programOutput(const QString &program, const QStringList &arguments, int timeoutMs = 60000);

// For a test that needs an outside program (a reader of an export): without
// it the test skips, but under CI, which installs it, it fails.
#define TARNEK_REQUIRE_PROGRAM(program)                                                                                \
    do {                                                                                                               \
        if (!hasProgram(program)) {                                                                                    \
            if (TestSupport::isCi())                                                                                   \
                FAIL() << QString(program).toStdString() << " is missing: scripts/install-deps.sh installs it";        \
            GTEST_SKIP() << QString(program).toStdString() << " is not installed";                                     \
        }                                                                                                              \
    } while (false)

// Puts every process-wide piece of the report generator back to its start:
// the page setup, the printer, the program directory (a temporary one) and a
// fixed list of installed fonts.
class ReportFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString tempPath(const QString &name) const { return m_temp.filePath(name); }
    // Writes a file in Windows-1250 with CR LF.
    void writeFile(const QString &path, const QStringList &lines) const;
    QStringList readFile(const QString &path) const;

    QTemporaryDir m_temp;
};
