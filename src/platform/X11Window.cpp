// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/X11Window.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#if defined(SORANE_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace sorane {

#if defined(SORANE_HAVE_XCB)
xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr) {
        return nullptr;
    }
    return x11->connection();
}

namespace {

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
    xcb_connection_t* connection = X11Connection();
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
    xcb_connection_t* connection = X11Connection();
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
    // The server counts device pixels; the program places windows in logical
    // ones. Qt keeps each screen's top-left corner where the server has it
    // and scales what lies within the screen by that screen's factor.
    const QPoint native(reply->dst_x, reply->dst_y);
    free(reply);
    const QScreen* on = window->screen();
    const QPoint origin = on != nullptr ? on->geometry().topLeft() : QPoint();
    const qreal factor = window->devicePixelRatioF();
    const QPointF within = QPointF(native - origin) / factor;
    return origin + QPoint(qRound(within.x()), qRound(within.y()));
}

XDisplayHold::XDisplayHold() {
    // A server that is resetting (its last client has just left) drops new
    // connections for a moment: a named display is asked again for a while
    // before it counts as gone.
    const char* display = std::getenv("DISPLAY");
    const int attempts = display != nullptr && *display != '\0' ? 40 : 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            m_connection = connection;
            return;
        }
        xcb_disconnect(connection);
        if (attempt + 1 < attempts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

XDisplayHold::~XDisplayHold() {
    if (m_connection != nullptr) {
        xcb_disconnect(static_cast<xcb_connection_t*>(m_connection));
    }
}

#else

void KeepOffTaskbar(QWidget*) {}

std::optional<QPoint> PositionOnRoot(QWidget*) {
    return std::nullopt;
}

xcb_connection_t* X11Connection() {
    return nullptr;
}

XDisplayHold::XDisplayHold() = default;
XDisplayHold::~XDisplayHold() = default;

#endif

}  // namespace sorane
