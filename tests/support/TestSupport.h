#pragma once

#include "support/ScriptedUi.h"

#include <QAbstractButton>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <string>

#include <gtest/gtest.h>

// gtest printing for Qt strings, so failures show the text.
QT_BEGIN_NAMESPACE
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QStringList &list, std::ostream *os);
void PrintTo(const QVariant &value, std::ostream *os);
QT_END_NAMESPACE

namespace TestSupport {

// A file under the area's tests/<area>/data folder.
QString dataPath(const QString &name);

// The child widget of that object name and type; fails the test when absent.
template<typename T> T *child(QWidget &parent, const QString &objectName)
{
    T *widget = parent.findChild<T *>(objectName);
    if (!widget)
        ADD_FAILURE() << "no widget " << objectName.toStdString() << " in " << parent.objectName().toStdString();
    return widget;
}

// Clicks the button of that object name (failing when absent or disabled).
void click(QWidget &parent, const QString &objectName);

// Whether this run is CI's (the environment variable CI set, not "0" or
// "false"), where missing facilities fail the tests that need them.
bool isCi();

// Whether this process holds the file open (a host table that a step left
// open), seen from the process's open file descriptors.
bool isFileOpenHere(const QString &path);
// The host table files ("….DAT") under `dir` that this process holds open,
// relative to `dir` and sorted: a closed or destroyed table object holds none,
// so a test can tell that no table of an operation stayed open.
QStringList openTableFiles(const QString &dir);

inline std::string rowNameText(const char *name)
{
    return name;
}
inline std::string rowNameText(const char16_t *name)
{
    return QString::fromUtf16(name).toStdString();
}
inline std::string rowNameText(const std::string &name)
{
    return name;
}
inline std::string rowNameText(const QString &name)
{
    return name.toStdString();
}

// The readable name of a row in a table of cases, the last argument of
// INSTANTIATE_TEST_SUITE_P: the row's `name` member.
inline constexpr struct RowName
{
    template<typename Row> std::string operator()(const testing::TestParamInfo<Row> &info) const
    {
        return rowNameText(info.param.name);
    }
} rowName;

} // namespace TestSupport

// For a test that needs a real printer: without one it skips, but under CI,
// where scripts/start-printer.sh sets up a queue, it fails.
#define TARNEK_REQUIRE_PRINTER(available)                                                                              \
    do {                                                                                                               \
        if (!(available)) {                                                                                            \
            if (TestSupport::isCi())                                                                                   \
                FAIL() << "no printer installed: scripts/start-printer.sh should have set up a CUPS queue";            \
            GTEST_SKIP() << "no printer installed (scripts/start-printer.sh sets up a CUPS queue)";                    \
        }                                                                                                              \
    } while (false)
