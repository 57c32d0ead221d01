// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QObject>
#include <QPoint>
#include <QRect>

#include "common/WindowManagement.h"

class QWidget;
struct xcb_connection_t;

namespace sorane {

/// The program's X connection, or nullptr when Qt does not run on X11.
xcb_connection_t* X11Connection();

/// Asks the window manager to leave the window out of the taskbar and the
/// pager. Call it from the window's showEvent, before it is mapped; on
/// desktops other than X11 it does nothing (there Qt::Tool already does).
void KeepOffTaskbar(QWidget* window);

/// Tells the X11 window manager the window's type, as the first of its
/// window types, which is the one most managers go by (Qt's own list for a
/// frameless window follows). Call it from the window's showEvent, before it
/// is mapped; elsewhere, or for WindowType::Normal, it does nothing.
void MarkFirstType(QWidget* window, WindowType type);

/// Asks the X11 window manager to draw no border around the window.
void TakeAwayBorder(QWidget* window);

/// Gives the window the keyboard, without asking the window manager: for a
/// window the manager leaves alone, which it does not focus on a click.
void TakeKeyboardFocus(QWidget* window);

/// Where the window is on the screen and how large, as the X server knows it
/// (its inside, without a border the window manager gave it); nullopt on
/// other desktops or when the server cannot tell. Qt's own idea of a
/// top-level window's position comes from what the window manager reports,
/// which some (openbox, XWayland) leave at 0,0, and of its size from what Qt
/// asked for.
std::optional<QRect> RectOnRoot(QWidget* window);

/// Asks the X server to put the window's top-left corner at a place (in the
/// program's logical pixels), whatever Qt believes of where it is: Qt skips
/// a move to where it thinks the window already is. Returns whether it
/// asked: not on other desktops, nor before the window is made.
bool MoveOnRoot(QWidget* window, QPoint place);

/// The name the running X window manager gives itself (the _NET_WM_NAME of
/// its _NET_SUPPORTING_WM_CHECK window), or "" without X11 or a manager
/// that says.
std::string WindowManagerName();

/// Whether a window lies above another on the screen: the top-level windows
/// they lie in (a frame, or the window itself), as the X server stacks
/// them. False on other desktops or when the server cannot tell.
bool StackedAbove(QWidget* upper, QWidget* lower);

/// Has the X server show a window anew, unmapped and mapped again without Qt
/// hiding it (a dialog's exec goes on): for a window manager that raises
/// only a window it has newly mapped or focused (dwm) and ignores requests
/// to raise one. Does nothing elsewhere.
void MapAnew(QWidget* window);

/// Whether a widget is one of the program's own dialogs or message boxes
/// (a dialog or ordinary top-level window other than the clock).
bool IsOwnDialog(const QObject* object, const QWidget* clock);

/// Keeps a window that the window manager leaves alone, and so stacks above
/// every window it manages, below the program's own dialogs and message
/// boxes: each one that becomes active has the window put just below it, and
/// when one is hidden the window goes back on top. Watches the whole
/// program's events from when it is made.
class StackBelowOwnDialogs : public QObject {
public:
    explicit StackBelowOwnDialogs(QWidget* window);
    ~StackBelowOwnDialogs() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

/// A connection to the X display, made to learn whether one answers before
/// Qt would abort for want of one, and held until Qt has its own: an X
/// server resets when its last client leaves, and a clock that is its only
/// client (xinit, a kiosk) must not leave it just as Qt connects. Needs no
/// QGuiApplication.
class XDisplayHold {
public:
    XDisplayHold();
    ~XDisplayHold();
    XDisplayHold(const XDisplayHold&) = delete;
    XDisplayHold& operator=(const XDisplayHold&) = delete;

    /// Whether the display (DISPLAY) answered.
    bool Reachable() const { return m_connection != nullptr; }

private:
    void* m_connection = nullptr;
};

}  // namespace sorane
