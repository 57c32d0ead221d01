// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the process needs of the system to start, and where the user's own
// settings files live: rules that the platform layer asks.

#include <cstdint>
#include <optional>
#include <string>

namespace sorane {

/// The limits the system sets the clock's process, as they are once raised
/// as far as the hard limits allow; 0 where there is none.
struct ProcessLimits {
    std::uint64_t open_files = 0;   ///< file descriptors
    std::uint64_t stack_bytes = 0;  ///< the stack of each thread
};

/// The fewest file descriptors the clock starts with: the X connection,
/// Qt's and GLib's wake-ups, the settings file, the sound server, the
/// desktop's opener, and room to spare.
inline constexpr std::uint64_t MIN_OPEN_FILES = 64;
/// The smallest stack the clock starts with.
inline constexpr std::uint64_t MIN_STACK_BYTES = 512 * 1024;

/// What is too short for the clock to start, for standard error; nullopt
/// when nothing is.
std::optional<std::string> ShortOfLimits(const ProcessLimits& limits);

/// The folder of the user's own settings files, by the XDG Base Directory
/// rule: XDG_CONFIG_HOME when it is an absolute path, else home + "/.config"
/// (a relative or empty XDG_CONFIG_HOME is ignored, so that the settings
/// never depend on the folder the clock was started from).
std::string ConfigHomeFrom(const char* xdg_config_home, const std::string& home);

}  // namespace sorane
