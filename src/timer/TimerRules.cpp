// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/TimerRules.h"

#include "settings/AsciiText.h"
#include "settings/NumberText.h"

namespace sorane {
namespace {

constexpr const char* NOT_A_WAV = "wavファイルを指定してください。";

}  // namespace

TimerDialogView OpenTimerDialog(ClockSettings& settings, const ClockState& state,
                                const LocalDateTime& now) {
    TimerDialogView view;
    if (state.TimerArmed == 1) {
        view.countdown_checked = true;
        view.list_enabled = true;
        view.list_index = -1;
    } else {
        view.list_index = 0;
    }
    // A set alarm opens exactly as stored, so that OK never changes it.
    if (AlarmSet(settings)) {
        view.alarm_checked = true;
        view.alarm_fields_enabled = true;
        view.hour_text = std::to_string(settings.TimeHour);
        view.minute_text = std::to_string(settings.TimeMin);
    } else {
        view.hour_text = std::to_string(now.hour);
        view.minute_text = std::to_string(now.minute);
    }
    if (!settings.Wave.empty() && settings.Wave.front() == '0') {
        settings.Wave = SoundFileFor(settings, state);
    }
    view.folder_text = settings.Wave;
    return view;
}

bool LooksLikeWav(const std::string& path) {
    const std::string_view tail =
        std::string_view(path).substr(path.size() > 3 ? path.size() - 3 : 0);
    return EqualsIgnoringAsciiCase(tail, "wav");
}

FolderChoice ChooseSoundFile(ClockSettings& settings, const std::string& answer) {
    if (answer == "CANCEL") {
        return {settings.Wave, std::nullopt};
    }
    if (LooksLikeWav(answer)) {
        settings.Wave = answer;
        return {answer, std::nullopt};
    }
    return {std::nullopt, Message{NOT_A_WAV, "ソラネ", MessageIcon::None}};
}

TimerOkOutcome TimerDialogOk(ClockSettings& settings, ClockState& state,
                             const TimerDialogInput& input, const LocalDateTime& now,
                             double steady_now) {
    if (!LooksLikeWav(input.folder_text)) {
        return {{NOT_A_WAV, APP_TITLE, MessageIcon::None}, false};
    }
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    if (input.alarm_checked) {
        const auto parsed_hour = ParseTypedWholeNumber(input.hour_text, 0, 23);
        const auto parsed_minute = ParseTypedWholeNumber(input.minute_text, 0, 59);
        if (!parsed_hour || !parsed_minute) {
            return {{"目覚ましの時刻が正しくありません。\n"
                     "時は 0 から 23、分は 0 から 59 までの整数で入力してください。",
                     APP_TITLE, MessageIcon::None},
                    false};
        }
        // 0 and 0 is how the file says "no alarm": such an alarm would be
        // stored, confirmed, and never ring.
        if (*parsed_hour == 0 && *parsed_minute == 0) {
            return {{"0時0分は目覚ましの時刻にできません。\n"
                     "目覚ましを使わないときは、チェックを外してください。",
                     APP_TITLE, MessageIcon::None},
                    false};
        }
        hour = static_cast<std::uint8_t>(*parsed_hour);
        minute = static_cast<std::uint8_t>(*parsed_minute);
    }

    // The alarm goes off once a day at its time; a new time (a cleared alarm
    // included) may go off today even when the old one already has.
    if (hour != settings.TimeHour || minute != settings.TimeMin) {
        state.AlarmRangAt.reset();
    }
    settings.Wave = input.folder_text;
    settings.TimeHour = hour;
    settings.TimeMin = minute;
    const WriteOutcome saved = SaveAlarm(state, settings);

    if (!input.countdown_checked) {
        DisarmCountdown(state);
    } else if (input.list_index >= 0 && input.list_index < 3) {
        ArmCountdown(state, COUNTDOWN_SECONDS[input.list_index], now, steady_now);
    }

    return {SaveReport(saved, "タイマーの設定情報"), true};
}

}  // namespace sorane
