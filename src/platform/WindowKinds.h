// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <Qt>

namespace sorane {

// The kinds of top-level window the program makes. On Windows and macOS a
// tool window keeps the clock and its dialogs off the taskbar. On X11 their
// window state does (KeepOffTaskbar), and a tool window would do harm: Qt
// marks it a utility window, which Weston maps like a pop-up (no keyboard,
// no moves), and raises it before it is mapped, which makes Weston forget
// the place it was made at.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::WindowType CLOCK_WINDOW_KIND = Qt::Tool;
constexpr Qt::WindowType DIALOG_WINDOW_KIND = Qt::Tool;
#else
constexpr Qt::WindowType CLOCK_WINDOW_KIND = Qt::Window;
constexpr Qt::WindowType DIALOG_WINDOW_KIND = Qt::Dialog;
#endif

}  // namespace sorane
