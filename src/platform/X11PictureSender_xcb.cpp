// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/X11PictureSender.h"

#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <QSysInfo>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include <xcb/xcb.h>

#include "platform/X11Window.h"

namespace sorane {

namespace {

// Whether the server reads a picture in Qt's 32-bit formats as the window's
// pixels: 32 bits a pixel in the host's byte order, red, green and blue
// where Qt keeps them. Asked once a window.
bool SendsAsIs(xcb_connection_t* connection, xcb_window_t window, std::uint8_t depth) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const bool host_lsb_first = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != host_lsb_first) {
        return false;
    }
    bool four_bytes = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem != 0;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth) {
            four_bytes = formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
        }
    }
    if (!four_bytes) {
        return false;
    }
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr);
    if (attributes == nullptr) {
        return false;
    }
    const xcb_visualid_t visual = attributes->visual;
    free(attributes);
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem != 0;
         xcb_screen_next(&screens)) {
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem != 0;
             xcb_depth_next(&depths)) {
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem != 0;
                 xcb_visualtype_next(&visuals)) {
                if (visuals.data->visual_id == visual) {
                    return visuals.data->red_mask == 0xff0000 &&
                           visuals.data->green_mask == 0x00ff00 &&
                           visuals.data->blue_mask == 0x0000ff;
                }
            }
        }
    }
    return false;
}

}  // namespace

X11PictureSender::~X11PictureSender() {
    if (m_gc != 0 && qGuiApp != nullptr) {
        xcb_free_gc(static_cast<xcb_connection_t*>(m_connection), m_gc);
    }
}

bool X11PictureSender::CanSend(QWidget* window) {
    const auto id = xcb_window_t(window->winId());
    if (id == m_window) {
        return m_gc != 0;
    }
    if (m_connection == nullptr) {
        m_connection = X11Connection();
        if (m_connection == nullptr) {
            return false;
        }
    }
    auto* connection = static_cast<xcb_connection_t*>(m_connection);
    if (m_gc != 0) {
        xcb_free_gc(connection, m_gc);
        m_gc = 0;
    }
    m_window = id;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr);
    if (geometry == nullptr) {
        return false;
    }
    m_depth = geometry->depth;
    free(geometry);
    if ((m_depth != 24 && m_depth != 32) || !SendsAsIs(connection, id, m_depth)) {
        return false;
    }
    m_gc = xcb_generate_id(connection);
    const std::uint32_t no_exposures = 0;
    xcb_create_gc(connection, m_gc, id, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
    return true;
}

void X11PictureSender::Send(const QImage& picture, std::span<const QRect> parts) {
    PutParts(m_window, picture, parts);
    xcb_flush(static_cast<xcb_connection_t*>(m_connection));
}

void X11PictureSender::ShowBeforeFirstPaint(QWidget* window, const QImage& picture) {
    if (!CanSend(window)) {
        return;
    }
    auto* connection = static_cast<xcb_connection_t*>(m_connection);
    // The background of a window is what the server fills it with the
    // moment it maps, before the program has painted a thing.
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, m_depth, pixmap, m_window, std::uint16_t(picture.width()),
                      std::uint16_t(picture.height()));
    const QRect whole = picture.rect();
    PutParts(pixmap, picture, std::span(&whole, 1));
    xcb_change_window_attributes(connection, m_window, XCB_CW_BACK_PIXMAP, &pixmap);
    // The window holds the pixmap as long as it is its background.
    xcb_free_pixmap(connection, pixmap);
    xcb_flush(connection);
    m_background_set = true;
}

void X11PictureSender::ClearBackground() {
    if (!m_background_set) {
        return;
    }
    m_background_set = false;
    auto* connection = static_cast<xcb_connection_t*>(m_connection);
    // No background again, as Qt keeps it: an expose then leaves the
    // window's pixels to the program rather than flashing an old picture.
    const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(connection, m_window, XCB_CW_BACK_PIXMAP, &none);
    xcb_flush(connection);
}

void X11PictureSender::PutParts(std::uint32_t drawable, const QImage& picture,
                                std::span<const QRect> parts) {
    auto* connection = static_cast<xcb_connection_t*>(m_connection);
    // A request may be no longer than the server takes: a large part goes
    // in several, a band of rows each.
    // The largest request is 0 once the connection has failed (the server
    // went away): nothing is sent then.
    const std::size_t largest = std::size_t(xcb_get_maximum_request_length(connection)) * 4;
    if (largest <= sizeof(xcb_put_image_request_t)) {
        return;
    }
    const std::size_t room = largest - sizeof(xcb_put_image_request_t);
    const auto* bits = reinterpret_cast<const std::uint32_t*>(picture.constBits());
    const qsizetype stride = picture.bytesPerLine() / 4;
    for (const QRect& wanted : parts) {
        const QRect part = wanted & picture.rect();
        if (part.isEmpty()) {
            continue;
        }
        const int width = part.width();
        const int rows_per_request = int(std::clamp<std::size_t>(room / (std::size_t(width) * 4), 1,
                                                                 std::size_t(part.height())));
        for (int top = part.top(); top <= part.bottom(); top += rows_per_request) {
            const int rows = std::min(rows_per_request, part.bottom() + 1 - top);
            m_rows.resize(std::size_t(width) * rows);
            for (int row = 0; row < rows; ++row) {
                std::copy_n(bits + (top + row) * stride + part.left(), width,
                            m_rows.data() + std::size_t(row) * width);
            }
            xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, m_gc,
                          std::uint16_t(width), std::uint16_t(rows), std::int16_t(part.left()),
                          std::int16_t(top), 0, m_depth, std::uint32_t(m_rows.size() * 4),
                          reinterpret_cast<const std::uint8_t*>(m_rows.data()));
        }
    }
}

}  // namespace sorane
