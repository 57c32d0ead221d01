// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

// The small values the rules, the settings and the desktop hand each other.

namespace sorane {

/// The title of the program's windows and message boxes.
inline constexpr const char* APP_TITLE = "ソラネ Ver.1.1";

/// The kind of message box: informative (no icon) or a warning.
enum class MessageIcon { None, Warning };

/// A modal message box with a single OK button.
struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    /// Whether the box takes the keyboard as it comes up. A box that follows
    /// the user's own action does; one that comes up by itself (the countdown
    /// and the alarm) shows above every window but leaves the keyboard where
    /// the user is typing, so that a keystroke meant elsewhere cannot close
    /// it unseen.
    bool takes_keyboard = true;
    bool operator==(const Message&) const = default;
};

/// What a change or a write did: nothing went wrong, or why it failed.
struct WriteOutcome {
    std::string error;  ///< empty when it succeeded; English, for standard error
    std::string reason;  ///< the same in Japanese, for the user: "<file>: 読み取り専用です。"
    bool Ok() const { return error.empty(); }
};

/// A point on the desktop, in logical pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

/// A rectangle on the desktop, in logical pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace sorane
