// tarnek-demo: builds the demo company (DemoCompany.h) in a directory and
// prints the command line Ledra would start Tarnek with.
//
//   tarnek-demo DIR                 builds, then prints the arguments on one line
//   tarnek-demo --print-args DIR    builds, then prints one argument per line

#include "common/DayNumber.h"
#include "common/FileSizeLimit.h"
#include "demo/DemoCompany.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    DayNumber::cacheLocalTimeZone();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool onePerLine = arguments.removeAll(u"--print-args"_s) > 0;
    if (arguments.size() != 1 || arguments.first().startsWith(u"--"_s)) {
        err << "usage: tarnek-demo [--print-args] DIR" << Qt::endl;
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const DemoCompany::Result result = DemoCompany::build(arguments.first());
    if (!result.ok) {
        err << "tarnek-demo: " << result.error << Qt::endl;
        return 1;
    }
    err << "demo company built in " << arguments.first() << " (" << timer.elapsed() << " ms)" << Qt::endl;
    if (onePerLine) {
        for (const QString &argument : result.commandLine)
            out << argument << '\n';
    } else {
        QStringList quoted;
        for (const QString &argument : result.commandLine)
            quoted.append(u'\'' + QString(argument).replace(u"'"_s, u"'\\''"_s) + u'\'');
        out << quoted.join(u' ') << '\n';
    }
    return 0;
}
