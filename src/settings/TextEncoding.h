// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorane {

/// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

/// Decodes code page 932 (Windows Shift_JIS) bytes to UTF-8; a byte pair that
/// names no character becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);

/// Text as this program reads it from a file: UTF-8 when the bytes are valid
/// UTF-8, else code page 932, as written on a Japanese Windows system.
std::string DecodeFileText(std::string_view bytes);

/// The longest prefix of at most max_bytes bytes that ends on a character
/// boundary, in UTF-8 when the bytes are valid UTF-8 and in code page 932
/// otherwise.
std::string_view CutOnCharacterBoundary(std::string_view bytes, std::size_t max_bytes);

/// The two byte orders of UTF-16.
enum class Utf16Order { LittleEndian, BigEndian };

/// UTF-16 code units to UTF-8, unit for unit: a pair of surrogates becomes
/// its character, a surrogate without its partner the three bytes that would
/// stand for it, so that Utf8ToUtf16 gives back every unit as it was. An odd
/// last byte is not part of the text and is left out.
std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order);

/// UTF-8 (as Utf16ToUtf8 makes it) to UTF-16 code units in the byte order;
/// a byte that begins no sequence becomes U+FFFD.
std::string Utf8ToUtf16(std::string_view text, Utf16Order order);

}  // namespace sorane
