// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <span>
#include <vector>

class QImage;
class QRect;
class QWidget;

namespace sorane {

/// Puts parts of a picture of a window on the X11 window at once: one
/// PutImage per part, a band of rows from the picture. Qt's flush of its
/// backing store uploads the parts to a pixmap of its own on the server and
/// copies them from there into the window under a clip it sets and unsets,
/// a dozen requests where one would do, and keeps a region of everything
/// painted since; for the few small parts a clock's tick draws, that costs
/// more than the drawing.
class X11PictureSender {
public:
    X11PictureSender() = default;
    ~X11PictureSender();
    X11PictureSender(const X11PictureSender&) = delete;
    X11PictureSender& operator=(const X11PictureSender&) = delete;

    /// Whether pictures in Qt's 32-bit formats can be sent to window: it is
    /// an X11 window whose server reads those pixels as they are (a 24-bit
    /// window takes QImage::Format_RGB32; a 32-bit one, with an alpha
    /// channel, Format_ARGB32_Premultiplied, or RGB32 for opaque pixels).
    /// Asks the server once a window.
    bool CanSend(QWidget* window);
    /// Sends the parts (device pixels) of picture, as large as the window in
    /// device pixels, to the window CanSend last said yes to.
    void Send(const QImage& picture, std::span<const QRect> parts);

    /// Makes picture the background of window, which is not yet mapped, so
    /// that the server shows it the moment the window maps: on a loaded
    /// machine the program's first paint may come a second later, and until
    /// then the window would be black. Only where CanSend(window).
    void ShowBeforeFirstPaint(QWidget* window, const QImage& picture);
    /// Takes the background away again, once the window has been painted.
    void ClearBackground();

private:
    void PutParts(std::uint32_t drawable, const QImage& picture, std::span<const QRect> parts);

    void* m_connection = nullptr;  ///< the program's X connection, once known
    std::uint32_t m_window = 0;    ///< the window last asked about
    std::uint32_t m_gc = 0;        ///< a graphics context for it, 0 if it cannot be sent to
    std::uint8_t m_depth = 0;
    bool m_background_set = false;
    std::vector<std::uint32_t> m_rows;  ///< a part's rows, one after the other
};

}  // namespace sorane
