// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Pointer moves on X11, heard through the input extension's raw motion on
// the root window, which comes whichever window the pointer is over. Raw
// motion comes from the pointer devices (a mouse, a touchpad, the input a
// remote desktop sends through XTEST), not from a program's warp of the
// pointer: a pointer warped away is noticed at the mouse's next move.

#include "platform/PointerMoveWatch.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include "platform/X11Window.h"

namespace sorane {

PointerMoveWatch::PointerMoveWatch() {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_input_id);
    if (extension == nullptr || extension->present == 0) {
        return;
    }
    // Raw events reach the root window since version 2.1 of the extension.
    xcb_input_xi_query_version_reply_t* version = xcb_input_xi_query_version_reply(
        connection, xcb_input_xi_query_version(connection, 2, 2), nullptr);
    const bool recent =
        version != nullptr && (version->major_version > 2 ||
                               (version->major_version == 2 && version->minor_version >= 1));
    free(version);
    if (!recent) {
        return;
    }
    m_opcode = extension->major_opcode;
    m_can_hear = true;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

PointerMoveWatch::~PointerMoveWatch() {
    if (m_can_hear && QCoreApplication::instance() != nullptr) {
        Select(false);
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void PointerMoveWatch::Start() {
    if (!m_can_hear) {
        return;
    }
    Select(true);
    m_moved = false;
}

void PointerMoveWatch::Select(bool raw_motion) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) {
        return;
    }
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } events{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
             raw_motion ? std::uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
    xcb_input_xi_select_events(connection, screen->root, 1, &events.head);
    xcb_flush(connection);
}

bool PointerMoveWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_ge_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC || event->extension != m_opcode ||
        event->event_type != XCB_INPUT_RAW_MOTION) {
        return false;
    }
    if (!m_moved) {
        m_moved = true;
        Select(false);
    }
    return true;
}

}  // namespace sorane
