// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "common/ProcessRules.h"

namespace sorane {

std::string ConfigHomeFrom(const char* xdg_config_home, const std::string& home) {
    if (xdg_config_home != nullptr && xdg_config_home[0] == '/') {
        return xdg_config_home;
    }
    return home + "/.config";
}

std::optional<std::string> ShortOfLimits(const ProcessLimits& limits) {
    std::string short_of;
    if (limits.open_files != 0 && limits.open_files < MIN_OPEN_FILES) {
        short_of = "too few file descriptors: the limit is " + std::to_string(limits.open_files) +
                   ", the clock needs at least " + std::to_string(MIN_OPEN_FILES);
    }
    if (limits.stack_bytes != 0 && limits.stack_bytes < MIN_STACK_BYTES) {
        short_of += short_of.empty() ? "" : "; ";
        short_of += "too small a stack: the limit is " + std::to_string(limits.stack_bytes / 1024) +
                    " KiB, the clock needs at least " + std::to_string(MIN_STACK_BYTES / 1024) +
                    " KiB";
    }
    if (short_of.empty()) {
        return std::nullopt;
    }
    return "the clock cannot start: " + short_of + " (ulimit -n, ulimit -s)";
}

}  // namespace sorane
