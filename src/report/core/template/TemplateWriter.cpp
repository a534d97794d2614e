// The template writer: the report model becomes the template's lines, in
// the order the reader expects them.

#include "report/core/template/TemplateWriter.h"

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/model/ReportModel.h"
#include "report/core/template/ReportColors.h"
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

// The directory part of a picture file is not written: pictures are looked
// for in the report's picture directory.
QString withoutDirectory(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

} // namespace

QString TemplateWriter::flag(bool value)
{
    return value ? u"1"_s : u"0"_s;
}

QString TemplateWriter::elementRecord(const TRastelReportElement &e, const QString &sectionTag)
{
    QStringList f;
    f << sectionTag << number(e.kind);
    if (ElementKind::isText(e.kind) && !e.referenceName.isEmpty())
        f << TemplateText::bare(e.referenceName);
    else
        f << number(e.reference);
    f << number(e.left) << number(e.top) << number(e.width) << number(e.height);
    if (ElementKind::isText(e.kind)) {
        f << TemplateText::bare(e.font.name) << number(e.font.size) << number(ReportColors::toIndex(e.font.colour))
          << number(e.font.style) << number(e.alignmentValue | e.textFlags) << number(e.optionFlags)
          << number(e.font.charset) << TemplateText::quoted(e.text) << number(e.spacing) << number(e.angle)
          << number(e.extra);
    } else if (ElementKind::isGraphic(e.kind)) {
        f << QString() << number(e.penWidth) << number(ReportColors::toIndex(e.penColour)) << number(e.penStyle)
          << number(e.optionFlags) << number(ReportColors::toIndex(e.fillColour)) << number(e.fillStyle);
        if (e.kind == ElementKind::Picture)
            f << TemplateText::quoted(withoutDirectory(e.text));
        // A barcode's text is an expression, not a file: it is written whole
        // (cutting it at a "/" or "\" would change what the barcode encodes).
        if (e.kind == ElementKind::Barcode)
            f << TemplateText::quoted(e.text) << number(e.spacing) << number(e.angle) << number(e.extra);
    }
    return f.join(u',');
}

TPredloha TemplateWriter::write(const ReportModel &model, const PageSetup &page,
                                const QList<TPredloha> &detailTemplates)
{
    TPredloha out;
    const ReportOptions &s = model.settings();
    const TListOddilu &sections = model.sections();
    const TListSkupin &groups = model.groups();
    const TListFunkci &functions = model.functions();

    out << u"I,0,"_s + TemplateText::quoted(model.description());
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
        const TOddilSestavy &section = *sections.find(id);
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
    for (int g = 0; g < groups.count(); ++g) {
        const TPolSkup &group = groups.at(g);
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
    for (int i = 0; i < functions.count(); ++i) {
        const TRadekFunkce &fn = functions.at(i);
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
    for (int g = 0; g < groups.count(); ++g)
        order << TOddilSestavy::groupHeaderId(g) << TOddilSestavy::groupFooterId(g);
    for (int id : order) {
        const TOddilSestavy &section = *sections.find(id);
        const QString tag = sectionTag(id);
        for (int e = 0; e < section.count(); ++e)
            out << elementRecord(section.at(e), tag);
    }

    for (qsizetype n = 0; n < detailTemplates.size(); ++n) {
        const QString prefix = kDetailTag + QString::number(n) + u',';
        for (const QString &line : detailTemplates.at(n))
            out << prefix + line;
    }
    return out;
}
