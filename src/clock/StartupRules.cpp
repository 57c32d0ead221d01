// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/StartupRules.h"

#include <filesystem>
#include <system_error>

#include <cmath>

#include "clock/TickRules.h"

#include "settings/AsciiText.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace {

constexpr std::int32_t DEFAULT_POSITION_TWIPS = 50;

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

bool Overlaps(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

}  // namespace

std::string AppPathFrom(const std::string& program_directory, char separator) {
    if (!program_directory.empty() && program_directory.back() == separator) {
        return program_directory;
    }
    return program_directory + separator;
}

std::optional<std::string> FindReadMe(const std::string& program_directory) {
    namespace fs = std::filesystem;
    const fs::path folder = PathFromUtf8(program_directory);
    std::error_code ec;
    // The file has been spelt "ReadMeT.txt" and "ReadmeT.txt"; on a file
    // system that tells letter case apart, any spelling of it will do.
    if (fs::is_regular_file(folder / README_NAME, ec)) {
        return Utf8FromPath(folder / README_NAME);
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoringAsciiCase(Utf8FromPath(it->path().filename()), README_NAME) &&
            it->is_regular_file(ec)) {
            return Utf8FromPath(it->path());
        }
    }
    return std::nullopt;
}

ProgramCopy ProgramCopyAt(const std::string& app_path) {
    std::error_code ec;
    if (std::filesystem::exists(PathFromUtf8(app_path + INSTALL_MARK), ec)) {
        return ProgramCopy::InstalledFolder;
    }
    if (std::filesystem::exists(PathFromUtf8(app_path + "chimes.wav"), ec) ||
        FindReadMe(app_path).has_value()) {
        return ProgramCopy::Portable;
    }
    return ProgramCopy::Installed;
}

ProgramFolders FoldersFor(const std::string& app_path, ProgramCopy copy, bool app_path_writable,
                          const std::string& user_settings_folder, char separator,
                          const std::string& data_from_program) {
    const std::string user_folder =
        user_settings_folder.empty() ? app_path : AppPathFrom(user_settings_folder, separator);
    switch (copy) {
        case ProgramCopy::Portable:
            if (app_path_writable || user_folder == app_path) {
                return {app_path, app_path, {}};
            }
            return {app_path, user_folder, app_path};
        case ProgramCopy::InstalledFolder:
            return {app_path, user_folder, {}};
        case ProgramCopy::Installed:
            break;
    }
    // <prefix>/bin/ + ../share/sorane -> <prefix>/share/sorane/
    std::string data = app_path;
    std::size_t start = 0;
    while (start <= data_from_program.size()) {
        std::size_t end = data_from_program.find('/', start);
        if (end == std::string::npos) {
            end = data_from_program.size();
        }
        const std::string name = data_from_program.substr(start, end - start);
        if (name == "..") {
            const std::size_t up = data.find_last_of(separator, data.size() - 2);
            if (up != std::string::npos) {
                data.erase(up + 1);
            }
        } else if (!name.empty() && name != ".") {
            data += name + separator;
        }
        start = end + 1;
    }
    return {data, user_folder, {}};
}

ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens) {
    const ScreenPoint saved{PixelsOf(left_twips), PixelsOf(top_twips)};
    const ScreenRect clock{saved.x, saved.y, CLOCK_SIZE, CLOCK_SIZE};
    // A screen of no size is no screen: with the only monitor switched off
    // the clock cannot tell where the screens are, and keeps its place.
    bool any_screen = false;
    for (const ScreenRect& screen : screens) {
        if (screen.width <= 0 || screen.height <= 0) {
            continue;
        }
        any_screen = true;
        if (Overlaps(clock, screen)) {
            return saved;
        }
    }
    if (!any_screen) {
        return saved;
    }
    return {PixelsOf(DEFAULT_POSITION_TWIPS), PixelsOf(DEFAULT_POSITION_TWIPS)};
}

DisplayChoice ChooseDisplay(const DisplaySession& session) {
    if (IsSet(session.qt_qpa_platform)) {
        return {};
    }
    const bool wayland = IsSet(session.wayland_display);
    if (session.x_reachable) {
        return {wayland ? std::optional<std::string>("xcb") : std::nullopt, std::nullopt};
    }
    if (wayland && session.wayland_plugin) {
        return {"wayland", std::nullopt};
    }
    std::string error = "no display to show the clock on: ";
    error += wayland ? "no X display answers (XWayland) and Qt's Wayland support (qt6-wayland) "
                       "is not installed"
                     : "no X display answers (is DISPLAY set?) and there is no Wayland session";
    return {std::nullopt, error};
}

ScreenPoint PlaceToSave(ScreenPoint put_at, std::optional<ScreenPoint> on_screen,
                        bool shown_where_put, bool dragged_by_compositor) {
    if (on_screen && (shown_where_put || dragged_by_compositor)) {
        return *on_screen;
    }
    return put_at;
}

bool ClearCornersFor(const Compositing& compositing) {
    return compositing.native_wayland || compositing.xwayland || compositing.compositing_manager;
}

WindowManagerWays WaysOf(const std::string& window_manager) {
    if (window_manager == "herbstluftwm") {
        return {.first_type = WindowType::Notification, .unmanaged = true};
    }
    if (window_manager == "awesome") {
        // Its default rules give ordinary windows and dialogs a title bar.
        return {.first_type = WindowType::Utility,
                .dialogs_raised_again_on_click = true,
                .border_taken_away = true,
                .moves_new_windows = true};
    }
    if (window_manager == "i3") {
        return {.dialogs_raised_again_on_click = true};
    }
    return {};
}

bool DragThroughCompositor(const Compositing& compositing) {
    return compositing.native_wayland ||
           (compositing.xwayland && (compositing.window_manager == "Weston WM" ||
                                     compositing.window_manager == "wlroots wm"));
}

}  // namespace sorane
