// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/ValueTypes.h"

namespace sorane {

/// The largest file read as a settings file.
inline constexpr std::uintmax_t SETTINGS_FILE_MAX_BYTES = 16 * 1024 * 1024;

/// What reading a whole file came to.
struct FileRead {
    enum class Status {
        Read,        ///< bytes holds the content
        Missing,     ///< nothing is there (a link to nothing too)
        Unreadable,  ///< this user may not read it
        Refused,     ///< no plain file: a device, FIFO, socket, folder, loop of
                     ///< links, or larger than SETTINGS_FILE_MAX_BYTES
    };
    Status status = Status::Missing;
    std::string bytes;
    WriteOutcome problem;  ///< why, with Unreadable and Refused
};

/// Reads a whole file, never waiting on it and never reading without bound:
/// anything but a regular file is refused before it is opened (and again
/// once open, should it have been swapped meanwhile).
FileRead ReadWholeFile(const std::filesystem::path& file);

/// Replaces the file's content in one step: a temporary file in the same
/// folder is written, flushed to the disk and renamed over the file, so that a
/// crash never leaves a half-written file. A missing folder is not created:
/// the write fails, saying so. A
/// chain of symbolic links is followed and its final target replaced; the old
/// file's permissions are kept. A read-only file (no write permission for
/// anyone, or none for this user) is refused, as Windows refuses a file with
/// the read-only attribute. Only a regular file is ever replaced: a device,
/// FIFO, socket or folder at the end of the chain, or a loop of links, is
/// refused. Temporary files left by a killed save are removed.
WriteOutcome ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content);

}  // namespace sorane
