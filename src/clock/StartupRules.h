// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Twips.h"
#include "common/ValueTypes.h"
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

/// Where the clock opens for a saved position in twips: that position in
/// pixels, or, when the clock would lie wholly off every screen (a monitor
/// was removed), the default position of 50, 50 twips. A clock partly on a
/// screen stays where it was, and so does one where no screen has a size
/// (no active output: the only monitor switched off).
ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens);

/// Where the clock is to be saved as being: where the display server has it
/// (also after a move by the window manager or another program), unless the
/// server did not show it where it was put (a compositor that places windows
/// itself, as sway does) and the user has not dragged it through the
/// compositor since: then the place it was last put at, from Clock.ini or by
/// a drag of its own, so that a place the user never chose does not replace
/// theirs. on_screen: the server's place, nullopt where it cannot tell.
ScreenPoint PlaceToSave(ScreenPoint put_at, std::optional<ScreenPoint> on_screen,
                        bool shown_where_put, bool dragged_by_compositor);

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

/// Whether the clock draws the corners outside its dial clear, to be blended
/// over what lies behind it: wherever something composites the window (some
/// compositors ignore the window's shape, and a square would show). Where
/// nothing does, clear pixels would show black, so the corners are drawn
/// opaque and the window's shape cuts them away.
bool ClearCornersFor(const Compositing& compositing);

/// What the clock does about the X11 window manager of that name (see
/// WindowManagerWays).
WindowManagerWays WaysOf(const std::string& window_manager);

/// Whether a drag is left to the compositor (the window manager's move)
/// rather than done by moving the window to follow the pointer: under
/// Wayland, where a window cannot place itself, and under the XWayland of
/// Weston and of sway (wlroots), whose window managers ignore a window's own
/// moves once it is shown.
bool DragThroughCompositor(const Compositing& compositing);

}  // namespace sorane
