// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ValueTypes.h"
#include "settings/TextEncoding.h"

namespace sorane {

/// The longest value a read returns, in bytes (a 1023-byte buffer with its NUL).
inline constexpr std::size_t PROFILE_VALUE_MAX_BYTES = 1022;

/// One key to write: [section] key=value.
struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

/// A private-profile (INI) file held as its exact bytes.
///
/// Reading follows the Windows profile functions: names match without regard
/// to ASCII letter case; the first matching section and key win; blanks around
/// names and values are ignored; one pair of matching quotes around a value is
/// removed; lines starting with ';' or '#' are comments; CRLF, LF and CR all end
/// a line. Changing a key touches only that key's value (or adds one line, or a
/// section at the end); every other byte of the file stays as it was.
///
/// A file with a UTF-16 byte-order mark (Notepad's "Unicode") is read and
/// written as UTF-16 in its byte order, as Windows' profile functions do; any
/// other file as 8-bit text (UTF-8, with or without its mark, or code page 932).
class ProfileFile {
public:
    ProfileFile() = default;
    explicit ProfileFile(std::string bytes);

    /// The value of [section] key as UTF-8 (decoded from code page 932 when the
    /// line is not UTF-8), cut to PROFILE_VALUE_MAX_BYTES on a character
    /// boundary; nullopt when the section or the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    /// Sets [section] key=value in memory. Refuses (and changes nothing) a name
    /// that could not be read back as itself, and a value with a line break.
    WriteOutcome Set(std::string_view section, std::string_view key, std::string_view value);

    /// The file's bytes, in the encoding it was read in.
    std::string Bytes() const;

private:
    std::optional<Utf16Order> m_utf16;  ///< the file's byte order, when it is UTF-16
    std::string m_text;                 ///< the file as 8-bit text (UTF-16 made UTF-8)
    std::string m_odd_byte;             ///< a UTF-16 file's odd last byte, kept
};

/// Reads a key the way GetPrivateProfileString does: the value, or
/// default_value when the file, the section or the key is missing.
std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view default_value);

/// Writes the entries, in order, as one atomic replacement of the file (created
/// when missing, as a copy of seed's bytes when seed is given and readable).
/// A file that exists but cannot be read, or is read-only, is left alone and
/// the outcome says why.
WriteOutcome WriteProfileStrings(const std::filesystem::path& file,
                                 const std::vector<ProfileEntry>& entries,
                                 const std::optional<std::filesystem::path>& seed = std::nullopt);

}  // namespace sorane
