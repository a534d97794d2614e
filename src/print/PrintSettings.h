#pragma once

#include <QString>

// Where the print dialog finds its templates and keeps its choices: the
// program's print-template directory, the per-configuration settings file
// and the open company's code (the dialog's section is "PRINT" + that code).
struct TiskContext
{
    QString printFormsDir; // ends with a delimiter
    QString configIniPath;
    QString agendaCode;
};

// The print functions callers pass to the print dialog.
enum TiskFunkce : int {
    tfProtokol = 1,     // an operation's protocol, the memo "Text" of the information window
    tfSeznamDokladu = 2 // the highlight list's documents, as the list shows them
};

namespace TiskFunctions {
// The template that comes with the program for the function ("_PROTOKOL",
// "_SZOPRAVDOKL"); empty for a number that is no print function.
QString standardTemplate(int function);
// What the function prints ("Protokol", "Seznam dokladů").
QString description(int function);
} // namespace TiskFunctions

// The printer and template remembered for one print function in one company.
class TiskSettings
{
public:
    TiskSettings(const TiskContext &context, int function);

    QString section() const; // "PRINT" + agendaCode
    // "DefaultPrinter" + n: the printer's index in the system's list, -1 for
    // none; 0 (the first printer) when nothing is remembered.
    int defaultPrinter() const;
    // "FRMName" + n without its quotes; the function's standard template when
    // nothing (or an empty name) is remembered.
    QString templateName() const;

    // Each returns false when the settings file could not be written.
    bool rememberPrinter(int printerIndex) const;
    bool rememberTemplate(const QString &name) const; // kept in double quotes

private:
    QString printerKey() const;
    QString templateKey() const;

    TiskContext m_context;
    int m_function;
};
