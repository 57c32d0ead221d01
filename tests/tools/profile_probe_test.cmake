# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT

# Drives profile_probe the way a conformance script would: write keys, read
# them back, and check a refused write exits 1.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(ini "${WORK}/Clock.ini")

function(probe expected_status)
    execute_process(COMMAND "${PROBE}" ${ARGN} RESULT_VARIABLE status
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "profile_probe ${ARGN}: status ${status}, expected ${expected_status}: ${err}")
    endif()
    set(probe_out "${out}" PARENT_SCOPE)
endfunction()

probe(0 set "${ini}" Pos Top -450)
probe(0 set "${ini}" Time Wave "  C:\\sound\\a b.wav ")
probe(0 get "${ini}" pos TOP 50)
if(NOT probe_out STREQUAL "-450\n")
    message(FATAL_ERROR "read back '${probe_out}'")
endif()
probe(0 get "${ini}" Time Wave 0)
if(NOT probe_out STREQUAL "  C:\\sound\\a b.wav \n")
    message(FATAL_ERROR "quoted value read back as '${probe_out}'")
endif()
probe(0 get "${ini}" Time min 0)
if(NOT probe_out STREQUAL "0\n")
    message(FATAL_ERROR "missing key gave '${probe_out}'")
endif()
# Compared as hex: file(READ) as text would drop the CRs.
file(READ "${ini}" content HEX)
file(WRITE "${WORK}/expected.ini" "[Pos]\r\nTop=-450\r\n[Time]\r\nWave=\"  C:\\sound\\a b.wav \"\r\n")
file(READ "${WORK}/expected.ini" expected HEX)
if(NOT content STREQUAL expected)
    message(FATAL_ERROR "file holds ${content}, expected ${expected}")
endif()
probe(1 set "${ini}" Time Wave "line\nbreak")
