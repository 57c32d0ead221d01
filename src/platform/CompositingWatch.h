// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>

#include "common/WindowManagement.h"

namespace sorane {

/// Whether something composites the program's windows, and word when that
/// changes. On Wayland a compositor always does. On X11 the server may be
/// XWayland, inside a compositor; otherwise a compositing manager owns the
/// selection _NET_WM_CM_S<screen> while it runs, which XFixes reports as it
/// starts and stops. Elsewhere (offscreen, Windows, macOS) nothing is said
/// to composite.
class CompositingWatch final : public QAbstractNativeEventFilter {
public:
    /// changed is called after a compositing manager started or stopped.
    explicit CompositingWatch(std::function<void()> changed);
    ~CompositingWatch() override;
    CompositingWatch(const CompositingWatch&) = delete;
    CompositingWatch& operator=(const CompositingWatch&) = delete;

    /// What composites now, and which X window manager runs.
    const Compositing& Now() const { return m_now; }
    /// Whether something may come to composite the program's windows while
    /// it runs (X11, Wayland), so that they need an alpha channel from the
    /// start.
    static bool MayComposite();

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    /// Reads what composites an X11 display and watches for changes (where
    /// the build has X11; the platform need not be X11).
    void WatchX11Server();

    std::function<void()> m_changed;
    Compositing m_now;
    std::uint32_t m_selection = 0;    ///< _NET_WM_CM_S<screen>
    std::uint8_t m_xfixes_event = 0;  ///< XFixes' first event code; 0 without XFixes
};

}  // namespace sorane
