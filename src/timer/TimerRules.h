// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "common/ValueTypes.h"
#include "common/LocalDateTime.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// The countdown list's entries; an entry's position selects its length.
inline constexpr const char* COUNTDOWN_ENTRIES[] = {"　３分", "　５分", "１０分"};
inline constexpr std::int16_t COUNTDOWN_SECONDS[] = {180, 300, 600};

/// What the timer dialog's controls show when it opens.
struct TimerDialogView {
    bool countdown_checked = false;
    bool list_enabled = false;
    int list_index = -1;  ///< -1: no entry selected
    bool alarm_checked = false;
    std::string hour_text;
    std::string minute_text;
    bool alarm_fields_enabled = false;
    std::string folder_text;
};

/// Opens the dialog: a running countdown shows checked with no entry chosen;
/// a set alarm (hour or minute not 0) shows checked with its hour and minute;
/// no alarm shows the current time, disabled. A sound path that begins with
/// "0" (none chosen yet) becomes AppPath + "chimes.wav" in memory.
TimerDialogView OpenTimerDialog(ClockSettings& settings, const ClockState& state,
                                const LocalDateTime& now);

/// True when a path names a wav file as the dialog sees it: its last three
/// characters are "wav" in any letter case.
bool LooksLikeWav(const std::string& path);

/// What the "..." button does with ShowFileDlg's answer.
struct FolderChoice {
    std::optional<std::string> folder_text;  ///< new text of the path box
    std::optional<Message> message;
};

/// "CANCEL" puts the stored path back in the box; a wav path is stored and
/// shown; anything else (another file type, "ERROR") is refused with a message.
FolderChoice ChooseSoundFile(ClockSettings& settings, const std::string& answer);

/// What the controls hold when OK is pressed.
struct TimerDialogInput {
    bool countdown_checked = false;
    int list_index = -1;
    bool alarm_checked = false;
    std::string hour_text;
    std::string minute_text;
    std::string folder_text;
};

/// What OK came to: the message to show, and whether the dialog closes.
struct TimerOkOutcome {
    Message message;
    bool close = false;
};

/// OK: checks the sound path and the alarm time (refusing, with nothing
/// stored, a path that is not a wav file, an hour or minute that is not a
/// whole number in 0-23 / 0-59, or 0:00, which the file reads as no alarm),
/// stores and saves the alarm and the path, arms or
/// stops the countdown, and says whether the save worked.
TimerOkOutcome TimerDialogOk(ClockSettings& settings, ClockState& state,
                             const TimerDialogInput& input, const LocalDateTime& now,
                             double steady_now);

}  // namespace sorane
