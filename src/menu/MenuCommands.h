// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "clock/KeyRules.h"
#include "platform/Desktop.h"

namespace sorane {

/// Whether a command marks the program as quitting before it ends: the
/// menu's Exit does, Esc on the clock does not.
bool MarksQuitting(ClockCommand command, CommandFrom from);

/// One entry of the clock's pop-up menu.
struct MenuEntry {
    const char* name;     ///< the item's name: m01, m02, s02, ...
    const char* caption;  ///< the text shown; "-" for the separator
    ClockCommand command;
    bool IsSeparator() const { return command == ClockCommand::None; }
};

/// The pop-up menu, top to bottom: no shortcuts, no check marks.
inline constexpr MenuEntry MENU_ENTRIES[] = {
    {"m01", "タイマー", ClockCommand::Timer}, {"m02", "環境設定", ClockCommand::Setup},
    {"s02", "-", ClockCommand::None},         {"m07", "ヘルプ", ClockCommand::Help},
    {"m08", "アバウト", ClockCommand::About}, {"m09", "終　了", ClockCommand::Exit},
};

/// "終了します。", shown before the program ends.
Message ExitMessage();

/// Why something could not be opened: the number and the description the
/// user is shown (53 nothing to open it with, 70 the opener may not be run,
/// 75 it could not be started).
struct OpenFailure {
    int number = 0;
    std::string description;
    bool operator==(const OpenFailure&) const = default;
};

/// Opens a web address or a file's full path: the desktop's opener first;
/// the toolkit's own means only when that opener is not installed. nullopt
/// when it was opened; nothing_opens_it describes the failure of both.
std::optional<OpenFailure> OpenWithDesktop(Desktop& desktop, const std::string& target,
                                           const std::string& nothing_opens_it);

/// Opens the read-me text in the folder with the desktop's opener; when it is
/// missing or nothing can open it, a message naming the file says so.
void OpenReadMe(Desktop& desktop, const std::string& folder);

/// The home pages the About window links to.
inline constexpr const char* ART_HOME_PAGE = "https://sorane.example.org/art/";
inline constexpr const char* PROGRAM_HOME_PAGE = "https://sorane.example.org/";

/// Opens a home page in the user's browser (OpenWithDesktop); a failure is
/// reported in a three-line message.
void OpenHomePage(Desktop& desktop, const std::string& url);

/// The three-line message for a failure to open something from a place of
/// the program ("About", "Help").
Message OpenFailureMessage(const std::string& place, const OpenFailure& failure);

}  // namespace sorane
