// Main: loads the clock window, registers the tray icon and shows the clock.

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdlib>

#include "clock/ClockArt.h"
#include "clock/StartupRules.h"
#include "clock/frmClock.h"
#include "platform/QtDesktop.h"

int main(int argc, char** argv) {
    using namespace sorane;

    // Wayland lets no window place itself or stay on top; XWayland does.
    if (const auto platform =
            PreferredQtPlatform(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"),
                                std::getenv("QT_QPA_PLATFORM"))) {
        qputenv("QT_QPA_PLATFORM", platform->c_str());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("sorane");
    // The clock ends the program itself; a closed dialog must not.
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutes();
    const QIcon icon = ApplicationIcon();
    QApplication::setWindowIcon(icon);

    QtDesktop desktop;
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

    QSystemTrayIcon tray_icon(icon);
    tray_icon.setToolTip(QStringLiteral("ソラネ"));
    tray_icon.show();
    clock.AttachTrayIcon(&tray_icon);

    clock.show();
    return app.exec();
}
