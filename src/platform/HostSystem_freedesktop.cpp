// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Linux and the BSDs: the freedesktop.org desktops.

#include "platform/HostSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include "common/ProcessRules.h"

namespace sorane {

double SteadySecondsThroughSleep() {
    // CLOCK_BOOTTIME goes on while the machine sleeps.
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string FolderOfProgram() {
    // The folder's name as the bytes it is: a name that is not UTF-8 (a
    // Latin-1 name from an old archive) would not survive a QString, and
    // the settings file beside the program would not be found.
    std::string program(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", program.data(), program.size());
    if (length > 0 && std::size_t(length) < program.size()) {
        program.resize(std::size_t(length));
        const std::size_t slash = program.rfind('/');
        if (slash != std::string::npos) {
            return slash == 0 ? "/" : program.substr(0, slash);
        }
    }
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string UserSettingsFolderOf(const QString& application_name) {
    return ConfigHomeFrom(std::getenv("XDG_CONFIG_HOME"), QDir::homePath().toStdString()) + "/" +
           application_name.toStdString();
}

QString OpenerProgramName() {
    return QStringLiteral("xdg-open");
}

}  // namespace sorane
