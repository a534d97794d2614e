#pragma once

#include "print/PrintSettings.h"

#include <QString>

#include <functional>

class TSestava;
class TSestavaTyp;

// The print dialog's template rules apart from its window: the check before
// printing, choosing another file, the editable copy of a template that comes
// with the program, the designer's settings and saving under a new name.
// Template names are file names without directory and extension; the file is
// printFormsDir + name + ".PTS". Names beginning with "_" are the program's
// own templates: the user never edits or saves over them.
class TiskTemplates
{
public:
    explicit TiskTemplates(const TiskContext &context);

    // printFormsDir + name + ".PTS"
    QString templatePath(const QString &name) const;
    static bool isProgramTemplate(const QString &name) { return name.startsWith(u'_'); }

    // The check before "Tisk", "Náhled" and "Editovat": a name (trimmed) and
    // its file are needed, else the warning and -1. On success the report's
    // ReportName becomes the name and its Parametry are cleared; 0.
    int check(const QString &name, TSestava &report) const;

    // "Výběr": the chosen file's name without directory and extension,
    // upper-cased; empty when cancelled.
    QString choose() const;

    // The name of an editable copy of `name`: without its first character,
    // followed by the first number 1, 2, … whose file does not exist yet.
    QString copyName(const QString &name) const;

    // "Editovat": the check; for a program template the offer of a copy, the
    // copy and the check of the copy (`nameChanged` gets the copy's name);
    // the designer's settings; the designer. 0 when the designer ran, -1 when
    // a step stopped.
    int edit(const QString &name, TSestava &report, const std::function<void(const QString &)> &nameChanged) const;
    // The designer follows fields by name and shows the fields' labels.
    bool writeDesignerSettings() const;

    // Saving under a new name from the designer: the file chosen in
    // printFormsDir becomes the report's template (its name in `soubor`) and
    // is written there. False when cancelled, refused (a name beginning with
    // "_") or not written.
    bool saveAs(TSestavaTyp *sender, QString &soubor) const;

    static QString helpText();
    static QString tipText();

private:
    // Copies the template to its copy's file; the copy's name, or empty after
    // the error message.
    QString copyTemplate(const QString &name) const;

    TiskContext m_context;
};
