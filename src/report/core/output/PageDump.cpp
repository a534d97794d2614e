#include "report/core/output/PageDump.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/model/ReportElement.h"

using namespace Qt::StringLiterals;

namespace {
QString quoted(const QString &text)
{
    QString result;
    result.reserve(text.size() + 2);
    result += u'"';
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            result += u'\\';
        if (c == u'\n')
            result += u"\\n"_s;
        else if (c == u'\r')
            result += u"\\r"_s;
        else if (c == u'\t')
            result += u"\\t"_s;
        else
            result += c;
    }
    result += u'"';
    return result;
}
} // namespace

QString dumpOutput(const TSestVystup &output)
{
    QString out;
    out += u"pages %1\n"_s.arg(output.pageCount());
    for (int p = 0; p < output.pageCount(); ++p) {
        const TStranaPrvku &page = output.pages.at(size_t(p));
        out += u"page %1 (%2 items)\n"_s.arg(p + 1).arg(page.count());
        for (const TVystPrvek &item : page.items()) {
            out += u"  #%1 kind %2 section %3 at %4,%5 size %6x%7"_s.arg(item.order)
                       .arg(item.kind())
                       .arg(item.sectionId)
                       .arg(item.left)
                       .arg(item.top)
                       .arg(item.width)
                       .arg(item.height);
            if (item.hasLines()) {
                if (item.lastLine < item.firstLine)
                    out += u" no lines of %1"_s.arg(item.lines->count());
                else
                    out += u" lines %1-%2 of %3"_s.arg(item.firstLine).arg(item.lastLine).arg(item.lines->count());
                QStringList shown;
                for (int l = item.firstLine; l <= item.lastLine; ++l)
                    shown << item.lines->line(l);
                out += u' ' + quoted(shown.join(u'|'));
            } else if (!item.text.isEmpty() || ElementKind::isText(item.kind())) {
                out += u' ' + quoted(item.text);
            }
            if (!item.pictureFile.isEmpty())
                out += u" file "_s + quoted(item.pictureFile);
            if (!item.picture.isNull())
                out += u" picture %1x%2"_s.arg(item.picture.width()).arg(item.picture.height());
            out += u'\n';
        }
    }
    return out;
}
