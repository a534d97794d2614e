// A restore in a process of its own, for the test that kills it half-way:
// tarnek_restore_child SNAPSHOT DATAROOT. Before each table is switched it
// says "R done relative-path"; once the first table is switched it says so
// and waits (for the test to kill it).

#include "hostdb/SnapshotRestore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    SnapshotRestore restore(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    restore.setProgress([](int done, int, const QString &table) {
        std::printf("R %d %s\n", done, table.toUtf8().constData());
        std::fflush(stdout);
        if (done == 1)
            QThread::sleep(60);
        return true;
    });
    const bool ok = restore.restore(true);
    if (!ok)
        std::fprintf(stderr, "%s\n", restore.error().toUtf8().constData());
    return ok ? 0 : 1;
}
