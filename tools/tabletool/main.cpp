// tarnek-table: create, list, dump and fill host tables (TableTool.h).

#include "common/DayNumber.h"
#include "common/FileSizeLimit.h"
#include "tabletool/TableTool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    DayNumber::cacheLocalTimeZone();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int result = TableTool::run(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return result;
}
