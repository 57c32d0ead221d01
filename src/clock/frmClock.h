// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "clock/ClockSurface.h"
#include "clock/ScreenRoute.h"
#include "clock/LineLabel.h"
#include "clock/MouseRules.h"
#include "clock/PlacementRules.h"
#include "clock/TickRules.h"
#include "clock/KeyRules.h"
#include "clock/clsMousePos.h"
#include "platform/CompositingWatch.h"
#include "platform/Desktop.h"
#include "platform/ScreenBlankWatch.h"
#include "platform/WallClockTicks.h"
#include "platform/X11Window.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// The clock: a round, borderless window above all others, showing a face
/// picture, three hands and a line with the time or the date.
class frmClock : public QWidget {
    Q_OBJECT

public:
    /// How loading the window ended.
    enum class LoadResult { Loaded, AlreadyRunning, BadSettings };

    frmClock(Desktop& desktop, ClockSettings& settings, ClockState& state);
    ~frmClock() override;

    /// Loads the clock: the single-instance check, AppPath, the settings, the
    /// face, shape, stacking, position and display. Anything but Loaded means
    /// the program must end (the user has been told why).
    LoadResult Form_Load();

    /// Applies the hand colours and the text line from the settings.
    void ApplyDisplay();

    /// The once-a-second tick.
    void tmrClock_Timer();
    /// Nobody can see the screen any more (blanked), or it is seen again:
    /// the ticks follow (PlanTicks), and the window shows the time at once
    /// when it is seen again.
    void ScreenBlanked(bool blanked);
    /// Work that need not hold up the first sight of the clock, done once
    /// its first frame is on the screen (after the clock's own: the line,
    /// the watch of the screen's blanking).
    void AfterFirstFrame(std::function<void()> work) { m_after_first_frame = std::move(work); }

    /// The tray icon that closing the clock removes.
    void AttachTrayIcon(QSystemTrayIcon* tray_icon) { m_tray_icon = tray_icon; }
    /// What the clock's right button and its keys reach: the pop-up menu at
    /// a screen position (as a window of its own where pop-ups are not
    /// shown), and the commands the menu carries out.
    void AttachMenu(std::function<void(const QPoint&, bool)> pop_up,
                    std::function<void(ClockCommand, CommandFrom)> run) {
        m_pop_up_menu = std::move(pop_up);
        m_run_command = std::move(run);
    }

    /// A key pressed on the clock, by its virtual-key code; repeated for the
    /// repeats of a key held down.
    void Form_KeyDown(int key_code, bool repeated = false, bool shift = false);
    /// Mouse handlers; X and Y are twips in window coordinates.
    void Form_MouseDown(MouseButton button, float X, float Y);
    void Form_MouseMove(float X, float Y);
    void Form_MouseUp();
    /// A mouse event on the tray icon.
    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);

    /// The closing steps: saves the position and removes the tray icon. Runs
    /// once, however the clock closes; later calls do nothing.
    void Form_QueryUnload();
    /// Saves the place the clock put itself at, where the process ends
    /// without the clock closing (Qt ends it when the connection to the
    /// display breaks, as when the X server ends with the session): nothing
    /// can be asked of the display then. Does nothing after the closing
    /// steps have run.
    void SaveWithoutDisplay();
    /// Closes the clock at the user's word (Esc, the menu's Exit): a position
    /// that cannot be saved is then reported in a message box as well.
    void CloseByUser();

    /// Placed at 360, 1500, 1815 x 255 twips, bold, black.
    LineLabel lblTimDat;
    WallClockTicks* tmrClock = nullptr;

    // Read by the tests and the benchmarks.
    Face CurrentFace() const { return m_face; }
    const std::optional<Hands>& CurrentHands() const { return m_hands; }
    const HandColours& CurrentHandColours() const { return m_hand_colours; }
    ScreenRoute& Route() { return m_route; }
    bool IsDragging() const { return Dragging; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateTimer();
    /// The line, the blanking watch and the caller's work, after the first frame.
    void FirstFrameShown();
    /// Starts (or stops) the countdown's own tick where the plan has one.
    void ArmCountdownTick(const TickPlan& plan);
    /// Takes the face; returns the part of the window that changes.
    QRect FaceChange(Face face);
    /// What the window shows now.
    ClockScene Scene();
    /// Draws the whole window again, to be shown at its next paint.
    void RedrawAll();
    /// Makes the pictures again when the window's device pixel ratio is not
    /// the one they were made for (another screen, another scale), or the
    /// corners are to be clear or opaque as they were not (a compositor
    /// started or stopped); returns whether it did, having drawn the whole
    /// window again.
    bool FollowScreen();
    /// Clear corners where something composites the window, else opaque.
    ClockFaces::Corners CornersNow() const;
    void CutRound();
    /// Draws the parts (logical pixels) again and shows them at once.
    void DrawNow(std::span<const QRect> parts);
    void Announce(const Message& message);
    /// Tells the user something without a box and without sound: the tray
    /// icon's message where the tray shows one, else the desktop's
    /// notifications.
    void TellQuietly(const Message& message);
    /// The pop-up menu at the cursor, or at a screen position.
    void PopUpMenu();
    void PopUpMenuAt(const QPoint& place);
    /// Brings the clock's open dialogs back over it and gives the last the
    /// keyboard, where the window manager raised the clock over them.
    void RaiseOwnDialogs();
    WindowManagerWays WaysOfWindowManager() const;
    void PlaceAt(ScreenPoint place);
    /// Tells the placement what the server shows, and asks for the window
    /// again where the placement says so.
    void FollowWhatIsSeen();
    /// Saves the place, saying on standard error when it could not be.
    WriteOutcome SavePlace(ScreenPoint place);
    ScreenPoint ScreenPlace();

    Desktop& m_desktop;
    ClockSettings& m_settings;
    ClockState& m_state;
    // The window's picture: every change is drawn here, the screen gets copies.
    ClockSurface m_surface;
    bool m_loaded = false;
    // Whether something composites the window, which decides its corners.
    std::unique_ptr<CompositingWatch> m_compositing;
    /// Where the window manager leaves the clock alone: keeps it below its
    /// own dialogs.
    std::unique_ptr<StackBelowOwnDialogs> m_below_own_dialogs;
    // How the picture's changes reach the screen.
    ScreenRoute m_route{*this, m_surface};
    QSystemTrayIcon* m_tray_icon = nullptr;
    std::function<void(const QPoint&, bool)> m_pop_up_menu;
    std::function<void(ClockCommand, CommandFrom)> m_run_command;
    bool m_unloaded = false;
    bool m_closed_by_user = false;
    // Where the clock was put and what the display server did with it. Qt's
    // own x()/y() come from the window manager, and some never report the
    // real place.
    WindowPlacement m_placement;
    // Whether the window has been on the screen: until then the display
    // server's idea of its place is not one it has been at (0,0 before the
    // window manager placed it).
    bool m_exposed = false;

    Face m_face = Face::Ordinary;
    std::optional<Hands> m_hands;
    HandColours m_hand_colours;
    int m_announcements_open = 0;
    // The line is drawn from the first frame after the clock's first: its
    // font's first use (the font system's start) would hold that up.
    bool m_line_ready = false;
    bool m_first_frame_shown = false;
    std::function<void()> m_after_first_frame;
    std::unique_ptr<ScreenBlankWatch> m_blank_watch;
    bool m_screen_blanked = false;
    // Ticks went by undrawn (nobody could see the clock): the next one seen
    // draws the whole window.
    bool m_picture_behind = false;
    // While nobody can see the clock, a tick of its own at the countdown's end.
    QTimer m_countdown_tick;
    // Where the clock is while the cursor may be over it in stealth mode: it
    // cannot be dragged then, so its place is read once, not at every tick.
    std::optional<ScreenPoint> m_stealth_place;

    // The window's own state.
    float DragX = 0;
    float DragY = 0;
    bool Dragging = false;
    // The twips per pixel taken at load, as the window has always kept them;
    // nothing reads them (every conversion uses TWIPS_PER_PIXEL).
    std::int16_t PixelTwipsX = TWIPS_PER_PIXEL;
    std::int16_t PixelTwipsY = TWIPS_PER_PIXEL;
    std::unique_ptr<clsMousePos> MousePos;
};

}  // namespace sorane
