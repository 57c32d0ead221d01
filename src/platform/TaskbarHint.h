#pragma once

class QWidget;

namespace sorane {

/// Asks the window manager to leave the window out of the taskbar and the
/// pager. Call it from the window's showEvent, before it is mapped; on
/// desktops other than X11 it does nothing (there Qt::Tool already does).
void KeepOffTaskbar(QWidget* window);

}  // namespace sorane
