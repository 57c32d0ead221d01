// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Main: loads the clock window and the About window, registers the tray icon
// and shows the clock.

#include "ClockMain.h"

#include <QApplication>
#include <QTimer>
#include <QDir>
#include <QLibraryInfo>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <iostream>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "clock/ClockArt.h"
#include "clock/StartupRules.h"
#include "clock/frmClock.h"
#include "menu/frmPop.h"
#include "platform/QuitSignals.h"
#include "platform/X11Window.h"

namespace sorane {

int Main(int argc, char** argv, const std::function<std::unique_ptr<QtDesktop>()>& make_desktop) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Asked before Qt starts: with no display at all Qt aborts instead of
    // saying why.
    DisplaySession session;
    session.qt_qpa_platform = std::getenv("QT_QPA_PLATFORM");
    session.wayland_display = std::getenv("WAYLAND_DISPLAY");
    if (session.qt_qpa_platform == nullptr || *session.qt_qpa_platform == '\0') {
        session.x_reachable = XDisplayReachable();
        session.wayland_plugin = !QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms")
                                      .entryList({"*qwayland*"})
                                      .isEmpty();
    }
    const DisplayChoice display = ChooseDisplay(session);
    if (display.error) {
        std::cerr << "sorane: " << *display.error << std::endl;
        return 1;
    }
    if (display.platform) {
        qputenv("QT_QPA_PLATFORM", display.platform->c_str());
    }
#endif

#if defined(__GLIBC__)
    // One malloc arena for every thread: the clock's few threads allocate
    // little, and each further arena is memory the idle clock keeps.
    mallopt(M_ARENA_MAX, 1);
#endif

    // Qt's X11 backing store puts frames through MIT-SHM, and makes a round
    // trip to the X server for it after every frame, which wakes the program
    // twice more each second. For a 150 x 150 window plain PutImage costs
    // nothing worth saving. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("sorane");
    // The clock ends the program itself; a closed dialog must not.
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutes();
    QApplication::setWindowIcon(ApplicationIcon());

    const std::unique_ptr<QtDesktop> desktop_owner = make_desktop();
    QtDesktop& desktop = *desktop_owner;
    ClockSettings settings;
    ClockState state;
    frmClock clock(desktop, settings, state);
    switch (clock.Form_Load()) {
        case frmClock::LoadResult::Loaded:
            break;
        case frmClock::LoadResult::AlreadyRunning:
            return 0;
        case frmClock::LoadResult::BadSettings:
            return 1;
    }
    frmPop menu(desktop, settings, state, clock);
    clock.AttachMenu(&menu);

    // The tray icon carries the application's icon, the About window's too.
    // The About window itself is made when it is first shown: loaded hidden
    // at start-up it would only cost the idle clock memory.
    QSystemTrayIcon tray_icon(QApplication::windowIcon());
    tray_icon.setToolTip(QStringLiteral("ソラネ"));
    tray_icon.show();
    clock.AttachTrayIcon(&tray_icon);
    QObject::connect(&tray_icon, &QSystemTrayIcon::activated, &clock,
                     &frmClock::TrayIcon_Activated);

    // A signal, or the session ending, closes the clock like any other close.
    QuitSignals quit_signals([&clock] { clock.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &clock, &frmClock::Form_QueryUnload);

    clock.show();
#if defined(__GLIBC__)
    // Start-up's scratch memory (the pictures' vector sources, say) goes back
    // to the system once the clock is on screen.
    QTimer::singleShot(0, [] { malloc_trim(0); });
#endif
    return app.exec();
}

}  // namespace sorane
