// A window meant to fill the screen does so even where no window manager
// maximises it (the offscreen platform, a bare X server).

#include "common/widgets/WindowPlacement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacement, MaximisedWindowsTakeTheScreensFreeArea)
{
    QDialog window;
    window.resize(200, 100);
    WindowPlacement::maximise(window);
    window.show();
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(window.size(), QGuiApplication::primaryScreen()->availableGeometry().size());
}

} // namespace
