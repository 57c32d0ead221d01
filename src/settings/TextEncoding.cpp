// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace sorane {
namespace {

struct Cp932Pair {
    std::uint16_t code;
    std::uint16_t unicode;
};

constexpr Cp932Pair CP932_DOUBLE_BYTE[] = {
#include "settings/Cp932Table.inc"
};

constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t LookUpDoubleByte(std::uint16_t code) {
    const auto* end = std::end(CP932_DOUBLE_BYTE);
    const auto* found = std::lower_bound(
        std::begin(CP932_DOUBLE_BYTE), end, code,
        [](const Cp932Pair& pair, std::uint16_t wanted) { return pair.code < wanted; });
    if (found != end && found->code == code) {
        return found->unicode;
    }
    return REPLACEMENT_CHARACTER;
}

// Length of the UTF-8 sequence that starts at bytes[i], or 0 when it is malformed.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char first = byte(i);
    if (first < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        cp = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        cp = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        cp = first & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF) {
        return 0;
    }
    return length;
}

// A sequence of Utf16ToUtf8's making: as Utf8SequenceLength, but a lone
// surrogate's three bytes count as one too. Sets cp.
std::size_t WideSequenceLength(std::string_view bytes, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (const std::size_t length = Utf8SequenceLength(bytes, i); length != 0) {
        cp = byte(i) < 0x80 ? byte(i) : 0;
        if (length > 1) {
            cp = byte(i) & (0xFF >> (length + 1));
            for (std::size_t k = 1; k < length; ++k) {
                cp = (cp << 6) | (byte(i + k) & 0x3F);
            }
        }
        return length;
    }
    if (byte(i) == 0xED && i + 2 < bytes.size() && byte(i + 1) >= 0xA0 && byte(i + 1) <= 0xBF &&
        (byte(i + 2) & 0xC0) == 0x80) {
        cp = 0xD000 | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
        return 3;
    }
    return 0;
}

void AppendUnit(std::string& out, char32_t unit, Utf16Order order) {
    const auto high = static_cast<char>((unit >> 8) & 0xFF);
    const auto low = static_cast<char>(unit & 0xFF);
    if (order == Utf16Order::LittleEndian) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            // Half-width katakana occupy one byte each.
            AppendUtf8(out, 0xFF61 + (byte - 0xA1));
        } else if (IsCp932LeadByte(byte) && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            AppendUtf8(out, LookUpDoubleByte(static_cast<std::uint16_t>((byte << 8) | trail)));
            ++i;
        } else {
            AppendUtf8(out, REPLACEMENT_CHARACTER);
        }
    }
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return Cp932ToUtf8(bytes);
}

std::string_view CutOnCharacterBoundary(std::string_view bytes, std::size_t max_bytes) {
    if (bytes.size() <= max_bytes) {
        return bytes;
    }
    const bool utf8 = IsValidUtf8(bytes);
    std::size_t end = 0;
    while (end < bytes.size()) {
        std::size_t length = 1;
        if (utf8) {
            length = Utf8SequenceLength(bytes, end);
        } else if (IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) &&
                   end + 1 < bytes.size()) {
            length = 2;
        }
        if (end + length > max_bytes) {
            break;
        }
        end += length;
    }
    return bytes.substr(0, end);
}

std::string Utf16ToUtf8(std::string_view bytes, Utf16Order order) {
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t k) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return order == Utf16Order::LittleEndian ? char32_t(first | (second << 8))
                                                 : char32_t((first << 8) | second);
    };
    std::string out;
    out.reserve(units * 3 / 2);
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t u = unit(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
            ++k;
        } else {
            AppendUtf8(out, u);  // a lone surrogate keeps its three bytes
        }
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view text, Utf16Order order) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = REPLACEMENT_CHARACTER;
        std::size_t length = WideSequenceLength(text, i, cp);
        if (length == 0) {
            cp = REPLACEMENT_CHARACTER;
            length = 1;
        }
        if (cp >= 0x10000) {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), order);
            AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), order);
        } else {
            AppendUnit(out, cp, order);
        }
        i += length;
    }
    return out;
}

}  // namespace sorane
