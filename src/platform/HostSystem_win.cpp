// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Windows, through Qt.

#include "platform/HostSystem.h"
#include "platform/QtDesktop.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStandardPaths>
#include <chrono>

namespace sorane {

double SteadySecondsThroughSleep() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

LocalDateTime LocalTimeNow() {
    return LocalFrom(QDateTime::currentDateTime());
}

std::string FolderOfProgram() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

bool FolderIsWritable(const std::string& folder) {
    const QFileInfo info(QString::fromStdString(folder));
    return info.isDir() && info.isWritable();
}

std::string UserSettingsFolderOf(const QString&) {
    // %APPDATA%\sorane: the roaming profile, where Windows programs keep
    // their settings files (Qt's config location there is the local one).
    return QDir::toNativeSeparators(
               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .toStdString();
}

QString OpenerProgramName() {
    // No opener program here: the toolkit's own means serve.
    return {};
}

// Qt reads the zone afresh on every reading here.
ZoneWatch::ZoneWatch() = default;
ZoneWatch::~ZoneWatch() = default;

}  // namespace sorane
