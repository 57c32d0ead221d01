// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/X11Window.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <xcb/xcb.h>

namespace sorane {

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

void MarkFirstType(QWidget* window, WindowType type) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || type == WindowType::Normal) {
        return;
    }
    const char* const first = type == WindowType::Notification ? "_NET_WM_WINDOW_TYPE_NOTIFICATION"
                                                               : "_NET_WM_WINDOW_TYPE_UTILITY";
    // Qt's own list for a frameless window, with the type first: Qt sets the
    // types when it makes the window and not again when it shows it.
    const xcb_atom_t types[] = {Atom(connection, first),
                                Atom(connection, "_KDE_NET_WM_WINDOW_TYPE_OVERRIDE"),
                                Atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()),
                        Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 3, types);
    xcb_flush(connection);
}

void TakeAwayBorder(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const uint32_t none[] = {0};
    xcb_configure_window(connection, xcb_window_t(window->winId()), XCB_CONFIG_WINDOW_BORDER_WIDTH,
                         none);
    xcb_flush(connection);
}

void TakeKeyboardFocus(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    // Qt's activateWindow asks a window manager that says it activates
    // windows, and one that leaves the window alone does nothing then.
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, xcb_window_t(window->winId()),
                        XCB_CURRENT_TIME);
    xcb_flush(connection);
}

namespace {

// The child of the root window that a window lies in: the frame the window
// manager put it in, or the window itself.
xcb_window_t TopLevelOf(xcb_connection_t* connection, xcb_window_t window) {
    for (;;) {
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (tree == nullptr) {
            return window;
        }
        const xcb_window_t parent = tree->parent;
        const bool at_root = parent == tree->root || parent == XCB_WINDOW_NONE;
        free(tree);
        if (at_root) {
            return window;
        }
        window = parent;
    }
}

}  // namespace

bool StackedAbove(QWidget* upper, QWidget* lower) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !upper->testAttribute(Qt::WA_WState_Created) ||
        !lower->testAttribute(Qt::WA_WState_Created)) {
        return false;
    }
    const xcb_window_t upper_top = TopLevelOf(connection, xcb_window_t(upper->winId()));
    const xcb_window_t lower_top = TopLevelOf(connection, xcb_window_t(lower->winId()));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_query_tree_reply_t* tree =
        screen != nullptr
            ? xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr)
            : nullptr;
    if (tree == nullptr) {
        return false;
    }
    // The root's children, from the bottom of the stack to its top.
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    int upper_at = -1;
    int lower_at = -1;
    for (int i = 0; i < count; ++i) {
        if (children[i] == upper_top) {
            upper_at = i;
        }
        if (children[i] == lower_top) {
            lower_at = i;
        }
    }
    free(tree);
    return upper_at >= 0 && lower_at >= 0 && upper_at > lower_at;
}

void MapAnew(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const xcb_window_t id = xcb_window_t(window->winId());
    xcb_unmap_window(connection, id);
    xcb_map_window(connection, id);
    xcb_flush(connection);
}

StackBelowOwnDialogs::StackBelowOwnDialogs(QWidget* window) : m_window(window) {
    qApp->installEventFilter(this);
}

StackBelowOwnDialogs::~StackBelowOwnDialogs() {
    qApp->removeEventFilter(this);
}

bool StackBelowOwnDialogs::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::WindowActivate || type == QEvent::Hide) &&
        IsOwnDialog(watched, m_window)) {
        xcb_connection_t* connection = X11Connection();
        const xcb_window_t clock = m_window->testAttribute(Qt::WA_WState_Created)
                                       ? xcb_window_t(m_window->winId())
                                       : xcb_window_t(XCB_WINDOW_NONE);
        // A window the manager framed after all is stacked by the manager.
        if (connection != nullptr && clock != XCB_WINDOW_NONE &&
            TopLevelOf(connection, clock) == clock) {
            if (type == QEvent::WindowActivate) {
                const uint32_t below[] = {
                    TopLevelOf(connection, xcb_window_t(static_cast<QWidget*>(watched)->winId())),
                    XCB_STACK_MODE_BELOW};
                xcb_configure_window(connection, clock,
                                     XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE,
                                     below);
            } else {
                const uint32_t above[] = {XCB_STACK_MODE_ABOVE};
                xcb_configure_window(connection, clock, XCB_CONFIG_WINDOW_STACK_MODE, above);
            }
            xcb_flush(connection);
        }
    }
    return QObject::eventFilter(watched, event);
}

std::string WindowManagerName() {
    xcb_connection_t* connection = X11Connection();
    const xcb_screen_t* screen =
        connection != nullptr ? xcb_setup_roots_iterator(xcb_get_setup(connection)).data : nullptr;
    if (screen == nullptr) {
        return {};
    }
    // One property of a window, as bytes; empty when it has none.
    const auto property = [connection](xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name, type, 0, 256), nullptr);
        std::string value;
        if (reply != nullptr) {
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         std::size_t(xcb_get_property_value_length(reply)));
        }
        free(reply);
        return value;
    };
    const std::string check =
        property(screen->root, Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t)) {
        return {};
    }
    xcb_window_t manager = 0;
    std::memcpy(&manager, check.data(), sizeof manager);
    return property(manager, Atom(connection, "_NET_WM_NAME"), Atom(connection, "UTF8_STRING"));
}

namespace {

// The server counts device pixels; the program places windows in logical
// ones. Qt keeps each screen's top-left corner where the server has it and
// scales what lies within the screen by that screen's factor: a point from
// one to the other, by factor (the window's device pixel ratio, or 1 over it).
QPoint ScaledWithinScreen(const QWidget* window, QPoint point, qreal factor) {
    const QScreen* on = window->screen();
    const QPoint origin = on != nullptr ? on->geometry().topLeft() : QPoint();
    const QPointF within = QPointF(point - origin) * factor;
    return origin + QPoint(qRound(within.x()), qRound(within.y()));
}

}  // namespace

std::optional<QRect> RectOnRoot(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return std::nullopt;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) {
        return std::nullopt;
    }
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_get_geometry_cookie_t size_cookie = xcb_get_geometry(connection, id);
    const xcb_translate_coordinates_cookie_t place_cookie =
        xcb_translate_coordinates(connection, id, screen->root, 0, 0);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection, size_cookie, nullptr);
    xcb_translate_coordinates_reply_t* place =
        xcb_translate_coordinates_reply(connection, place_cookie, nullptr);
    std::optional<QRect> rect;
    if (size != nullptr && place != nullptr) {
        const qreal ratio = window->devicePixelRatioF();
        rect = QRect(ScaledWithinScreen(window, QPoint(place->dst_x, place->dst_y), 1 / ratio),
                     QSize(qRound(size->width / ratio), qRound(size->height / ratio)));
    }
    free(size);
    free(place);
    return rect;
}

bool MoveOnRoot(QWidget* window, QPoint place) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) {
        return false;
    }
    const QPoint native = ScaledWithinScreen(window, place, window->devicePixelRatioF());
    const uint32_t values[] = {uint32_t(native.x()), uint32_t(native.y())};
    xcb_configure_window(connection, xcb_window_t(window->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(connection);
    return true;
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

}  // namespace sorane
