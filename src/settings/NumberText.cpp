// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/NumberText.h"

#include "settings/AsciiText.h"

namespace sorane {

std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t min,
                                             std::int64_t max) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto all_digits = [](std::string_view digits) {
        for (char c : digits) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    };
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    if (!all_digits(whole) || !all_digits(fraction)) {
        return std::nullopt;
    }

    // Magnitudes beyond 10^18 are out of every range this program reads;
    // stop counting there so that nothing overflows.
    constexpr std::int64_t LIMIT = 1'000'000'000'000'000'000;
    std::int64_t magnitude = 0;
    for (char c : whole) {
        if (magnitude > LIMIT / 10) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
    }

    // Round the fraction exactly, on its digits, so that no binary floating
    // point error can turn 2.5 into 2.4999.
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool rest_non_zero =
            fraction.substr(1).find_first_not_of('0') != std::string_view::npos;
        bool round_up = false;
        if (first > '5' || (first == '5' && rest_non_zero)) {
            round_up = true;
        } else if (first == '5') {
            round_up = magnitude % 2 == 1;
        }
        if (round_up) {
            ++magnitude;
        }
    }

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> ParseTypedWholeNumber(std::string_view text, std::int64_t min,
                                                  std::int64_t max) {
    if (text.find('.') != std::string_view::npos) {
        return std::nullopt;
    }
    return ParseWholeNumber(text, min, max);
}

}  // namespace sorane
