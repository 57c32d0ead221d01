// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include <QPoint>

class QWidget;

namespace sorane {

/// Asks the window manager to leave the window out of the taskbar and the
/// pager. Call it from the window's showEvent, before it is mapped; on
/// desktops other than X11 it does nothing (there Qt::Tool already does).
void KeepOffTaskbar(QWidget* window);

/// Where the window's top-left corner is on the screen, as the X server
/// knows it; nullopt on other desktops or when the server cannot tell. Qt's
/// own idea of a top-level window's position comes from what the window
/// manager reports, which some (openbox, XWayland) leave at 0,0.
std::optional<QPoint> PositionOnRoot(QWidget* window);

/// Whether an X display can be reached (DISPLAY set and answering). Needs no
/// QGuiApplication, so that start-up can ask before Qt would abort.
bool XDisplayReachable();

}  // namespace sorane
