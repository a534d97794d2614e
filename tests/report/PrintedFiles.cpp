#include "PrintedFiles.h"

#include "report/core/sestprn.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

bool hasTool(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &file)
{
    const QRegularExpressionMatch m = QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
                                          .match(runTool(u"pdfinfo"_s, {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int cupsQueue(const TPrinterList &list, bool textOnly)
{
    const QStringList names = list.names();
    for (int i = 0; i < names.size(); ++i) {
        if (TSestPrinter::isTextOnlyDriver(list.driverName(i)) == textOnly)
            return i;
    }
    return -1;
}
