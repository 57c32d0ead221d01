// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ProfileFile.h"

namespace sorane {

/// The whole content of a file; nullopt when it does not exist. An existing
/// file that cannot be read sets error and returns nullopt.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, std::string& error);

/// Replaces the file's content in one step: a temporary file in the same
/// folder is written, flushed to the disk and renamed over the file, so that a
/// crash never leaves a half-written file. A missing folder is created. A
/// chain of symbolic links is followed and its final target replaced; the old
/// file's permissions are kept. A read-only file (no write permission for
/// anyone, or none for this user) is refused, as Windows refuses a file with
/// the read-only attribute. Temporary files left by a killed save are removed.
WriteOutcome ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content);

}  // namespace sorane
