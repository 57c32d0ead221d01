#pragma once

#include <optional>
#include <string>

#include "platform/Desktop.h"

namespace sorane {

/// What the clock's keys and its pop-up menu can ask for.
enum class ClockCommand { None, Timer, Setup, Help, About, Exit };

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

/// The command of a key on the clock, by its virtual-key code (Esc 27,
/// A 65, H 72); letters act with or without Shift.
ClockCommand CommandForKey(int virtual_key);

/// "終了します。", shown before the program ends.
Message ExitMessage();

/// The read-me text "ReadMeT.txt" in the folder, found whatever the letter
/// case of its name; nullopt when there is none.
std::optional<std::string> FindReadMe(const std::string& program_directory);

/// Opens the read-me text with the desktop's document opener; nothing
/// happens, and nothing is said, when there is none.
void OpenReadMe(Desktop& desktop);

/// The home pages the About window links to.
inline constexpr const char* ART_HOME_PAGE = "https://sorane.example.org/art/";
inline constexpr const char* PROGRAM_HOME_PAGE = "https://sorane.example.org/";

/// Opens a home page in the user's browser: the desktop's address opener
/// first; the toolkit's own means only when that opener is not installed;
/// any other failure is reported in a three-line message.
void OpenHomePage(Desktop& desktop, const std::string& url);

/// The message for a failure to open a home page.
Message HomePageFailure(int error_number, const std::string& description);

}  // namespace sorane
