// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "common/WindowManagement.h"
#include "platform/X11Window.h"

namespace sorane {

/// What the display session offers, looked at before Qt starts: with no
/// display at all Qt aborts instead of saying why. Where the clock can be
/// shown on X11 or on Wayland (Linux and the BSDs) it chooses; elsewhere
/// the system has one way, and Qt takes it.
class DisplayProbe {
public:
    /// The session to choose Qt's platform by, or nullopt where there is no
    /// choice. An X display that answers is held from now until Release, so
    /// that a server whose only client is the clock does not reset just as
    /// Qt connects.
    std::optional<DisplaySession> Look();
    /// Lets the X display go, once Qt holds its own connection.
    void Release();

private:
    std::optional<XDisplayHold> m_x_display;
};

}  // namespace sorane
