// A real removal run in a process of its own, for the test that kills it
// part-way: tarnek_purge_child YEARDIR SETTINGSDIR [pause-in-snapshot]. Every
// module, the free lines and the stock lines; boxes are answered OK and go to
// standard error, the progress to standard output ("P position", "S status").
// With "pause-in-snapshot" the run says "B table" after the snapshot has
// copied its first table and then waits there (for the test to kill it).
// With "file-size-limit=BYTES" it runs under that file-size limit, as the
// program would under "ulimit -f".

#include "app/core/OperationSession.h"
#include "common/FileSizeLimit.h"
#include "common/UiSeam.h"
#include "hostdb/TableSnapshot.h"
#include "ops/purge/RemovalRun.h"
#include "support/AnsweringUi.h"

#include <QCoreApplication>

#include <QDir>
#include <QThread>

#include <cstdio>
#include <sys/resource.h>

namespace {

class PrintingProgress final : public OperationProgress
{
public:
    void showWorking(bool, const QString &) override {}
    void startProgress(int) override {}
    void setProgress(int position, const QString &status) override
    {
        if (status.isNull())
            std::printf("P %d\n", position);
        else
            std::printf("S %s\n", status.toUtf8().constData());
        std::fflush(stdout);
    }
    void hideProgress() override {}
};

} // namespace

int main(int argc, char **argv)
{
    ignoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4)
        return 2;
    const QByteArray mode = argc == 4 ? QByteArray(argv[3]) : QByteArray();
    if (mode.startsWith("file-size-limit=")) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = mode.mid(16).toULongLong();
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
    } else if (mode == "pause-in-snapshot") {
        TableSnapshot::setAfterTableHook([](const QString &table) {
            std::printf("B %s\n", table.toUtf8().constData());
            std::fflush(stdout);
            QThread::sleep(60);
        });
    }
    AnsweringUi seam;
    UiSeam::setCurrent(&seam);
    RunContext context;
    context.yearDir = QString::fromLocal8Bit(argv[1]);
    context.settingsDir = QString::fromLocal8Bit(argv[2]);
    context.dataRoot = QDir::cleanPath(context.yearDir + QStringLiteral("/../..")) + QLatin1Char('/');
    context.agendaDir = QDir::cleanPath(context.yearDir + QStringLiteral("/..")) + QLatin1Char('/');
    PrintingProgress progress;
    OperationSession session(context, progress);
    RemovalOptions options;
    options.modules.fill(true);
    options.freeLines = true;
    options.stockLines = true;
    options.testMode = false;
    RemovalRun removal(session, progress, options);
    const int result = removal.runRemoval();
    UiSeam::setCurrent(nullptr);
    return result == 0 ? 0 : 1;
}
