// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Compositing managers on X11.

#include "platform/CompositingWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include "platform/X11Window.h"

namespace sorane {
namespace {

bool HasExtension(xcb_connection_t* connection, const char* name) {
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
        connection, xcb_query_extension(connection, std::uint16_t(qstrlen(name)), name), nullptr);
    const bool present = reply != nullptr && reply->present != 0;
    free(reply);
    return present;
}

bool SelectionOwned(xcb_connection_t* connection, xcb_atom_t selection) {
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_NONE;
    free(reply);
    return owned;
}

}  // namespace

void CompositingWatch::WatchX11Server() {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    // XWayland names itself by an extension since version 23.1; before that
    // only by the names of its outputs.
    const QList<QScreen*> screens = QGuiApplication::screens();
    m_now.xwayland = HasExtension(connection, "XWAYLAND") ||
                     std::any_of(screens.begin(), screens.end(), [](const QScreen* screen) {
                         return screen->name().startsWith(QLatin1String("XWAYLAND"));
                     });
    // Read once: under XWayland the manager is the compositor's own, there
    // before any client, and elsewhere it is there before the clock in all
    // but a session's first moments.
    m_now.window_manager = WindowManagerName();
    // Qt puts its windows on the display's first screen (the only one on
    // every server in use today).
    const int screen_number = 0;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) {
        return;
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen_number);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(name.size()), name.c_str()),
        nullptr);
    if (atom == nullptr) {
        return;
    }
    m_selection = atom->atom;
    free(atom);
    m_now.compositing_manager = SelectionOwned(connection, m_selection);
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (xfixes == nullptr || xfixes->present == 0) {
        return;
    }
    free(xcb_xfixes_query_version_reply(
        connection,
        xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
        nullptr));
    m_xfixes_event = xfixes->first_event;
    xcb_xfixes_select_selection_input(connection, screen->root, m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool CompositingWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (m_xfixes_event == 0 || type != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_xfixes_event + XCB_XFIXES_SELECTION_NOTIFY) {
        return false;
    }
    const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
    if (notify->selection != m_selection) {
        return false;
    }
    const bool owned = notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
                       notify->owner != XCB_NONE;
    if (owned != m_now.compositing_manager) {
        m_now.compositing_manager = owned;
        if (m_changed) {
            m_changed();
        }
    }
    return false;
}

}  // namespace sorane
