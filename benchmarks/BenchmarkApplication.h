#pragma once

#include <QApplication>

// One offscreen GUI application for the whole benchmark run: the layout needs
// fonts, the operations a message queue, the preview its widgets, and Qt
// allows one application object per process, whichever benchmark happens to
// run first.
inline void ensureBenchmarkApplication()
{
    static int argc = 1;
    static char name[] = "tarnek_benchmarks";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}
