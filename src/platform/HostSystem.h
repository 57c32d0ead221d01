// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the clock asks of the operating system beneath Qt: one file for each
// system, chosen by the build (HostSystem_freedesktop.cpp for Linux and the BSDs,
// _mac, _win; HostSystem_posix.cpp beside the first two).

#include <QString>
#include <memory>
#include <string>

#include "common/LocalDateTime.h"

class QFileSystemWatcher;

namespace sorane {

/// Seconds on a clock that never goes back, and that goes on while the
/// machine sleeps where the system has one: a countdown that ran out during
/// a suspend then goes off on waking.
double SteadySecondsThroughSleep();

/// The local date and time to the millisecond.
LocalDateTime LocalTimeNow();

/// The folder the running program lies in, in the system's own spelling.
std::string FolderOfProgram();

/// Whether folder (as FolderOfProgram spells it) is a folder this user may
/// write in.
bool FolderIsWritable(const std::string& folder);

/// The folder this user's settings files go in, by the system's custom;
/// application_name is its last part.
std::string UserSettingsFolderOf(const QString& application_name);

/// The program that opens a file or an address the way the desktop's user
/// chose ("xdg-open"), or "" where the toolkit's own means serve.
QString OpenerProgramName();

/// Keeps the C library's idea of the local time zone up to date while the
/// program runs: the zone is read when this is made, and again when it
/// changes, where the system can say it did.
class ZoneWatch {
public:
    ZoneWatch();
    ~ZoneWatch();
    ZoneWatch(const ZoneWatch&) = delete;
    ZoneWatch& operator=(const ZoneWatch&) = delete;

private:
    void WatchZoneFiles();

    std::unique_ptr<QFileSystemWatcher> m_watcher;
};

}  // namespace sorane
