# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT

# The menu entry copied as it is into an autostart folder
# ($XDG_CONFIG_HOME/autostart), the way README tells a user to start the
# clock with the session: the copy must still validate, start the program
# itself, not in a terminal, and not be hidden (a hidden autostart entry
# starts nothing).
#
#   cmake -DVALIDATE=<desktop-file-validate> -DENTRY=<the .desktop file>
#         -DWORK=<a scratch folder> -P desktop_autostart_test.cmake
file(REMOVE_RECURSE "${WORK}")
set(autostart "${WORK}/xdg_config_home/autostart")
file(MAKE_DIRECTORY "${autostart}")
file(COPY "${ENTRY}" DESTINATION "${autostart}")
get_filename_component(name "${ENTRY}" NAME)
set(copy "${autostart}/${name}")

execute_process(COMMAND "${VALIDATE}" "${copy}" RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the autostart copy:\n${out}${err}")
endif()

# The [Desktop Entry] group alone: keys of other groups (actions) do not count.
file(READ "${copy}" text)
set(text "\n${text}")
string(FIND "${text}" "\n[Desktop Entry]\n" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${name} has no [Desktop Entry] group")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 group)
string(FIND "${group}" "\n[" end)
if(NOT end EQUAL -1)
    string(SUBSTRING "${group}" 0 ${end} group)
endif()
set(group "\n${group}\n")

if(NOT group MATCHES "\nExec[ \t]*=[ \t]*([^\n]*)\n")
    message(FATAL_ERROR "${name} has no Exec= line")
endif()
string(REGEX REPLACE "[ \t].*" "" program "${CMAKE_MATCH_1}")
if(NOT program STREQUAL "sorane")
    message(FATAL_ERROR "${name} starts '${program}', not sorane")
endif()
if(group MATCHES "\nTerminal[ \t]*=[ \t]*true[ \t]*\n")
    message(FATAL_ERROR "${name} starts the clock in a terminal (Terminal=true)")
endif()
if(group MATCHES "\nHidden[ \t]*=[ \t]*true[ \t]*\n")
    message(FATAL_ERROR "${name} is hidden (Hidden=true): a session would not start it")
endif()
