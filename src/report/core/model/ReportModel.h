#pragma once

#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportGroups.h"
#include "report/core/model/ReportOptions.h"
#include "report/core/model/ReportSections.h"
#include "report/core/model/UserFunctions.h"

#include <QString>

// The report model as a value: the sections with their elements, the groups
// with their two sections each, the user functions and the settings of the
// template header, all that a template's lines describe. The template reader
// produces it (TemplateReader::read), the writer writes it back
// (TemplateWriter::write); the report (TSestavaTyp) holds one and answers
// what its elements show. A copy is a deep copy whose groups point at the
// copy's own sections.
class ReportModel
{
public:
    ReportModel() = default;
    ReportModel(const ReportModel &other);
    ReportModel &operator=(const ReportModel &other);
    ReportModel(ReportModel &&) noexcept = default;
    ReportModel &operator=(ReportModel &&) noexcept = default;
    ~ReportModel() = default;

    TListOddilu &sections() { return m_sections; }
    const TListOddilu &sections() const { return m_sections; }
    TListSkupin &groups() { return m_groups; }
    const TListSkupin &groups() const { return m_groups; }
    TListFunkci &functions() { return m_functions; }
    const TListFunkci &functions() const { return m_functions; }
    ReportOptions &settings() { return m_settings; }
    const ReportOptions &settings() const { return m_settings; }

    // The report's description (I,0; the report's "Popis").
    QString description() const { return m_description; }
    void setDescription(const QString &text) { m_description = text; }

    // The page setup of the template's I,2 record, laid over the setup the
    // reader started from. Every report prints with the process-wide setup
    // (pageSetup()), which reading a main report's template replaces with
    // this one.
    const PageSetup &page() const { return m_page; }
    void setPage(const PageSetup &page) { m_page = page; }

    // Appends a group with its header and footer section (taking the print
    // columns of the settings).
    TPolSkup &addGroup(int fieldIndex, const QString &fieldName = QString());
    // Frees every element and removes every group with its sections.
    void clear();

private:
    TListOddilu m_sections;
    TListSkupin m_groups;
    TListFunkci m_functions;
    ReportOptions m_settings;
    QString m_description = QStringLiteral("Tisková úloha RASTEL");
    PageSetup m_page;
};
