#include "ModelDump.h"

#include "report/core/sestavy.h"
#include "report/core/sestcolors.h"
#include "report/core/sestpage.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
QString colour(const QColor &c)
{
    return c.name();
}

void dumpInto(const TSestavaTyp &report, const QString &indent, QStringList &out)
{
    const TSestNastaveni &s = report.settings();
    out << indent + u"popis=%1 version=%2.%3.%4 columns=%5 gap=%6 stored=%7"_s.arg(report.popis())
                        .arg(s.version[0])
                        .arg(s.version[1])
                        .arg(s.version[2])
                        .arg(s.printColumns)
                        .arg(s.columnGap)
                        .arg(s.storedValue);
    out << indent + u"grid type=%1 x=%2 y=%3 spacing=%4 pitch=%5 show=%6 snap=%7"_s.arg(s.gridType)
                        .arg(s.gridX)
                        .arg(s.gridY)
                        .arg(s.lineSpacing)
                        .arg(s.pitch)
                        .arg(s.showGrid)
                        .arg(s.snapToGrid);
    out << indent + u"background own=%1 print=%2 partial=%3 rect=%4,%5,%6,%7 file=%8"_s.arg(s.ownBackground)
                        .arg(s.printBackground)
                        .arg(s.partialPlacement)
                        .arg(s.backgroundLeft)
                        .arg(s.backgroundTop)
                        .arg(s.backgroundWidth)
                        .arg(s.backgroundHeight)
                        .arg(s.backgroundFile);
    out << indent + u"switches body=%1 afterRH=%2 beforeRF=%3 rfAtPF=%4 noPH1=%5 noPFlast=%6"_s.arg(s.newBodyOnNewPage)
                        .arg(s.breakAfterReportHeader)
                        .arg(s.breakBeforeReportFooter)
                        .arg(s.reportFooterAtPageFooter)
                        .arg(s.noPageHeaderOnFirstPage)
                        .arg(s.noPageFooterOnLastPage);
    for (int g = 0; g < report.groups().count(); ++g) {
        const TPolSkup &group = report.groups().at(g);
        out << indent + u"group %1 '%2' number=%3 field=%4 name=%5 newPage=%6 header=%7 footer=%8"_s.arg(g)
                            .arg(report.groups().name(g))
                            .arg(group.number)
                            .arg(group.fieldIndex)
                            .arg(group.fieldName)
                            .arg(group.newPage)
                            .arg(group.header->id)
                            .arg(group.footer->id);
    }
    for (int i = 0; i < report.functions().count(); ++i) {
        const TRadekFunkce &f = report.functions().at(i);
        out << indent + u"function %1 name=%2 desc=[%3] type=%4 init=[%5] reset=%6 expr=[%7] agg=%8 prec=%9 "
                        u"digits=%10 format=%11"_s.arg(i)
                            .arg(f.name, f.description)
                            .arg(f.resultType)
                            .arg(f.initialValue)
                            .arg(f.resetPoint)
                            .arg(f.expression)
                            .arg(f.aggregateKind)
                            .arg(f.precision)
                            .arg(f.digits)
                            .arg(f.format);
    }
    for (int i = 0; i < report.sections().count(); ++i) {
        const TOddilSestavy &section = report.sections().at(i);
        out << indent + u"section %1 id=%2 visible=%3 height=%4 stored=%5 columns=%6 gap=%7"_s.arg(i)
                            .arg(section.id)
                            .arg(section.visible)
                            .arg(section.height)
                            .arg(section.stored)
                            .arg(section.columns)
                            .arg(section.columnGap);
        for (int e = 0; e < section.count(); ++e) {
            const TRastelReportElement &el = section.at(e);
            out << indent + u"  element kind=%1 ref=%2 refName=%3 box=%4,%5,%6,%7"_s.arg(el.kind)
                                .arg(el.reference)
                                .arg(el.referenceName)
                                .arg(el.left)
                                .arg(el.top)
                                .arg(el.width)
                                .arg(el.height);
            out << indent + u"    font=%1/%2/%3/%4/%5 align=%6 flags=%7 options=%8"_s.arg(el.font.name)
                                .arg(el.font.size)
                                .arg(colour(el.font.colour))
                                .arg(el.font.style)
                                .arg(el.font.charset)
                                .arg(el.alignment())
                                .arg(el.textFlags)
                                .arg(el.optionFlags);
            out << indent +
                       u"    pen=%1/%2/%3 fill=%4/%5 spacing=%6 angle=%7 extra=%8 text=[%9]"_s.arg(colour(el.penColour))
                           .arg(el.penStyle)
                           .arg(el.penWidth)
                           .arg(colour(el.fillColour))
                           .arg(el.fillStyle)
                           .arg(el.spacing)
                           .arg(el.angle)
                           .arg(el.extra)
                           .arg(el.text);
        }
    }
    for (size_t d = 0; d < report.details().size(); ++d) {
        out << indent + u"detail %1"_s.arg(d);
        dumpInto(*report.details()[d], indent + u"    "_s, out);
    }
}
} // namespace

QString dumpModel(const TSestavaTyp &report)
{
    QStringList out;
    const TPageSetup &p = pageSetup();
    out << u"page %1x%2 orientation=%3 allow=%4 margins=%5,%6,%7,%8"_s.arg(p.paperWidth)
               .arg(p.paperHeight)
               .arg(p.orientation)
               .arg(p.allowOrientationChange)
               .arg(p.leftMargin)
               .arg(p.rightMargin)
               .arg(p.topMargin)
               .arg(p.bottomMargin);
    dumpInto(report, QString(), out);
    return out.join(u'\n');
}
