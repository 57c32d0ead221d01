// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the settings file's reading and replacing ask of the operating system:
// one file for POSIX systems and one for Windows, chosen by the build.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/AtomicFile.h"

namespace sorane::file_system {

/// The reasons a call on a file fails, as the user is told them.
enum class Reason {
    NoPermission,
    DiskFull,
    QuotaExceeded,
    ReadOnlyDisk,
    DiskError,
    NoFolder,
    FolderOfThatName,
    MountPoint,
    HeldByAnotherProgram,
    NameTooLong,
    Other,
};

/// A failure, worded twice: in English for standard error and in Japanese for
/// the user.
WriteOutcome Failure(const std::filesystem::path& file, const std::string& english,
                     const std::string& japanese);

/// A failed call: what was tried and the system's text for English, the
/// reason for Japanese (Other with the system's error number).
WriteOutcome SystemFailure(const std::filesystem::path& file, const std::string& what,
                           const std::string& system_text, Reason reason, long error_number);

/// Writes content to a new temporary file beside target and swaps it in.
/// keep_perms: the replaced file's permissions, where the system keeps them.
WriteOutcome WriteAndRename(const std::filesystem::path& target, std::string_view content,
                            std::optional<std::filesystem::perms> keep_perms);

/// Whether this user may write the file itself.
bool MayWrite(const std::filesystem::path& file);

/// Reads a file already known to be a regular file no larger than the
/// limit; Refused when it has become something else or has grown past it.
FileRead ReadPlainFile(const std::filesystem::path& file);

/// Refusals both systems give.
WriteOutcome TooLarge(const std::filesystem::path& file);
WriteOutcome NotRegular(const std::filesystem::path& file);

}  // namespace sorane::file_system
