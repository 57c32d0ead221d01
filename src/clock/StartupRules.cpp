#include "clock/StartupRules.h"

#include <cmath>

#include "clock/TickRules.h"

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

std::string SettingsFolderFor(const std::string& app_path, bool app_path_writable,
                              const std::string& user_settings_folder, char separator) {
    if (app_path_writable || user_settings_folder.empty()) {
        return app_path;
    }
    return AppPathFrom(user_settings_folder, separator);
}

int TwipsToPixels(std::int32_t twips) {
    return static_cast<int>(std::floor(twips / static_cast<double>(TWIPS_PER_PIXEL) + 0.5));
}

ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens) {
    const ScreenPoint saved{TwipsToPixels(left_twips), TwipsToPixels(top_twips)};
    const ScreenRect clock{saved.x, saved.y, CLOCK_SIZE, CLOCK_SIZE};
    if (screens.empty()) {
        return saved;
    }
    for (const ScreenRect& screen : screens) {
        if (Overlaps(clock, screen)) {
            return saved;
        }
    }
    return {TwipsToPixels(DEFAULT_POSITION_TWIPS), TwipsToPixels(DEFAULT_POSITION_TWIPS)};
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
