// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/ProfileFile.h"

#include <algorithm>

#include "settings/AsciiText.h"
#include "settings/AtomicFile.h"
#include "settings/FileSystemCalls.h"
#include "settings/TextEncoding.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace {

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// One line of the file: [begin, end) is its text, next is where the following
// line begins (after its CRLF, LF or CR; the file's size for the last line).
struct Line {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

enum class LineKind { Other, Section, Key };

// What a line says: a section header with its name, a key with its name and
// value, or anything else (blank, comment, a line without "=").
struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::size_t value_begin = 0;  // file offset where the value's text starts (keys)
    std::string_view value;       // trimmed, still quoted (keys)
};

// Where the first line begins: after a UTF-8 byte-order mark, if any.
std::size_t FirstLineBegin(std::string_view bytes) {
    return bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM ? UTF8_BOM.size() : 0;
}

// The line that begins at pos (pos < bytes.size()).
Line LineAt(std::string_view bytes, std::size_t pos) {
    const std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        return {pos, bytes.size(), bytes.size()};
    }
    const std::size_t next =
        (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? end + 2
                                                                                 : end + 1;
    return {pos, end, next};
}

ParsedLine ParseLine(std::string_view bytes, const Line& line) {
    const std::string_view text = bytes.substr(line.begin, line.end - line.begin);
    const std::string_view trimmed = TrimBlanks(text);
    ParsedLine parsed;
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
        return parsed;
    }
    // As Windows reads a header: its name runs to the last ']' on the line
    // ("[Color]]" is the section "Color]"); without one the line is no header.
    const std::size_t close = trimmed.rfind(']');
    if (trimmed.front() == '[' && close != std::string_view::npos) {
        parsed.kind = LineKind::Section;
        parsed.name = TrimBlanks(trimmed.substr(1, close - 1));
        return parsed;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return parsed;
    }
    parsed.kind = LineKind::Key;
    parsed.name = TrimBlanks(text.substr(0, equals));
    std::size_t value_begin = equals + 1;
    while (value_begin < text.size() && IsBlank(text[value_begin])) {
        ++value_begin;
    }
    parsed.value_begin = line.begin + value_begin;
    parsed.value = TrimBlanks(text.substr(value_begin));
    return parsed;
}

// Calls visit for each line of the file in turn until it returns false. The
// file is read line by line, never split into a list: a file of millions of
// blank lines costs no memory beyond itself.
template <typename Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
    for (std::size_t pos = FirstLineBegin(bytes); pos < bytes.size();) {
        const Line line = LineAt(bytes, pos);
        pos = line.next;
        if (!visit(line)) {
            return;
        }
    }
}

std::string_view EndingOf(std::string_view bytes, const Line& line) {
    return bytes.substr(line.end, line.next - line.end);
}

// Where a key lives in the file, as far as it was found.
struct KeyLocation {
    std::optional<Line> section_line;  // header of the first matching section
    std::optional<Line> key_line;      // first matching key inside it
    Line last_key_line{};              // last key line of that section (or its header)
    // The ending of the last line, up to last_key_line, of that section that
    // has one (empty when none has).
    std::string_view section_line_end;
};

KeyLocation Locate(std::string_view bytes, std::string_view section, std::string_view key) {
    KeyLocation location;
    std::string_view latest_end;
    ForEachLine(bytes, [&](const Line& line) {
        const ParsedLine parsed = ParseLine(bytes, line);
        if (location.section_line && !EndingOf(bytes, line).empty()) {
            latest_end = EndingOf(bytes, line);
        }
        if (parsed.kind == LineKind::Section) {
            if (location.section_line) {
                return false;  // a later copy of the section is not merged
            }
            if (EqualsIgnoringAsciiCase(parsed.name, section)) {
                location.section_line = line;
                location.last_key_line = line;
                latest_end = EndingOf(bytes, line);
                location.section_line_end = latest_end;
            }
        } else if (parsed.kind == LineKind::Key && location.section_line) {
            location.last_key_line = line;
            location.section_line_end = latest_end;
            if (EqualsIgnoringAsciiCase(parsed.name, key)) {
                location.key_line = line;
                return false;
            }
        }
        return true;
    });
    return location;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The text to put after "=", so that a read gives back exactly value.
std::string QuoteIfNeeded(std::string_view value) {
    const bool blank_at_edge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool looks_quoted = Unquote(value).size() != value.size();
    if (blank_at_edge || looks_quoted) {
        std::string quoted(1, '"');
        quoted.append(value).push_back('"');
        return quoted;
    }
    return std::string(value);
}

// The line ending most lines of the file have (CRLF for a file without one).
std::string_view DominantLineEnd(std::string_view bytes) {
    std::size_t crlf = 0;
    std::size_t lf = 0;
    std::size_t cr = 0;
    ForEachLine(bytes, [&](const Line& line) {
        const std::string_view ending = EndingOf(bytes, line);
        crlf += ending == "\r\n";
        lf += ending == "\n";
        cr += ending == "\r";
        return true;
    });
    if (lf > crlf && lf >= cr) {
        return "\n";
    }
    if (cr > crlf && cr > lf) {
        return "\r";
    }
    return "\r\n";
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string CheckNames(std::string_view section, std::string_view key) {
    if (section.empty() || HasLineBreakOrNul(section) || section.find(']') != std::string::npos ||
        TrimBlanks(section).size() != section.size()) {
        return "invalid section name \"" + std::string(section) + "\"";
    }
    if (key.empty() || HasLineBreakOrNul(key) || key.find('=') != std::string::npos ||
        TrimBlanks(key).size() != key.size() || key.front() == '[' || key.front() == ';' ||
        key.front() == '#') {
        return "invalid key name \"" + std::string(key) + "\"";
    }
    return {};
}

}  // namespace

ProfileFile::ProfileFile(std::string bytes) {
    const std::string_view mark = std::string_view(bytes).substr(0, 2);
    if (mark == "\xFF\xFE" || mark == "\xFE\xFF") {
        m_utf16 = mark == "\xFF\xFE" ? Utf16Order::LittleEndian : Utf16Order::BigEndian;
        const std::string_view units = std::string_view(bytes).substr(2);
        m_text = Utf16ToUtf8(units, *m_utf16);
        m_odd_byte = units.substr(units.size() & ~std::size_t(1));
    } else {
        m_text = std::move(bytes);
    }
}

std::string ProfileFile::Bytes() const {
    if (!m_utf16) {
        return m_text;
    }
    const std::string mark = *m_utf16 == Utf16Order::LittleEndian ? "\xFF\xFE" : "\xFE\xFF";
    return mark + Utf8ToUtf16(m_text, *m_utf16) + m_odd_byte;
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    const KeyLocation location = Locate(m_text, section, key);
    if (!location.key_line) {
        return std::nullopt;
    }
    const ParsedLine parsed = ParseLine(m_text, *location.key_line);
    const std::string_view raw =
        CutOnCharacterBoundary(Unquote(parsed.value), PROFILE_VALUE_MAX_BYTES);
    return DecodeFileText(raw);
}

WriteOutcome ProfileFile::Set(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (std::string error = CheckNames(section, key); !error.empty()) {
        return {error, "[" + std::string(section) + "] " + std::string(key) +
                           ": この名前は書き込めません。"};
    }
    if (HasLineBreakOrNul(value)) {
        const std::string name = "[" + std::string(section) + "] " + std::string(key);
        return {"the value for " + name + " contains a line break",
                name + ": 値に改行を含めることはできません。"};
    }
    const KeyLocation location = Locate(m_text, section, key);
    const std::string key_line = std::string(key) + "=" + QuoteIfNeeded(value);

    if (location.key_line) {
        const Line& line = *location.key_line;
        const ParsedLine parsed = ParseLine(m_text, line);
        m_text.replace(parsed.value_begin, line.end - parsed.value_begin, QuoteIfNeeded(value));
    } else if (location.section_line) {
        // A line added to a section ends as the section's own last ended
        // line does, so that a CRLF section never gets an LF line.
        const Line& after = location.last_key_line;
        const std::string line_end(location.section_line_end.empty() ? DominantLineEnd(m_text)
                                                                     : location.section_line_end);
        const bool has_line_end = after.next > after.end;
        std::string insert = has_line_end ? key_line + line_end : line_end + key_line + line_end;
        m_text.insert(after.next, insert);
    } else {
        const std::string line_end(DominantLineEnd(m_text));
        std::string append;
        const bool ends_open =
            !m_text.empty() && m_text.back() != '\n' && m_text.back() != '\r' && m_text != UTF8_BOM;
        if (ends_open) {
            append += line_end;
        }
        append.append(1, '[').append(section).append(1, ']');
        append.append(line_end).append(key_line).append(line_end);
        m_text += append;
    }
    return {};
}

std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view default_value) {
    const FileRead read = ReadWholeFile(file);
    if (read.status != FileRead::Status::Read) {
        return std::string(default_value);
    }
    return ProfileFile(read.bytes).Get(section, key).value_or(std::string(default_value));
}

WriteOutcome WriteProfileStrings(const std::filesystem::path& file,
                                 const std::vector<ProfileEntry>& entries,
                                 const std::optional<std::filesystem::path>& seed) {
    FileRead read = ReadWholeFile(file);
    if (read.status == FileRead::Status::Missing && seed) {
        read = ReadWholeFile(*seed);
        if (read.status != FileRead::Status::Read) {
            read = FileRead{};  // a seed that cannot be read gives a new file
        }
    }
    if (read.status == FileRead::Status::Unreadable || read.status == FileRead::Status::Refused) {
        return read.problem;
    }
    ProfileFile profile(std::move(read.bytes));
    for (const ProfileEntry& entry : entries) {
        if (WriteOutcome outcome = profile.Set(entry.section, entry.key, entry.value);
            !outcome.Ok()) {
            return outcome;
        }
    }
    const std::string bytes = profile.Bytes();
    if (bytes.size() > SETTINGS_FILE_MAX_BYTES) {
        // The next start would refuse the file: it is left as it is.
        return file_system::TooLarge(file);
    }
    return ReplaceFileAtomically(file, bytes);
}

}  // namespace sorane
