// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/ClockSettings.h"

#include <filesystem>
#include <system_error>

#include <string_view>
#include <vector>

#include "settings/Palette16.h"
#include "settings/AtomicFile.h"
#include "settings/NumberText.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace {

constexpr const char* DEFAULT_SOUND_NAME = "chimes.wav";

constexpr std::string_view INI_FILE_NAME = "Clock.ini";

// How a key's text becomes its field: a whole number in [min, max], or text.
struct NumberRule {
    std::int64_t min;
    std::int64_t max;
    const char* expected;
};

constexpr NumberRule BYTE_RULE{0, 255, "0 から 255 までの整数"};
constexpr NumberRule HOUR_RULE{0, 23, "0 から 23 までの整数（時）"};
constexpr NumberRule MINUTE_RULE{0, 59, "0 から 59 までの整数（分）"};
constexpr NumberRule COLOUR_RULE{0, PALETTE_LAST_INDEX, "0 から 15 までの整数（色の番号）"};
constexpr NumberRule POSITION_RULE{INT32_MIN, INT32_MAX,
                                   "-2147483648 から 2147483647 までの整数（位置、twip）"};

std::string ByteText(std::uint8_t value) {
    return std::to_string(value);
}

}  // namespace

std::string SettingsError::Message() const {
    if (!problem.empty()) {
        std::string message = "設定ファイルを読み込めないため、ソラネを起動できません。\n\n";
        message += "ファイル: " + file + "\n";
        message += "理由: " + problem + "\n\n";
        message +=
            "このファイルを通常のファイルに置き換えるか、消してから、もう一度起動してください。";
        return message;
    }
    std::string message = "設定ファイルの値が正しくないため、ソラネを起動できません。\n\n";
    message += "ファイル: " + file + "\n";
    message += "セクション: [" + section + "]\n";
    message += "キー: " + key + "\n";
    message += "値: \"" + value + "\"\n";
    message += "正しい値: " + expected + "\n\n";
    message += "この値を直すか、この行を消してから、もう一度起動してください。";
    return message;
}

bool AlarmSet(const ClockSettings& settings) {
    return settings.TimeHour != 0 || settings.TimeMin != 0;
}

void ArmCountdown(ClockState& state, std::int16_t seconds, const LocalDateTime& now,
                  double steady_now) {
    state.TimerSeconds = seconds;
    state.TimerDeadline = static_cast<float>(now.SecondsSinceMidnight() + seconds);
    state.TimerArmed = 1;
    state.TimerEndsAt = steady_now + seconds;
}

void DisarmCountdown(ClockState& state) {
    state.TimerDeadline = 0;
    state.TimerArmed = 0;
    state.TimerSeconds = 0;
    state.TimerEndsAt = 0;
}

std::string IniPathFor(const ClockState& state) {
    const std::string& folder = state.SettingsFolder.empty() ? state.AppPath : state.SettingsFolder;
    return folder + std::string(INI_FILE_NAME);
}

std::optional<SettingsError> LoadSettings(ClockState& state, ClockSettings& settings) {
    state.IniPath = IniPathFor(state);
    // An unreadable file reads as a missing one, as the profile functions do;
    // what is no plain file is never taken for settings.
    std::filesystem::path ini_path = PathFromUtf8(state.IniPath);
    FileRead read = ReadWholeFile(ini_path);
    if (read.status == FileRead::Status::Missing && !state.SeedFolder.empty()) {
        ini_path = PathFromUtf8(state.SeedFolder + std::string(INI_FILE_NAME));
        read = ReadWholeFile(ini_path);
    }
    if (read.status == FileRead::Status::Refused) {
        // The reason begins with the file's name, which the message gives apart.
        std::string reason = read.problem.reason;
        const std::string name = Utf8FromPath(ini_path) + ": ";
        if (reason.compare(0, name.size(), name) == 0) {
            reason.erase(0, name.size());
        }
        return SettingsError{Utf8FromPath(ini_path), reason, {}, {}, {}, {}};
    }
    const ProfileFile profile(std::move(read.bytes));

    std::optional<SettingsError> error;
    const auto read_text = [&](const char* section, const char* key, const char* default_text) {
        return profile.Get(section, key).value_or(default_text);
    };
    const auto read_number = [&](const char* section, const char* key, const char* default_text,
                                 const NumberRule& rule) -> std::int64_t {
        if (error) {
            return 0;
        }
        const std::string text = read_text(section, key, default_text);
        const std::optional<std::int64_t> value = ParseWholeNumber(text, rule.min, rule.max);
        if (!value) {
            error = SettingsError{Utf8FromPath(ini_path), {}, section, key, text, rule.expected};
            return 0;
        }
        return *value;
    };
    const auto read_byte = [&](const char* section, const char* key, const char* default_text,
                               const NumberRule& rule = BYTE_RULE) {
        return static_cast<std::uint8_t>(read_number(section, key, default_text, rule));
    };

    settings.ColorHour = read_byte("Color", "hour", "1", COLOUR_RULE);
    settings.ColorMin = read_byte("Color", "min", "9", COLOUR_RULE);
    settings.ColorSec = read_byte("Color", "sec", "0", COLOUR_RULE);
    settings.View = read_byte("Mode", "View", "1");
    settings.Sterus = read_byte("Mode", "Sterus", "0");
    settings.TimeHour = read_byte("Time", "hour", "0", HOUR_RULE);
    settings.TimeMin = read_byte("Time", "min", "0", MINUTE_RULE);
    settings.Wave = read_text("Time", "Wave", "0");
    settings.PosTop = static_cast<std::int32_t>(read_number("Pos", "Top", "50", POSITION_RULE));
    settings.PosLeft = static_cast<std::int32_t>(read_number("Pos", "Left", "50", POSITION_RULE));
    return error;
}

std::string DataFolderOf(const ClockState& state) {
    return state.DataFolder.empty() ? state.AppPath : state.DataFolder;
}

std::string SoundFileFor(const ClockSettings& settings, const ClockState& state) {
    const std::string default_sound = DataFolderOf(state) + DEFAULT_SOUND_NAME;
    if (settings.Wave.empty() || settings.Wave.front() == '0') {
        return default_sound;
    }
    // The name after the last separator of either system's kind: a file
    // from Windows stores its own default as C:\...\chimes.wav.
    const std::size_t separator = settings.Wave.find_last_of("/\\");
    const std::string_view name =
        std::string_view(settings.Wave).substr(separator == std::string::npos ? 0 : separator + 1);
    std::error_code ec;
    if (name == DEFAULT_SOUND_NAME && !std::filesystem::exists(PathFromUtf8(settings.Wave), ec)) {
        return default_sound;
    }
    return settings.Wave;
}

Message SaveReport(const WriteOutcome& saved, const std::string& what) {
    if (!saved.Ok()) {
        return {what + "を保存できませんでした。\n" + saved.reason +
                    "\n\n設定はソラネを終了するまで有効です。",
                APP_TITLE, MessageIcon::Warning};
    }
    return {what + "を保存しました。", APP_TITLE, MessageIcon::None};
}

std::optional<Message> PositionNotSaved(const WriteOutcome& saved, bool closed_by_user) {
    if (saved.Ok() || !closed_by_user) {
        return std::nullopt;
    }
    return Message{"時計の位置を保存できませんでした。\n" + saved.reason +
                       "\n\n次に起動したときは、前に保存した位置に表示されます。",
                   APP_TITLE, MessageIcon::Warning};
}

namespace {

// A save set: the settings file's keys, the file started from the seed
// folder's while it does not exist.
WriteOutcome Save(ClockState& state, const std::vector<ProfileEntry>& entries) {
    state.IniPath = IniPathFor(state);
    // The user's own settings folder may not exist before the first save.
    // The program's folder is never made: moved or deleted while the clock
    // runs, the save fails and says so, rather than start a file nobody
    // will find.
    if (!state.SettingsFolder.empty() && state.SettingsFolder != state.AppPath) {
        std::error_code ec;
        std::filesystem::create_directories(PathFromUtf8(state.SettingsFolder), ec);
    }
    std::optional<std::filesystem::path> seed;
    if (!state.SeedFolder.empty()) {
        seed = PathFromUtf8(state.SeedFolder + std::string(INI_FILE_NAME));
    }
    return WriteProfileStrings(PathFromUtf8(state.IniPath), entries, seed);
}

}  // namespace

WriteOutcome SavePosition(ClockState& state, std::int32_t top_twips, std::int32_t left_twips) {
    return Save(state, {{"Pos", "Top", std::to_string(top_twips)},
                        {"Pos", "Left", std::to_string(left_twips)}});
}

WriteOutcome SaveAlarm(ClockState& state, const ClockSettings& settings) {
    return Save(state, {{"Time", "Wave", settings.Wave},
                        {"Time", "hour", ByteText(settings.TimeHour)},
                        {"Time", "min", ByteText(settings.TimeMin)}});
}

WriteOutcome SaveSetup(ClockState& state, const ClockSettings& settings) {
    return Save(state, {{"Color", "hour", ByteText(settings.ColorHour)},
                        {"Color", "min", ByteText(settings.ColorMin)},
                        {"Color", "sec", ByteText(settings.ColorSec)},
                        {"Mode", "View", ByteText(settings.View)},
                        {"Mode", "Sterus", ByteText(settings.Sterus)}});
}

}  // namespace sorane
