// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/X11Window.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(SORANE_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace sorane {

#if defined(SORANE_HAVE_XCB)
namespace {

// The program's X connection, or nullptr when Qt is not running on X11.
xcb_connection_t* Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr) {
        return nullptr;
    }
    return x11->connection();
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

}  // namespace

void KeepOffTaskbar(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) {
        return;
    }
    // Qt marks a window's _NET_WM_STATE before mapping it and keeps what is
    // already there, so the two states added here survive every show.
    const xcb_atom_t states[] = {Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 Atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()),
                        Atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(connection);
}

std::optional<QPoint> PositionOnRoot(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return std::nullopt;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) {
        return std::nullopt;
    }
    const xcb_translate_coordinates_cookie_t cookie =
        xcb_translate_coordinates(connection, xcb_window_t(window->winId()), screen->root, 0, 0);
    xcb_translate_coordinates_reply_t* reply =
        xcb_translate_coordinates_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return std::nullopt;
    }
    // The server counts device pixels; the program places windows in logical ones.
    const qreal ratio = window->devicePixelRatioF();
    const QPoint position(qRound(reply->dst_x / ratio), qRound(reply->dst_y / ratio));
    free(reply);
    return position;
}

bool XDisplayReachable() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

#else

void KeepOffTaskbar(QWidget*) {}

std::optional<QPoint> PositionOnRoot(QWidget*) {
    return std::nullopt;
}

bool XDisplayReachable() {
    return false;
}

#endif

}  // namespace sorane
