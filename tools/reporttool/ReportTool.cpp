#include "reporttool/ReportTool.h"

#include "common/FileNames.h"
#include "common/MemTable.h"
#include "common/UiSeam.h"
#include "report/core/Report.h"
#include "report/core/data/MemTableDataSet.h"
#include "report/core/layout/ReportLayout.h"
#include "report/core/output/HtmlWriter.h"
#include "report/core/output/MetafileWriter.h"
#include "report/core/output/OutputFiles.h"
#include "report/core/output/PageDump.h"
#include "report/core/output/PdfWriter.h"
#include "report/core/output/Printers.h"
#include "report/core/output/RtfDocument.h"
#include "report/core/output/TextExport.h"
#include "report/ui/printing/ReportPrinter.h"
#include "reporttool/CsvTable.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace ReportTool {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const QString kUsageText =
    u"usage:\n"
    "  tarnek-report render TEMPLATE.PTS (--data FILE.csv | --table DIR/NAME)\n"
    "                [--data NAME=FILE.csv]... [--encoding utf-8|windows-1250] [--param N=VALUE]...\n"
    "                [--format dump|txt|rtf|html|pdf|emf|wmf] [-o OUT] [--print PRINTER [-o FILE]]\n"
    "  tarnek-report preview TEMPLATE.PTS (--data FILE.csv | --table DIR/NAME)\n"
    "                [--data NAME=FILE.csv]... [--encoding utf-8|windows-1250] [--param N=VALUE]...\n"
    "  tarnek-report design TEMPLATE.PTS (--data FILE.csv | --table DIR/NAME)\n"
    "                [--data NAME=FILE.csv]... [--encoding utf-8|windows-1250] [--param N=VALUE]...\n"_s;

// The report's message boxes on the error stream; questions are answered No.
class StreamUi final : public UiSeam
{
public:
    explicit StreamUi(QTextStream &err) : m_err(err) {}

    MessageAnswer message(MessageKind, const QString &text, MessageButtons buttons, const QString &caption) override
    {
        QString shown = text;
        shown.replace(u'\r', u'\n');
        m_err << (caption.isEmpty() ? QString() : caption + u": "_s) << shown << Qt::endl;
        return buttons == MessageButtons::Ok
                   ? MessageAnswer::Ok
                   : (buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel : MessageAnswer::No);
    }
    QString openFileName(const FileDialogRequest &) override { return QString(); }
    QString saveFileName(const FileDialogRequest &) override { return QString(); }
    int execModal(QDialog &) override { return 0; }
    void openDocument(const QString &) override {}
    void processEvents() override {}
    void setClipboardText(const QString &) override {}
    QString clipboardText() override { return QString(); }

private:
    QTextStream &m_err;
};

// Installs a seam for the run and puts the previous one back.
class SeamScope
{
public:
    explicit SeamScope(UiSeam *seam) : m_previous(UiSeam::installed()) { UiSeam::setCurrent(seam); }
    ~SeamScope() { UiSeam::setCurrent(m_previous); }

private:
    UiSeam *m_previous;
};

// One report's data: the table and its data source.
struct Data
{
    MemTable table;
    MemTableDataSet dataSet{&table};
    ReportDataSource source{&dataSet};
};

struct Options
{
    QString templatePath;
    QString mainCsv;
    QString hostTable;
    QList<std::pair<QString, QString>> details; // name, CSV
    QList<std::pair<int, QString>> parameters;
    Csv::Encoding encoding = Csv::Encoding::Utf8; // of every CSV file
    QString format = u"dump"_s;
    bool formatGiven = false;
    QString printer; // --print: the printer's name
    QString output = u"-"_s;
    QString error;
};

Options parseOptions(const QStringList &arguments)
{
    Options o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        const bool takesValue = a == u"--data"_s || a == u"--table"_s || a == u"--param"_s || a == u"--format"_s ||
                                a == u"--print"_s || a == u"--encoding"_s || a == u"-o"_s;
        if (!takesValue) {
            if (a.startsWith(u'-') && a != u"-"_s) {
                o.error = u"unknown option "_s + a;
                return o;
            }
            if (!o.templatePath.isEmpty()) {
                o.error = u"more than one template: "_s + a;
                return o;
            }
            o.templatePath = a;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            o.error = a + u" needs a value"_s;
            return o;
        }
        const QString &value = arguments.at(++i);
        if (a == u"--data"_s) {
            const qsizetype eq = value.indexOf(u'=');
            if (eq > 0)
                o.details.append({value.left(eq), value.mid(eq + 1)});
            else if (o.mainCsv.isEmpty())
                o.mainCsv = value;
            else
                o.error = u"a second --data without NAME=: "_s + value;
        } else if (a == u"--table"_s) {
            o.hostTable = value;
        } else if (a == u"--param"_s) {
            const qsizetype eq = value.indexOf(u'=');
            bool ok = false;
            const int n = eq > 0 ? value.left(eq).toInt(&ok) : -1;
            if (!ok || n < 0 || n > 999)
                o.error = u"--param needs N=VALUE with N from 0: "_s + value;
            else
                o.parameters.append({n, value.mid(eq + 1)});
        } else if (a == u"--format"_s) {
            o.format = value;
            o.formatGiven = true;
        } else if (a == u"--print"_s) {
            o.printer = value;
        } else if (a == u"--encoding"_s) {
            const std::optional<Csv::Encoding> encoding = Csv::encodingFromName(value);
            if (encoding)
                o.encoding = *encoding;
            else
                o.error = u"unknown encoding "_s + value + u" (utf-8 or windows-1250)"_s;
        } else {
            o.output = value;
        }
        if (!o.error.isEmpty())
            return o;
    }
    if (o.templatePath.isEmpty())
        o.error = u"no template given"_s;
    else if (o.mainCsv.isEmpty() == o.hostTable.isEmpty())
        o.error = u"give the report's data with either --data FILE.csv or --table DIR/NAME"_s;
    else if (!QStringList{u"dump"_s, u"txt"_s, u"rtf"_s, u"html"_s, u"pdf"_s, u"emf"_s, u"wmf"_s}.contains(o.format))
        o.error = u"unknown format "_s + o.format + u" (dump, txt, rtf, html, pdf, emf or wmf)"_s;
    else if (!o.printer.isEmpty() && o.formatGiven)
        o.error = u"--print and --format exclude each other"_s;
    else if ((o.format == u"pdf"_s || o.format == u"emf"_s || o.format == u"wmf"_s) && o.output == u"-"_s)
        o.error = u"--format "_s + o.format + u" needs -o FILE."_s + o.format;
    return o;
}

// The report over its data, as the options describe them.
struct Run
{
    Data main;
    std::vector<std::unique_ptr<Data>> detailData;
    TSestava report;
    std::vector<std::unique_ptr<TSestDetail>> details;
};

// Loads the data and sets the report up; false (after the message) when data cannot be read.
bool setUp(const Options &o, Run &run, QTextStream &err)
{
    QString error;
    const bool loaded = o.hostTable.isEmpty() ? CsvTable::loadCsv(o.mainCsv, run.main.table, error, o.encoding)
                                              : CsvTable::loadHostTable(o.hostTable, run.main.table, error);
    if (!loaded) {
        err << error << Qt::endl;
        return false;
    }
    for (const auto &[name, csv] : o.details) {
        run.detailData.push_back(std::make_unique<Data>());
        if (!CsvTable::loadCsv(csv, run.detailData.back()->table, error, o.encoding)) {
            err << error << Qt::endl;
            return false;
        }
    }
    TSestava &report = run.report;
    const QFileInfo info(o.templatePath);
    report.setReportDirIgnore(false);
    report.setReportDir(info.absolutePath());
    report.setReportName(info.fileName());
    report.setDataSource(&run.main.source);
    QStringList parameters;
    for (const auto &[n, value] : o.parameters) {
        while (parameters.size() <= n)
            parameters.append(QString());
        parameters[n] = value;
    }
    report.setParametry(parameters);
    for (size_t d = 0; d < run.detailData.size(); ++d) {
        run.details.push_back(std::make_unique<TSestDetail>());
        run.details.back()->setPopis(o.details.at(qsizetype(d)).first);
        run.details.back()->setDataSource(&run.detailData.at(d)->source);
        run.details.back()->setMasterSestava(&report);
    }
    return true;
}

// The preview window over the laid-out report, with the program's own
// message boxes (the seam in use).
int preview(const Options &o, QTextStream &err)
{
    Run run;
    if (!setUp(o, run, err))
        return kFailed;
    const int result = run.report.Preview();
    return result == seCancelled ? kOk : result;
}

// The template designer over the template, the data giving it its fields;
// saving writes the template file.
int design(const Options &o, QTextStream &err)
{
    Run run;
    if (!setUp(o, run, err))
        return kFailed;
    const int result = run.report.Design();
    return result == seCancelled ? kOk : result;
}

bool hasElements(const ReportModel &model)
{
    const TListOddilu &sections = model.sections();
    for (int i = 0; i < sections.count(); ++i) {
        if (sections.at(i).count() > 0)
            return true;
    }
    return false;
}

// The exit code of an export of one file per page: a range without pages
// writes no file at all, which is the report's "nothing to export".
int wroteFiles(int written, const QString &output, QTextStream &err, int result)
{
    if (written == seDataOrNothing) {
        err << "no page to write to " << output << Qt::endl;
        return seDataOrNothing;
    }
    if (written != seOK) {
        err << "cannot write the pages of " << output << Qt::endl;
        return kFailed;
    }
    return result;
}

int render(const Options &o, QTextStream &out, QTextStream &err, LayoutProgress *progress)
{
    StreamUi streamUi(err);
    SeamScope scope(&streamUi);
    Run run;
    if (!setUp(o, run, err))
        return kFailed;
    TSestava &report = run.report;
    // The pages are laid out for the printer they will be printed on.
    int printerIndex = -1;
    if (!o.printer.isEmpty()) {
        CurrentPrinter &printers = CurrentPrinter::current();
        printerIndex = int(printers.names().indexOf(o.printer));
        if (printerIndex < 0) {
            const QStringList names = printers.names();
            err << "no printer " << o.printer << " ("
                << (names.isEmpty() ? u"none is installed"_s : u"installed: "_s + names.join(u", "_s)) << ")"
                << Qt::endl;
            return kFailed;
        }
        printers.selectPrinter(printerIndex);
    }

    const int result = TSestavaTyp::runExclusive([&] { return ReportLayout::prepare(report, progress); });
    if (result != seOK && result != seCancelled)
        return result;
    // A template without records (an empty file, or bytes that hold none) is
    // a valid report of blank pages, as the host has it; the user hears why.
    if (!hasElements(report.model()))
        err << "předloha neobsahuje žádné prvky" << Qt::endl;

    if (printerIndex >= 0) {
        // -o names a file the job is printed to instead of the printer.
        PrintRun print;
        print.printerIndex = printerIndex;
        print.firstPage = report.startPage();
        print.lastPage = report.endPage();
        print.copies = report.printCopies();
        print.outputFile = o.output == u"-"_s ? QString() : o.output;
        const int printed = ReportPrinter::printOutput(report, print);
        return printed != seOK ? printed : result;
    }

    const TSestVystup &output = report.output();
    if (o.format == u"pdf"_s) {
        if (OutputPdf::exportPdf(output, o.output, report.popis(), false) != seOK) {
            err << "cannot write " << o.output << Qt::endl;
            return kFailed;
        }
        return result;
    }
    if (o.format == u"emf"_s || o.format == u"wmf"_s) {
        // One file per page: page n as the output name with n + ".emf"/".wmf" for its extension.
        const auto format = o.format == u"emf"_s ? OutputMetafile::Format::Emf : OutputMetafile::Format::Wmf;
        return wroteFiles(OutputMetafile::exportAll(output, o.output, format, false), o.output, err, result);
    }
    if (o.format == u"html"_s && o.output != u"-"_s) {
        // Page n goes to the output name with n + ".html" for its extension.
        return wroteFiles(OutputHtml::exportAll(output, o.output), o.output, err, result);
    }
    QByteArray bytes;
    if (o.format == u"txt"_s) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        OutputText::exportText(output, buffer, {report.settings().lineSpacing, {}});
    } else if (o.format == u"rtf"_s) {
        bytes = SestRtf::exportRtf(output);
    } else if (o.format == u"html"_s) {
        // On the standard output the pages follow one another.
        for (int p = std::max(output.firstPage, 1); p <= std::min(output.lastPage, output.pageCount()); ++p) {
            QByteArray page;
            OutputHtml::exportPage(output, p - 1, QString(), page);
            bytes += page;
        }
    } else {
        bytes = dumpOutput(output).toUtf8();
    }
    if (o.output == u"-"_s) {
        // The back-ends' bytes as they are (Windows-1250 for txt, rtf, html).
        if (o.format == u"dump"_s) {
            out << QString::fromUtf8(bytes);
        } else {
            out.flush();
            QFile stdOut;
            if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(bytes) != bytes.size()) {
                err << "cannot write the standard output" << Qt::endl;
                return kFailed;
            }
        }
    } else if (writeOutputFile(o.output, [&](QIODevice &file) { return writeBytes(file, bytes); }) != seOK) {
        err << "cannot write " << o.output << Qt::endl;
        return kFailed;
    }
    return result;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err, LayoutProgress *progress)
{
    const QString command = arguments.isEmpty() ? QString() : arguments.first();
    if (command != u"render"_s && command != u"preview"_s && command != u"design"_s) {
        err << kUsageText;
        return kUsage;
    }
    Options options = parseOptions(arguments.mid(1));
    if (options.error.isEmpty() && command != u"render"_s &&
        (arguments.contains(u"--format"_s) || arguments.contains(u"-o"_s) || arguments.contains(u"--print"_s)))
        options.error = command + u" writes no output: --format, -o and --print belong to render"_s;
    if (!options.error.isEmpty()) {
        err << options.error << '\n' << kUsageText;
        return kUsage;
    }
    if (command == u"design"_s)
        return design(options, err);
    return command == u"preview"_s ? preview(options, err) : render(options, out, err, progress);
}

} // namespace ReportTool
