// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/StartupRules.h"

#include <filesystem>
#include <system_error>

#include <cmath>

#include "settings/AsciiText.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace {

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
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

}  // namespace sorane
