// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The parts of the host system that every Unix shares.

#include "platform/HostSystem.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStringList>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

namespace sorane {

LocalDateTime LocalTimeNow() {
    // Read without Qt, which asks the C library to look at the time-zone
    // file on every reading (a stat of /etc/localtime each second): the
    // zone is read by ZoneWatch, once and when it changes.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    return {
        local.tm_year + 1900, local.tm_mon + 1,          local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec,         int(now.tv_nsec / 1000000)};
}

bool FolderIsWritable(const std::string& folder) {
    // By the folder's bytes, as FolderOfProgram gives them.
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK) == 0;
}

ZoneWatch::ZoneWatch() {
    ::tzset();
    // With TZ set, the C library takes no change of zone while the program
    // runs, with Qt or without: nothing to watch.
    if (qEnvironmentVariableIsSet("TZ")) {
        return;
    }
    m_watcher = std::make_unique<QFileSystemWatcher>();
    const auto zone_changed = [this] {
        ::tzset();
        WatchZoneFiles();
    };
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, zone_changed);
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, zone_changed);
    WatchZoneFiles();
}

ZoneWatch::~ZoneWatch() = default;

void ZoneWatch::WatchZoneFiles() {
    // A zone changes three ways: timedatectl puts a new link in /etc (the
    // folder's watch sees it); an editor or a script rewrites /etc/localtime
    // in place, or a tzdata update replaces the file the link leads to (the
    // file's watch follows the link to the file, and a file replaced by
    // another loses its link, which the watch sees too). After each change
    // the link may lead elsewhere, so the watches are made anew.
    const QString zone_file = QStringLiteral("/etc/localtime");
    QStringList paths{QStringLiteral("/etc")};
    if (QFileInfo::exists(zone_file)) {
        paths << zone_file;
    }
    const QStringList watched = m_watcher->files() + m_watcher->directories();
    if (!watched.isEmpty()) {
        m_watcher->removePaths(watched);
    }
    m_watcher->addPaths(paths);
}

}  // namespace sorane
