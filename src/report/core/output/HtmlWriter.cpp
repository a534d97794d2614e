#include "report/core/output/HtmlWriter.h"

#include "report/core/layout/ReportOutput.h"
#include "report/core/layout/TextFlow.h"
#include "report/core/model/ReportElement.h"
#include "report/core/model/ReportResult.h"
#include "report/core/model/ReportSections.h"
#include "report/core/output/OutputFiles.h"
#include "report/core/output/PageImage.h"
#include "report/core/output/TextExport.h"

#include <QFileInfo>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace OutputHtml {

namespace {

QByteArray number(int n)
{
    return QByteArray::number(n);
}

QByteArray colour(const QColor &c)
{
    return QString::asprintf("#%2.2x%2.2x%2.2x", c.red(), c.green(), c.blue()).toLatin1();
}

QByteArray box(int top, int left, int width, int height)
{
    return "position: absolute; top: " + number(top) + "px; left: " + number(left) + "px; width: " + number(width) +
           "px; height: " + number(height) + "px;";
}

QByteArray frameBorders(int flags)
{
    QByteArray out;
    if (flags & TRastelReportElement::FrameTop)
        out += " border-top: 1px solid #000000;";
    if (flags & TRastelReportElement::FrameRight)
        out += " border-right: 1px solid #000000;";
    if (flags & TRastelReportElement::FrameBottom)
        out += " border-bottom: 1px solid #000000;";
    if (flags & TRastelReportElement::FrameLeft)
        out += " border-Left: 1px solid #000000;";
    return out;
}

QByteArray penBorders(int flags, const ItemStyle &style)
{
    const int s = style.penStyle;
    const char *kind = (s == 1 || s == 3) ? "dashed" : ((s == 2 || s == 4) ? "dotted" : "solid");
    const QByteArray tail = ": " + number(style.penWidth) + "px " + kind + ' ' + colour(style.penColour) + ';';
    QByteArray out;
    if (flags & 0x02)
        out += " border-top" + tail;
    if (flags & 0x04)
        out += " border-right" + tail;
    if (flags & 0x08)
        out += " border-bottom" + tail;
    if (flags & 0x01)
        out += " border-Left" + tail;
    return out;
}

// The DIV of one line of text; `content` is already escaped.
QByteArray textDiv(const ItemStyle &style, int top, int left, int width, int height, int frame,
                   const QByteArray &content)
{
    QByteArray out = "<DIV STYLE=\"" + box(top, left, width, height) + frameBorders(frame);
    if (style.spacing > 0)
        out += " letter-spacing: " + number(style.spacing - style.font.size * 11 / 16) + "px;";
    out += " font: " + number(style.font.size) + "pt " + escapeHtml(style.font.name) +
           "; color: " + colour(style.font.colour) + "\">";
    // The host's paragraph for the alignment, without the margin a browser
    // gives a paragraph: with it the text falls one line below its box.
    if (style.alignment == TRastelReportElement::AlignRight)
        out += "<p align=\"right\" style=\"margin: 0\">";
    else if (style.alignment == TRastelReportElement::AlignCenter)
        out += "<p align=\"center\" style=\"margin: 0\">";
    const int s = style.font.style;
    if (s & FontDef::Bold)
        out += "<b>";
    if (s & FontDef::Underline)
        out += "<u>";
    if (s & FontDef::Italic)
        out += "<i>";
    if (s & FontDef::StrikeOut)
        out += "<strike>";
    out += content;
    if (s & FontDef::StrikeOut)
        out += "</strike>";
    if (s & FontDef::Italic)
        out += "</i>";
    if (s & FontDef::Underline)
        out += "</u>";
    if (s & FontDef::Bold)
        out += "</b>";
    return out + "</DIV>\n";
}

// A wrapped line: a blank after a non-blank character kept, other blanks and
// control characters as non-breaking spaces.
QByteArray wrappedLine(const QString &line)
{
    QByteArray out;
    bool afterText = false;
    for (const QChar c : line) {
        if (c == u' ' && afterText) {
            out += ' ';
            afterText = false;
        } else if (c.unicode() <= 0x20) {
            out += "&nbsp;";
            afterText = false;
        } else {
            out += escapeHtml(QString(c));
            afterText = true;
        }
    }
    return out;
}

} // namespace

QString replaceExtension(const QString &file, const QString &suffix)
{
    const QFileInfo info(file);
    const QString base = info.completeSuffix().isEmpty() ? file : file.left(file.size() - info.suffix().size() - 1);
    return base + suffix;
}

QByteArray escapeHtml(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'&':
            out += "&amp;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        default:
            break;
        }
        const int code = OutputText::cp1250Code(c);
        if (code >= 0)
            out += char(code);
        else
            out += "&#" + number(c.unicode()) + ';';
    }
    return out;
}

bool exportPage(const TSestVystup &output, int pageIndex, const QString &pictureFile, QByteArray &html,
                const QString &pictureSuffix, OutputFileSet *pictures)
{
    // The texts are Windows-1250 bytes: the page says so before anything else.
    html = "<HTML> <HEAD> <META CHARSET=\"windows-1250\"> <TITLE> </TITLE>\n"
           "<META NAME=\"Creator\" CONTENT=\"RastelReportGenerator\">\n"
           "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n";
    bool ok = true;
    if (pageIndex >= 0 && pageIndex < output.pageCount()) {
        int number = 0;
        for (const TVystPrvek &item : output.pages.at(size_t(pageIndex)).items()) {
            ++number;
            if (!item.style)
                continue;
            const ItemStyle &style = *item.style;
            const int kind = item.kind();
            if (ElementKind::isText(kind) && item.picture.isNull()) {
                if (item.hasLines()) {
                    double offset = 0;
                    for (int l = item.firstLine; l <= item.lastLine && l < item.lines->count(); ++l) {
                        const double h = item.lines->lines.at(size_t(l)).height;
                        html += textDiv(style, item.top + int(std::lround(offset)), item.left, item.width,
                                        int(std::lround(h)), 0, wrappedLine(item.lines->line(l)));
                        offset += h;
                    }
                    if (style.optionFlags & 0x0F)
                        html += "<DIV STYLE=\"" + box(item.top, item.left, item.width, item.height) +
                                frameBorders(style.optionFlags) + " font: 0pt\"></DIV>\n";
                } else {
                    const TextFlow flow(style.font, style.spacing);
                    const QString shown = item.text.left(flow.firstLineLength(item.text, item.width));
                    html += textDiv(style, item.top, item.left, item.width, item.height, style.optionFlags,
                                    escapeHtml(shown));
                }
            } else if (kind == ElementKind::Line) {
                html += "<DIV STYLE=\"font: 0pt; " + box(item.top, item.left, item.width, item.height) +
                        penBorders(style.optionFlags, style) + "\"></DIV>\n";
            } else if (kind >= ElementKind::Rectangle && kind <= ElementKind::Ellipse) {
                html += "<DIV STYLE=\"font: 0pt; background-color: " + colour(style.fillColour) + "; " +
                        box(item.top, item.left, item.width, item.height) +
                        (style.penWidth > 0 ? penBorders(0x0F, style) : QByteArray()) + "\"></DIV>\n";
            } else if (pictures) {
                const double scale = OutputPageImage::ImageScale;
                QImage image(std::max(1, int(item.width * scale)), std::max(1, int(item.height * scale)),
                             QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    painter.scale(scale, scale);
                    painter.translate(-item.left, -item.top);
                    OutputPageImage::paintItem(painter, item, scale);
                }
                const QString file = replaceExtension(pictureFile, QString::number(number) + pictureSuffix + u".bmp"_s);
                if (pictures->write(
                        file, [&](QIODevice &out) { return image.save(&out, "BMP") ? seOK : seOutputWrite; }) != seOK)
                    ok = false;
                html += "<DIV STYLE=\"font: 0pt; " + box(item.top, item.left, item.width, item.height) +
                        frameBorders(style.optionFlags) + "\"><IMG SRC=\"" + escapeHtml(QFileInfo(file).fileName()) +
                        "\" ALT=\"\"></DIV>\n";
            }
        }
    }
    html += "</PRE></BODY> </HTML>\n";
    return ok;
}

namespace {

// The page's HTML file and its pictures, into the files of the export.
int writePage(const TSestVystup &output, int pageIndex, const QString &file, const QString &pictureFile,
              const QString &pictureSuffix, OutputFileSet &files)
{
    QByteArray html;
    if (!exportPage(output, pageIndex, pictureFile, html, pictureSuffix, &files))
        return seOutputWrite;
    return files.write(file, [&](QIODevice &out) { return writeBytes(out, html); });
}

} // namespace

int exportPageFile(const TSestVystup &output, int page, const QString &file)
{
    OutputFileSet files;
    const int result = writePage(output, page - 1, file, file, QString(), files);
    return result == seOK ? files.commit() : result;
}

int exportAll(const TSestVystup &output, const QString &file)
{
    const int first = std::max(output.firstPage, 1);
    const int last = std::min(output.lastPage, output.pageCount());
    if (first > last)
        return seDataOrNothing;
    OutputFileSet files;
    for (int p = first; p <= last; ++p) {
        const int result = writePage(output, p - 1, replaceExtension(file, QString::number(p) + u".html"_s), file,
                                     QString::number(p) + u'_', files);
        if (result != seOK)
            return result;
    }
    return files.commit();
}

} // namespace OutputHtml
