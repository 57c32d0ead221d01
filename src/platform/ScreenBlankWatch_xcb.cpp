// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The X screen saver: the server says when it blanks the screen (its own
// blanking, a screen saver program's window, DPMS switching the display off)
// and when the screen comes back.

#include "platform/ScreenBlankWatch.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include "platform/X11Window.h"

namespace sorane {

ScreenBlankWatch::ScreenBlankWatch(QWidget&, std::function<void(bool)> changed)
    : m_changed(std::move(changed)) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_screensaver_id);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (extension == nullptr || extension->present == 0 || screen == nullptr) {
        return;
    }
    m_first_event = extension->first_event;
    xcb_screensaver_select_input(connection, screen->root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    // Asked after the events are chosen, so that no change falls between.
    xcb_screensaver_query_info_reply_t* info = xcb_screensaver_query_info_reply(
        connection, xcb_screensaver_query_info(connection, screen->root), nullptr);
    if (info != nullptr) {
        m_blanked =
            info->state == XCB_SCREENSAVER_STATE_ON || info->state == XCB_SCREENSAVER_STATE_CYCLE;
        free(info);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_watching = true;
}

ScreenBlankWatch::~ScreenBlankWatch() {
    if (m_watching && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool ScreenBlankWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_first_event + XCB_SCREENSAVER_NOTIFY) {
        return false;
    }
    const auto* notify = static_cast<const xcb_screensaver_notify_event_t*>(message);
    // A screen saver that cycles its pictures says so each time; the
    // screen stays blanked.
    Follow(notify->state == XCB_SCREENSAVER_STATE_ON ||
           notify->state == XCB_SCREENSAVER_STATE_CYCLE);
    return false;
}

}  // namespace sorane
