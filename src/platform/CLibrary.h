// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the clock asks of the C library beyond the standard: the GNU C
// library's memory and thread settings (CLibrary_glibc.cpp); with another
// library each does nothing (CLibrary_other.cpp).

#include <cstddef>

namespace sorane {

/// One malloc arena for every thread: the clock's few threads allocate
/// little, and each further arena is memory the idle clock keeps.
void KeepOneMallocArena();

/// Gives the heap's free memory back to the system.
void ReturnFreeMemory();

/// Threads made from now on get at least stack_bytes of stack. Threads take
/// their stack size from the limit the process started with, which may be
/// smaller than the one in force now.
void RaiseThreadStacks(std::size_t stack_bytes);

}  // namespace sorane
