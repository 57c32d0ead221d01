// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Main: loads the clock window and the About window, registers the tray icon
// and shows the clock.

#include "ClockMain.h"

#include <QApplication>
#include <QTimer>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "common/StandardError.h"
#include "clock/AppIcon.h"
#include "clock/StartupRules.h"
#include "clock/frmClock.h"
#include "menu/frmPop.h"
#include "platform/CLibrary.h"
#include "platform/DisplayProbe.h"
#include "platform/ProcessStart.h"
#include "platform/QuitSignals.h"

namespace sorane {
namespace {

// Environment variables set for Qt's start, taken back afterwards.
class QtSwitches {
public:
    void Set(const char* name, const char* value) {
        m_was.emplace_back(name, qEnvironmentVariableIsSet(name)
                                     ? std::optional<QByteArray>(qgetenv(name))
                                     : std::nullopt);
        qputenv(name, value);
    }
    void TakeBack() {
        for (const auto& [name, was] : m_was) {
            if (was) {
                qputenv(name, *was);
            } else {
                qunsetenv(name);
            }
        }
        m_was.clear();
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_was;
};

// While Qt opens its platform: Qt aborts when it cannot (the display went
// away, say), after a few lines of its own. Instead the clock ends with
// status 1 and one line that says why; what Qt says otherwise meanwhile is
// passed on once the platform is open.
class PlatformStartGuard {
public:
    PlatformStartGuard() { s_previous = qInstallMessageHandler(&Hold); }
    ~PlatformStartGuard() {
        qInstallMessageHandler(s_previous);
        for (const Held& held : s_held) {
            const QMessageLogContext context(nullptr, 0, nullptr, held.category);
            qt_message_output(held.type, context, held.text);
        }
        s_held.clear();
    }
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

private:
    struct Held {
        QtMsgType type;
        const char* category;
        QString text;
    };

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type != QtFatalMsg) {
            s_held.push_back({type, context.category, text});
            return;
        }
        // Qt's own reason (could not connect to display :0) comes as a
        // warning before its fatal message.
        QString reason = text.section('\n', 0, 0);
        for (const Held& held : s_held) {
            if (held.type == QtWarningMsg) {
                reason = held.text.section('\n', 0, 0);
            }
        }
        ReportOnStandardError("no display to show the clock on: " + reason.toStdString());
        std::_Exit(1);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Held> s_held;
};

// The clock while Main runs, for a process that ends from inside Qt.
frmClock* g_clock_at_exit = nullptr;

void SaveClockAtExit() {
    if (g_clock_at_exit != nullptr) {
        g_clock_at_exit->SaveWithoutDisplay();
    }
}

}  // namespace

std::unique_ptr<frmPop> MakeMenuFor(frmClock& clock, Desktop& desktop, ClockSettings& settings,
                                    ClockState& state) {
    auto menu = std::make_unique<frmPop>(
        desktop, settings, state, clock,
        ClockHooks{[&clock] { clock.ApplyDisplay(); }, [&clock] { clock.CloseByUser(); }});
    frmPop* const pop = menu.get();
    clock.AttachMenu([pop](const QPoint& at, bool as_window) { pop->PopUp(at, as_window); },
                     [pop](ClockCommand command, CommandFrom from) { pop->Run(command, from); });
    return menu;
}

int Main(int argc, char** argv, const std::function<std::unique_ptr<QtDesktop>()>& make_desktop,
         ScreenWay fastest_way) {
    // Before anything opens a file: safe standard descriptors, no death by
    // a broken pipe, and enough descriptors and stack, or a word on what is
    // short.
    if (const std::optional<std::string> short_of = ShortOfLimits(PrepareProcess())) {
        ReportOnStandardError(*short_of);
        return 1;
    }
    // A signal that comes while the clock starts waits for the event loop,
    // which closes the clock the way every close does.
    QuitSignals::CatchEarly();

    // What the clock sets for Qt is for the clock alone: programs it starts
    // (the desktop's opener, a browser) get the environment it was started
    // with, so each switch is taken back once Qt has read it.
    QtSwitches switches;
    // Asked before Qt starts: with no display at all Qt aborts instead of
    // saying why.
    DisplayProbe display_probe;
    if (const std::optional<DisplaySession> session = display_probe.Look()) {
        const DisplayChoice display = ChooseDisplay(*session);
        if (display.error) {
            ReportOnStandardError(*display.error);
            return 1;
        }
        if (display.platform) {
            switches.Set("QT_QPA_PLATFORM", display.platform->c_str());
        }
    }

    KeepOneMallocArena();

    // Qt's X11 backing store puts frames through MIT-SHM, and makes a round
    // trip to the X server for it after every frame, which wakes the program
    // twice more each second. For a 150 x 150 window plain PutImage costs
    // nothing worth saving. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        switches.Set("QT_XCB_NO_MITSHM", "1");
    }

    std::optional<QApplication> app_holder;
    {
        const PlatformStartGuard guard;
        app_holder.emplace(argc, argv);
    }
    QApplication& app = *app_holder;
    switches.TakeBack();
    display_probe.Release();
    // Until the clock is loaded, a signal only ends a message box of the
    // start-up (another clock runs, a bad settings file), and with it the
    // program; nothing is saved.
    QuitSignals quit_signals([] { QCoreApplication::exit(0); });
    QApplication::setApplicationName("sorane");
    // The clock ends the program itself; a closed dialog must not.
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutes();

    const std::unique_ptr<QtDesktop> desktop_owner = make_desktop();
    QtDesktop& desktop = *desktop_owner;
    ClockSettings settings;
    ClockState state;
    frmClock clock(desktop, settings, state);
    clock.Route().Limit(fastest_way);
    switch (clock.Form_Load()) {
        case frmClock::LoadResult::Loaded:
            break;
        case frmClock::LoadResult::AlreadyRunning:
            return 0;
        case frmClock::LoadResult::BadSettings:
            return 1;
    }
    const std::unique_ptr<frmPop> menu = MakeMenuFor(clock, desktop, settings, state);
    // Qt ends the process itself when the connection to the X server breaks
    // (the server ended with the session): the place is saved then too.
    g_clock_at_exit = &clock;
    static const bool registered = std::atexit(&SaveClockAtExit) == 0;
    static_cast<void>(registered);

    // The icons come once the clock's first frame is on the screen: the
    // window's icon and the tray icon (which carries it, as the About window
    // does; making it opens the desktop's session bus) are not needed to see
    // the time. The About window itself is made when it is first shown:
    // loaded hidden at start-up it would only cost the idle clock memory.
    std::unique_ptr<QSystemTrayIcon> tray_icon;
    clock.AfterFirstFrame([&clock, &tray_icon] {
        QApplication::setWindowIcon(ApplicationIcon());
        tray_icon = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
        tray_icon->setToolTip(QStringLiteral("ソラネ"));
        clock.AttachTrayIcon(tray_icon.get());
        QObject::connect(tray_icon.get(), &QSystemTrayIcon::activated, &clock,
                         &frmClock::TrayIcon_Activated);
        // Without a tray host on D-Bus, Qt falls back to an X11 tray, waiting
        // for one to appear; under Wayland none can, and Qt would only warn
        // that it has no way to wait.
        if (QSystemTrayIcon::isSystemTrayAvailable() ||
            !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            tray_icon->show();
        }
    });

    // A signal, or the session ending, closes the clock like any other close.
    quit_signals.SetHandler([&clock] { clock.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &clock, &frmClock::Form_QueryUnload);

    clock.show();
    // Start-up's scratch memory (the pictures' vector sources, say) goes back
    // to the system once the clock is on screen.
    QTimer::singleShot(0, &ReturnFreeMemory);
    const int status = app.exec();
    g_clock_at_exit = nullptr;
    return status;
}

}  // namespace sorane
