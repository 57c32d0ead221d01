// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include "common/ProcessRules.h"

namespace sorane {

/// Readies the process before anything else opens a file: standard input,
/// output and error that were closed are opened on the null device (so that
/// no socket or file of the clock's takes their numbers and gets its
/// messages), a broken pipe is an error a write returns rather than a signal
/// that ends the clock, and the soft limits on file descriptors and stack
/// are raised towards what the clock needs, as far as the hard limits allow.
/// Returns the limits then in force.
ProcessLimits PrepareProcess();

}  // namespace sorane
