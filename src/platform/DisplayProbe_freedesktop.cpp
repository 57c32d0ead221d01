// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Linux and the BSDs: X11, or Wayland.

#include "platform/DisplayProbe.h"

#include <QDir>
#include <QDirIterator>
#include <QLibraryInfo>
#include <cstdlib>

namespace sorane {
namespace {

// Whether Qt's Wayland platform is installed: a plain listing of its
// platform plug-ins (a name filter would compile a regular expression and
// map pcre2 into the idle clock for good).
bool WaylandPluginInstalled() {
    QDirIterator plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms", QDir::Files);
    while (plugins.hasNext()) {
        if (plugins.next().contains(QLatin1String("qwayland"))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<DisplaySession> DisplayProbe::Look() {
    DisplaySession session;
    session.qt_qpa_platform = std::getenv("QT_QPA_PLATFORM");
    session.wayland_display = std::getenv("WAYLAND_DISPLAY");
    if (session.qt_qpa_platform == nullptr || *session.qt_qpa_platform == '\0') {
        m_x_display.emplace();
        session.x_reachable = m_x_display->Reachable();
        session.wayland_plugin = WaylandPluginInstalled();
    }
    return session;
}

void DisplayProbe::Release() {
    m_x_display.reset();
}

}  // namespace sorane
