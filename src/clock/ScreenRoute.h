// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/X11PictureSender.h"

class QImage;
class QRect;
class QWidget;

namespace sorane {

class ClockSurface;

/// The ways a change of the clock's picture reaches the screen, slowest
/// first. bench/README.md says what each costs a tick.
enum class ScreenWay {
    /// Qt's repaint: a posted request, then the paint event copies the
    /// parts into the backing store, which Qt flushes.
    Repaint,
    /// The parts copied into the backing store at once and flushed.
    BackingStore,
    /// The parts sent straight to the X11 window, one PutImage each.
    X11,
};

/// The fastest way the window offers, no faster than `most`.
ScreenWay ChooseScreenWay(bool x11_takes_the_picture, ScreenWay most);

/// The way named "repaint", "store" or "x11"; nothing for another name.
std::optional<ScreenWay> ScreenWayNamed(std::string_view name);

/// Takes the clock's picture to the screen: chooses the way once (when the
/// window is about to show, and again when the picture is made anew for
/// another scale or other corners) and keeps what that way needs. The
/// window asks it to present parts and knows nothing of X.
class ScreenRoute {
public:
    ScreenRoute(QWidget& window, const ClockSurface& surface);

    /// The fastest way to use from now on (for measuring each way).
    void Limit(ScreenWay most) { m_most = most; }
    ScreenWay Chosen() const { return m_way; }

    /// The window is about to map: chooses the way, and where the picture
    /// can go to the window as it is, makes it the window's background, so
    /// that the window shows the clock from its first moment on screen
    /// (on a loaded machine the first paint may come a second later).
    void BeforeShow();
    /// The picture was made anew (another scale, other corners).
    void PictureRemade();
    /// The window's paint event has copied the picture: the background is
    /// no longer needed.
    void Painted();
    /// The window was exposed: where ticks bypass the backing store, it is
    /// out of date, and the window asks for a repaint.
    bool StoreBehind() const { return m_way == ScreenWay::X11; }

    /// Puts parts of the picture on the screen at once: parts in logical
    /// pixels, device_parts the same in device pixels. Before the first
    /// paint, and while the window is not on screen, asks for a repaint.
    void Present(std::span<const QRect> parts, std::span<const QRect> device_parts);

private:
    void Choose();

    QWidget& m_window;
    const ClockSurface& m_surface;
    X11PictureSender m_picture_sender;
    ScreenWay m_most = ScreenWay::X11;
    ScreenWay m_way = ScreenWay::Repaint;
    bool m_painted = false;  ///< whether the backing store has been drawn once
};

}  // namespace sorane
