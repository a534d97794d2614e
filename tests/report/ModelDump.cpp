#include "ModelDump.h"

#include "support/TestSupport.h"

#include "report/core/Report.h"
#include "report/core/model/PageSetup.h"
#include "report/core/template/ReportColors.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
QString colour(const QColor &c)
{
    return c.name();
}

QString n(int value)
{
    return QString::number(value);
}

// Every line is filled in one pass: a value that itself contains "%1"
// (expressions name system variables so) is never taken for a placeholder.
void dumpInto(const TSestavaTyp &report, const QString &indent, QStringList &out)
{
    const ReportOptions &s = report.settings();
    out << indent + u"popis=%1 version=%2.%3.%4 columns=%5 gap=%6 stored=%7"_s.arg(
                        report.popis(), n(s.version[0]), n(s.version[1]), n(s.version[2]), n(s.printColumns),
                        n(s.columnGap), n(s.storedValue));
    out << indent +
               u"grid type=%1 x=%2 y=%3 spacing=%4 pitch=%5 show=%6 snap=%7"_s.arg(
                   n(s.gridType), n(s.gridX), n(s.gridY), n(s.lineSpacing), n(s.pitch), n(s.showGrid), n(s.snapToGrid));
    out << indent + u"background own=%1 print=%2 partial=%3 rect=%4,%5,%6,%7 file=%8"_s.arg(
                        n(s.ownBackground), n(s.printBackground), n(s.partialPlacement), n(s.backgroundLeft),
                        n(s.backgroundTop), n(s.backgroundWidth), n(s.backgroundHeight), s.backgroundFile);
    out << indent + u"switches body=%1 afterRH=%2 beforeRF=%3 rfAtPF=%4 noPH1=%5 noPFlast=%6"_s.arg(
                        n(s.newBodyOnNewPage), n(s.breakAfterReportHeader), n(s.breakBeforeReportFooter),
                        n(s.reportFooterAtPageFooter), n(s.noPageHeaderOnFirstPage), n(s.noPageFooterOnLastPage));
    for (int g = 0; g < report.groups().count(); ++g) {
        const TPolSkup &group = report.groups().at(g);
        out << indent + u"group %1 '%2' number=%3 field=%4 name=%5 newPage=%6 header=%7 footer=%8"_s.arg(
                            n(g), report.groups().name(g), n(group.number), n(group.fieldIndex), group.fieldName,
                            n(group.newPage), n(group.header->id), n(group.footer->id));
    }
    for (int i = 0; i < report.functions().count(); ++i) {
        const TRadekFunkce &f = report.functions().at(i);
        out << indent + u"function %1 name=%2 desc=[%3] type=%4 init=[%5] reset=%6 expr=[%7] agg=%8 prec=%9 "
                        u"digits=%10 format=%11"_s.arg(n(i), f.name, f.description, n(f.resultType), f.initialValue,
                                                       n(f.resetPoint), f.expression, n(f.aggregateKind),
                                                       n(f.precision), n(f.digits), n(f.format));
    }
    for (int i = 0; i < report.sections().count(); ++i) {
        const TOddilSestavy &section = report.sections().at(i);
        out << indent + u"section %1 id=%2 visible=%3 height=%4 stored=%5 columns=%6 gap=%7"_s.arg(
                            n(i), n(section.id), n(section.visible), n(section.height), n(section.stored),
                            n(section.columns), n(section.columnGap));
        for (int e = 0; e < section.count(); ++e) {
            const TRastelReportElement &el = section.at(e);
            out << indent + u"  element kind=%1 ref=%2 refName=%3 box=%4,%5,%6,%7"_s.arg(
                                n(el.kind), n(el.reference), el.referenceName, n(el.left), n(el.top), n(el.width),
                                n(el.height));
            out << indent + u"    font=%1/%2/%3/%4/%5 align=%6 flags=%7 options=%8"_s.arg(
                                el.font.name, n(el.font.size), colour(el.font.colour), n(el.font.style),
                                n(el.font.charset), n(el.alignment()), n(el.textFlags), n(el.optionFlags));
            out << indent + u"    pen=%1/%2/%3 fill=%4/%5 spacing=%6 angle=%7 extra=%8 text=[%9]"_s.arg(
                                colour(el.penColour), n(el.penStyle), n(el.penWidth), colour(el.fillColour),
                                n(el.fillStyle), n(el.spacing), n(el.angle), n(el.extra), el.text);
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
    const PageSetup &p = pageSetup();
    out << u"page %1x%2 orientation=%3 allow=%4 margins=%5,%6,%7,%8"_s.arg(
        n(p.paperWidth), n(p.paperHeight), n(p.orientation), n(p.allowOrientationChange), n(p.leftMargin),
        n(p.rightMargin), n(p.topMargin), n(p.bottomMargin));
    dumpInto(report, QString(), out);
    return out.join(u'\n');
}

void expectGoldenDump(const QString &dump, const QString &name)
{
    const QString path = TestSupport::dataPath(name);
    QFile file(path);
    if (qEnvironmentVariableIntValue("TARNEK_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(dump.toUtf8() + '\n');
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no golden dump " << path.toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).chopped(1).split(u'\n');
    const QStringList actual = dump.split(u'\n');
    for (qsizetype i = 0; i < qMin(expected.size(), actual.size()); ++i) {
        if (expected.at(i) != actual.at(i)) {
            ADD_FAILURE() << name.toStdString() << " line " << i + 1 << "\n  expected: " << expected.at(i).toStdString()
                          << "\n  actual:   " << actual.at(i).toStdString();
            return;
        }
    }
    EXPECT_EQ(actual.size(), expected.size()) << name.toStdString() << ": the dump has another number of lines";
}
