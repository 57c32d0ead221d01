// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "common/WindowManagement.h"

namespace sorane {

/// The program's folder with one trailing separator: appended unless the
/// folder already ends in one (a drive's root, "/").
std::string AppPathFrom(const std::string& program_directory, char separator);

/// Where a copy of the program keeps its files, each ending in a separator.
struct ProgramFolders {
    std::string data;      ///< the read-me and the default sound
    std::string settings;  ///< "Clock.ini"
    /// Where a "Clock.ini" lies that a new one in settings starts as a copy
    /// of: the program's folder of a portable copy that cannot write it;
    /// empty otherwise.
    std::string seed;
    bool operator==(const ProgramFolders&) const = default;
};

/// How a copy of the program lies on the disk.
enum class ProgramCopy {
    Portable,         ///< its read-me or default sound beside it: a build tree, an unpacked folder
    Installed,        ///< in <prefix>/bin, its files in <prefix>/share/sorane/ (Linux, the BSDs)
    InstalledFolder,  ///< one folder a setup program filled, marked by INSTALL_MARK (Windows)
};

/// The file a setup program leaves in the folder it installed the program in.
inline constexpr const char* INSTALL_MARK = "Installed.txt";

/// The read-me text's name, as the menu spells it.
inline constexpr const char* README_NAME = "ReadMeT.txt";

/// The read-me text "ReadMeT.txt" in the folder, found whatever the letter
/// case of its name; nullopt when there is none.
std::optional<std::string> FindReadMe(const std::string& program_directory);

/// Which kind of copy runs from app_path: the install mark beside the program
/// makes it an installed folder, its read-me or its default sound a portable
/// copy, neither an installed one.
ProgramCopy ProgramCopyAt(const std::string& app_path);

/// A portable copy keeps everything beside the program, "Clock.ini" too
/// unless that folder cannot be written; then the user's folder takes over,
/// starting from the "Clock.ini" beside the program, so that nothing set
/// there is lost. An installed copy reads its files
/// from data_from_program, the way from the program's folder to its data
/// folder as the build installed them ("../share/sorane" for <prefix>/bin and
/// <prefix>/share/sorane, '/' between the names), an installed folder from
/// beside the program; both keep "Clock.ini" in the user's own settings
/// folder.
ProgramFolders FoldersFor(const std::string& app_path, ProgramCopy copy, bool app_path_writable,
                          const std::string& user_settings_folder, char separator,
                          const std::string& data_from_program = "../share/sorane");

/// What start-up asks Qt for: a platform (nullopt for Qt's own choice), or
/// the reason there is nothing to show the clock on.
struct DisplayChoice {
    std::optional<std::string> platform;
    std::optional<std::string> error;
};

/// The user's choice of platform stands. Otherwise an X display is used when
/// one answers, also in a Wayland session ("xcb", XWayland: Wayland lets no
/// window place itself or stay on top); plain Wayland only when there is no X
/// display; with neither, an error naming what was looked for.
DisplayChoice ChooseDisplay(const DisplaySession& session);

}  // namespace sorane
