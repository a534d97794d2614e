#pragma once

class QWidget;

namespace WindowPlacement {

// Starts a window maximised. Without a window manager (a bare X server)
// nothing maximises it; it then takes the screen's free area all the same,
// so that a window meant to fill the screen never opens at its small
// natural size.
void maximise(QWidget &window);

} // namespace WindowPlacement
