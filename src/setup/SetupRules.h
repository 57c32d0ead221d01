// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <array>

#include "common/ValueTypes.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// The colour lists' entries, in Palette16 order.
inline constexpr std::array<const char*, 16> COLOUR_NAMES = {
    "黒",         "青",      "緑",       "シアン",   "赤",           "マゼンダ", "黄色",
    "白",         "灰色",    "明るい青", "明るい緑", "明るいシアン", "明るい赤", "明るいマゼンダ",
    "明るい黄色", "明るい白"};

/// The view list's entries; an entry's position is the View setting.
inline constexpr std::array<const char*, 3> VIEW_NAMES = {"時刻(数字)", "日付", "表示しない"};

/// What the setup dialog's controls show; -1 selects no entry.
struct SetupDialogView {
    int hour_colour = -1;
    int minute_colour = -1;
    int second_colour = -1;
    int view = -1;
    bool stealth = false;
};

/// The controls for the settings: each list at the stored position (no entry
/// for a value the list does not have), stealth checked when Sterus is 1.
SetupDialogView OpenSetupDialog(const ClockSettings& settings);

/// What OK came to: the message to show, and whether the settings were
/// stored (then the clock applies them and the dialog closes).
struct SetupOkOutcome {
    Message message;
    bool stored = false;
};

/// OK: refuses a list with no entry chosen; otherwise stores the five
/// settings, writes all five keys (changed or not) and says whether the save
/// worked.
SetupOkOutcome SetupDialogOk(ClockSettings& settings, ClockState& state,
                             const SetupDialogView& chosen);

}  // namespace sorane
