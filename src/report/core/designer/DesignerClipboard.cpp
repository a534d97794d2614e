#include "report/core/designer/DesignerClipboard.h"

#include "report/core/Report.h"
#include "report/core/template/TemplateFields.h"
#include "report/core/template/TemplateWriter.h"

using namespace Qt::StringLiterals;

namespace DesignerClipboard {

QString write(const QList<const TRastelReportElement *> &elements, int focusIndex)
{
    QPoint anchor;
    const TRastelReportElement *first = nullptr;
    for (const TRastelReportElement *e : elements) {
        if (!first || e->top < first->top || (e->top == first->top && e->left < first->left))
            first = e;
    }
    if (first)
        anchor = QPoint(first->left, first->top);
    QStringList lines{kHeader, QString::number(anchor.x()), QString::number(anchor.y()),
                      QString::number(focusIndex >= 0 && focusIndex < elements.size() ? focusIndex : -1)};
    for (const TRastelReportElement *e : elements)
        lines << TemplateWriter::elementRecord(*e, kSectionTag);
    // CR LF like every text the system hands to other programs.
    return lines.join(u"\r\n"_s);
}

std::optional<Content> read(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (lines.size() < 4 || lines.first() != kHeader)
        return std::nullopt;
    Content content;
    int x = 0;
    int y = 0;
    int focus = -1;
    if (!TemplateFields::parseInt(lines.at(1), &x) || !TemplateFields::parseInt(lines.at(2), &y) ||
        !TemplateFields::parseInt(lines.at(3), &focus))
        return std::nullopt;
    content.anchor = QPoint(x, y);
    content.focusIndex = focus;
    for (qsizetype i = 4; i < lines.size(); ++i) {
        if (!lines.at(i).trimmed().isEmpty())
            content.records << lines.at(i);
    }
    return content;
}

} // namespace DesignerClipboard
