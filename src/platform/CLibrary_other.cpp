// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/CLibrary.h"

namespace sorane {

void KeepOneMallocArena() {}

void ReturnFreeMemory() {}

void RaiseThreadStacks(std::size_t) {}

}  // namespace sorane
