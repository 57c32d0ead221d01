// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace sorane {

/// Whether anybody can see the screen: word when it is blanked (the screen
/// saver came on, the display was switched off) and when it is seen again.
/// On X11 the screen saver's notify events, which switching the display off
/// through DPMS brings too; on Windows the console display's state; elsewhere
/// (Wayland, macOS) nothing is said and the screen counts as seen.
class ScreenBlankWatch final : public QAbstractNativeEventFilter {
public:
    /// changed is called with the new state each time it changes. window is
    /// a window of the program's own, to which Windows sends its word.
    ScreenBlankWatch(QWidget& window, std::function<void(bool blanked)> changed);
    ~ScreenBlankWatch() override;
    ScreenBlankWatch(const ScreenBlankWatch&) = delete;
    ScreenBlankWatch& operator=(const ScreenBlankWatch&) = delete;

    bool Blanked() const { return m_blanked; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void Follow(bool blanked);

    std::function<void(bool)> m_changed;
    bool m_blanked = false;
    bool m_watching = false;
    std::uint8_t m_first_event = 0;  ///< the X screen saver's first event code
    void* m_registration = nullptr;  ///< Windows' power setting registration
};

}  // namespace sorane
