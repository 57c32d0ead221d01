# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# Sourced by the Windows scripts: install_missing PACKAGE... installs the
# Debian packages of the list that are not installed yet, saying so on
# standard error (standard output may be a script's answer).

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}" >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
}
