// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorane {

/// Reads a decimal number as the settings file and the dialogs write it:
/// blanks around it allowed, an optional sign, an optional fraction that is
/// rounded to the nearest whole number with a half going to the even
/// neighbour (2.5 -> 2, 3.5 -> 4). nullopt for anything else (empty text,
/// letters, exponents, thousands separators) and for a result outside
/// [min, max].
std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t min,
                                             std::int64_t max);

/// A whole number as a person types it in a dialog: blanks around it and a
/// sign allowed, but no fraction (7.4 and .5 are no hour); nullopt for
/// anything else and for a result outside [min, max].
std::optional<std::int64_t> ParseTypedWholeNumber(std::string_view text, std::int64_t min,
                                                  std::int64_t max);

}  // namespace sorane
