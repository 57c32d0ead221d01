// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What every sound backend checks before it plays, and how it says why a
// sound was not heard.

#include <filesystem>
#include <string>
#include <system_error>

#include "common/StandardError.h"
#include "settings/Utf8Path.h"

namespace sorane {

inline void ReportNoSound(const std::string& path, const std::string& why) {
    ReportOnStandardError("no sound from " + path + ": " + why);
}

/// Whether the file can be played at all; says why not on standard error.
inline bool Playable(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), ec);
    if (!std::filesystem::exists(status)) {
        ReportNoSound(path, "the file does not exist");
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        ReportNoSound(path, "not a file");
        return false;
    }
    return true;
}

}  // namespace sorane
