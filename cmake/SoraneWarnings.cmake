# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT

# The warnings this project's own code is built with, as a target to link:
# code built from other projects' sources (GoogleTest in a cross build)
# keeps its own.
if(NOT TARGET sorane_warnings)
    add_library(sorane_warnings INTERFACE)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(sorane_warnings INTERFACE -Wall -Wextra -Wpedantic
                               $<$<BOOL:${SORANE_WERROR}>:-Werror>)
    elseif(MSVC)
        target_compile_options(sorane_warnings INTERFACE /W4 $<$<BOOL:${SORANE_WERROR}>:/WX>)
    endif()
endif()
