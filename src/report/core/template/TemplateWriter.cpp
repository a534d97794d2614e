// The template writer of TSestavaTyp: the report model becomes the
// template's lines, in the order the reader expects them.

#include "report/core/template/TemplateWriter.h"

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/TemplateFields.h"
#include "report/core/template/TemplateReader.h"

using namespace Qt::StringLiterals;
using namespace TemplateReader;
using TemplateWriter::flag;

namespace {

QString number(int value)
{
    return QString::number(value);
}

} // namespace

QString TemplateWriter::flag(bool value)
{
    return value ? u"1"_s : u"0"_s;
}

QString TSestavaTyp::writeElement(const TRastelReportElement &element, const QString &tag)
{
    return element.writeRecord(tag);
}

TPredloha TSestavaTyp::writeTemplate() const
{
    TPredloha out;
    const ReportOptions &s = m_settings;
    const PageSetup &page = pageSetup();

    out << u"I,0,"_s + TemplateText::quoted(m_popis);
    out << u"I,1,6,40,27"_s;
    out << QStringList{u"I,2"_s,
                       number(page.orientationCode()),
                       number(page.paperWidth),
                       number(page.paperHeight),
                       number(page.leftMargin),
                       number(page.rightMargin),
                       number(page.topMargin),
                       number(page.bottomMargin),
                       number(s.printColumns),
                       number(s.columnGap)}
               .join(u',');
    for (int id = 0; id < TOddilSestavy::FixedCount; ++id) {
        const TOddilSestavy &section = *m_sections.find(id);
        int switches = 0;
        switch (id) {
        case TOddilSestavy::ReportHeader:
            switches = s.breakAfterReportHeader ? 1 : 0;
            break;
        case TOddilSestavy::PageHeader:
            switches = s.noPageHeaderOnFirstPage ? 1 : 0;
            break;
        case TOddilSestavy::Body:
            switches = s.newBodyOnNewPage ? 1 : 0;
            break;
        case TOddilSestavy::ReportFooter:
            switches = (s.breakBeforeReportFooter ? 1 : 0) | (s.reportFooterAtPageFooter ? 2 : 0);
            break;
        case TOddilSestavy::PageFooter:
            switches = s.noPageFooterOnLastPage ? 1 : 0;
            break;
        }
        out << QStringList{u"I,3"_s, number(id), flag(section.visible), number(section.height), number(switches)}.join(
            u',');
    }
    for (int g = 0; g < m_groups.count(); ++g) {
        const TPolSkup &group = m_groups.at(g);
        const QString field =
            group.fieldName.isEmpty() ? number(group.fieldIndex) : TemplateText::bare(group.fieldName);
        out << QStringList{u"I,4"_s,
                           number(g),
                           field,
                           flag(group.header->visible),
                           number(group.header->height),
                           flag(group.footer->visible),
                           number(group.footer->height),
                           flag(group.newPage)}
                   .join(u',');
    }
    out << u"I,5,"_s + number(s.storedValue);
    out << QStringList{u"I,6"_s,        number(s.gridType), number(s.gridX),   number(s.gridY), number(s.lineSpacing),
                       number(s.pitch), flag(s.showGrid),   flag(s.snapToGrid)}
               .join(u',');
    out << QStringList{u"I,7"_s,
                       flag(s.ownBackground),
                       flag(s.printBackground),
                       flag(s.partialPlacement),
                       number(s.backgroundLeft),
                       number(s.backgroundTop),
                       number(s.backgroundWidth),
                       number(s.backgroundHeight),
                       TemplateText::bare(s.backgroundFile)}
               .join(u',');

    // The description and the initial value are quoted like every other
    // text, inner quotes doubled, so that they read back as written.
    for (int i = 0; i < m_functions.count(); ++i) {
        const TRadekFunkce &fn = m_functions.at(i);
        out << QStringList{u"F"_s,
                           number(i),
                           TemplateText::bare(fn.name),
                           TemplateText::quoted(fn.description),
                           number(fn.resultType),
                           TemplateText::quoted(fn.initialValue),
                           number(fn.resetPoint),
                           TemplateText::quoted(fn.expression),
                           number(fn.aggregateKind),
                           number(fn.precision),
                           number(fn.digits),
                           number(fn.format)}
                   .join(u',');
    }

    QList<int> order{TOddilSestavy::ReportHeader, TOddilSestavy::PageHeader, TOddilSestavy::Body,
                     TOddilSestavy::ReportFooter, TOddilSestavy::PageFooter};
    for (int g = 0; g < m_groups.count(); ++g)
        order << TOddilSestavy::groupHeaderId(g) << TOddilSestavy::groupFooterId(g);
    for (int id : order) {
        const TOddilSestavy &section = *m_sections.find(id);
        const QString tag = sectionTag(id);
        for (int e = 0; e < section.count(); ++e)
            out << section.at(e).writeRecord(tag);
    }

    for (size_t n = 0; n < m_details.size(); ++n) {
        const QString prefix = kDetailTag + QString::number(n) + u',';
        for (const QString &line : m_details[n]->writeTemplate())
            out << prefix + line;
    }
    return out;
}
