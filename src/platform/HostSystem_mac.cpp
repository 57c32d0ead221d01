// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// macOS.

#include "platform/HostSystem.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <chrono>

namespace sorane {

double SteadySecondsThroughSleep() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string FolderOfProgram() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string UserSettingsFolderOf(const QString&) {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

QString OpenerProgramName() {
    return QStringLiteral("open");
}

}  // namespace sorane
