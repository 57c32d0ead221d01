// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/CLibrary.h"

#include <malloc.h>
#include <pthread.h>

namespace sorane {

void KeepOneMallocArena() {
    mallopt(M_ARENA_MAX, 1);
}

void ReturnFreeMemory() {
    malloc_trim(0);
}

void RaiseThreadStacks(std::size_t stack_bytes) {
    pthread_attr_t defaults;
    if (::pthread_getattr_default_np(&defaults) != 0) {
        return;
    }
    std::size_t thread_stack = 0;
    if (::pthread_attr_getstacksize(&defaults, &thread_stack) == 0 && thread_stack < stack_bytes) {
        ::pthread_attr_setstacksize(&defaults, stack_bytes);
        ::pthread_setattr_default_np(&defaults);
    }
    ::pthread_attr_destroy(&defaults);
}

}  // namespace sorane
