#include "common/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

void maximise(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

} // namespace WindowPlacement
