#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace sorane {

/// The program's folder with one trailing separator: appended unless the
/// folder already ends in one (a drive's root, "/").
std::string AppPathFrom(const std::string& program_directory, char separator);

/// The folder for "Clock.ini": the program's folder (AppPath) when it can be
/// written, else the user's own settings folder, with a trailing separator.
std::string SettingsFolderFor(const std::string& app_path, bool app_path_writable,
                              const std::string& user_settings_folder, char separator);

/// Pixels for a position in twips, to the nearest pixel.
int TwipsToPixels(std::int32_t twips);

/// Where the clock opens for a saved position in twips: that position in
/// pixels, or, when the clock would lie wholly off every screen (a monitor
/// was removed), the default position of 50, 50 twips. A clock partly on a
/// screen stays where it was.
ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens);

/// The Qt platform to ask for: "xcb" (XWayland) in a Wayland session that
/// also offers an X display, unless the user chose a platform; else nothing.
std::optional<std::string> PreferredQtPlatform(const char* wayland_display, const char* display,
                                               const char* qt_qpa_platform);

}  // namespace sorane
