#pragma once

#include "print/PrintSettings.h"
#include "report/ReportFixture.h"
#include "report/core/ReportWindows.h"

#include <QStringList>

class MemTable;

// A print-template directory and a settings file in a temporary tree, two
// fake printers ("Kancelář", "Sklad"), and the report's windows replaced by
// the test's own hooks (put back afterwards).
class PrintFixture : public ReportFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The templates that come with the program, as the build ships them.
    static QString shippedTemplate(const QString &name);
    // Copies a shipped template into the print-template directory.
    void installShipped(const QString &name) const;
    // An empty template file in the print-template directory.
    void addTemplateFile(const QString &fileName) const;
    QString formsDir() const { return m_context.printFormsDir; }
    // The settings file's lines; empty when it does not exist.
    QStringList settingsLines() const;

    // The protocol table of the information window holding `lines` (CR LF).
    static void fillProtocol(MemTable &table, const QStringList &lines);
    // The standard output of a program run to its end (a minute at most).
    static QString runTool(const QString &program, const QStringList &arguments);

    TiskContext m_context;
    FakePrinterList m_printers;
    ReportWindows m_savedWindows;
};
