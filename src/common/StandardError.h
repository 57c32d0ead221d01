// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <iostream>
#include <string_view>

namespace sorane {

/// Writes one line of the clock's to standard error: "sorane: " and the
/// text. A line that cannot be written (a closed or broken pipe) is lost;
/// the clock goes on.
inline void ReportOnStandardError(std::string_view line) {
    std::cerr << "sorane: " << line << std::endl;
}

}  // namespace sorane
