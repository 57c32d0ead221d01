#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# Runs the time-zone test of the desktop in a mount namespace of its own,
# over a private copy of /etc, so that it may replace /etc/localtime as
# timedatectl does without touching the machine's. Needs root (unshare).
set -euo pipefail
tests=${1:?the sorane_ui_tests executable}
if [ "$(id -u)" -ne 0 ] || ! unshare --mount true 2>/dev/null; then
    echo "skipped: needs root and mount namespaces for a private /etc"
    exit 77
fi
etc=$(mktemp -d /tmp/sorane-etc.XXXXXX)
trap 'rm -rf "$etc"' EXIT
cp -a /etc/. "$etc/"
exec unshare --mount --propagation private env -u TZ SORANE_TEST_PRIVATE_ETC=1 \
    QT_QPA_PLATFORM=offscreen bash -c \
    'mount --bind "$1" /etc && exec "$2" --gtest_filter=QtDesktopTest.*' _ "$etc" "$tests"
