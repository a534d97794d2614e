// The system's minimise command on any window shrinks the whole application.

#include "common/widgets/MinimiseAsApplication.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace {

TEST(MinimiseAsApplication, MinimisesAndRestoresEveryVisibleWindowTogether)
{
    MinimiseAsApplication filter;
    qApp->installEventFilter(&filter);
    QWidget main;
    QDialog list;
    QWidget hidden;
    main.show();
    list.show();

    list.setWindowState(list.windowState() | Qt::WindowMinimized);
    EXPECT_TRUE(main.windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(hidden.windowState() & Qt::WindowMinimized);

    main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
    EXPECT_FALSE(list.windowState() & Qt::WindowMinimized);
    qApp->removeEventFilter(&filter);
}

TEST(MinimiseAsApplication, WithoutTheFilterWindowsMinimiseAlone)
{
    QWidget main;
    QWidget other;
    main.show();
    other.show();
    other.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(main.windowState() & Qt::WindowMinimized);
}

} // namespace
