// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "setup/SetupRules.h"

namespace sorane {
namespace {

int EntryFor(std::uint8_t value, std::size_t entries) {
    return value < entries ? int(value) : -1;
}

}  // namespace

SetupDialogView OpenSetupDialog(const ClockSettings& settings) {
    return {EntryFor(settings.ColorHour, COLOUR_NAMES.size()),
            EntryFor(settings.ColorMin, COLOUR_NAMES.size()),
            EntryFor(settings.ColorSec, COLOUR_NAMES.size()),
            EntryFor(settings.View, VIEW_NAMES.size()), settings.Sterus == 1};
}

SetupOkOutcome SetupDialogOk(ClockSettings& settings, ClockState& state,
                             const SetupDialogView& chosen) {
    const auto in_list = [](int entry, std::size_t entries) {
        return entry >= 0 && std::size_t(entry) < entries;
    };
    if (!in_list(chosen.hour_colour, COLOUR_NAMES.size()) ||
        !in_list(chosen.minute_colour, COLOUR_NAMES.size()) ||
        !in_list(chosen.second_colour, COLOUR_NAMES.size())) {
        return {{"針の色を選んでください。", APP_TITLE, MessageIcon::None}, false};
    }
    if (!in_list(chosen.view, VIEW_NAMES.size())) {
        return {{"表示種別を選んでください。", APP_TITLE, MessageIcon::None}, false};
    }
    settings.ColorHour = std::uint8_t(chosen.hour_colour);
    settings.ColorMin = std::uint8_t(chosen.minute_colour);
    settings.ColorSec = std::uint8_t(chosen.second_colour);
    settings.View = std::uint8_t(chosen.view);
    settings.Sterus = chosen.stealth ? 1 : 0;
    return {SaveReport(SaveSetup(state, settings), "環境設定情報"), true};
}

}  // namespace sorane
