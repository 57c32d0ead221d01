// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/frmClock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QRegion>
#include <QSystemTrayIcon>
#include <QVarLengthArray>
#include <cmath>

#include "common/StandardError.h"
#include "settings/Palette16.h"
#include "clock/PlacementRules.h"
#include "clock/StartupRules.h"
#include "platform/FormLayout.h"
#include "platform/WindowKinds.h"
#include "platform/X11Window.h"

namespace sorane {

namespace {

// How long a window manager has to raise the clock's dialogs when asked.
constexpr int RAISE_ANSWER_MS = 150;

QFont LineFont() {
    QFont font = RoundGothic(9.75);
    font.setBold(true);
    return font;
}

// The virtual-key code of a key: letters and digits as their capitals, Esc 27.
int VirtualKeyFor(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Escape) {
        return 27;
    }
    if (key == Qt::Key_Menu) {
        return 93;
    }
    if (key == Qt::Key_F10) {
        return 121;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return key;
    }
    return 0;
}

// The button as the handlers number it; nullopt for buttons they ignore.
std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace

frmClock::frmClock(Desktop& desktop, ClockSettings& settings, ClockState& state)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | CLOCK_WINDOW_KIND),
      lblTimDat("Label1", QRect(PixelsOf(360), PixelsOf(1500), PixelsOf(1815), PixelsOf(255)),
                LineFont()),
      m_desktop(desktop),
      m_settings(settings),
      m_state(state) {
    setFixedSize(CLOCK_SIZE, CLOCK_SIZE);
    // The name a window manager without the extended hints shows (in a
    // title bar of its own, a window list), as the tray icon's.
    setWindowTitle(QStringLiteral("ソラネ"));
    // The face covers the whole window: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    CreateTimer();
}

frmClock::~frmClock() = default;

void frmClock::CreateTimer() {
    // A wall clock set (by hand, or by time synchronisation after a suspend)
    // is ticked as soon as it is noticed: the rules see the jump, and the
    // hands follow.
    tmrClock = new WallClockTicks(
        this, [this] { tmrClock_Timer(); }, [this] { tmrClock_Timer(); });
    m_countdown_tick.setSingleShot(true);
    m_countdown_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_countdown_tick, &QTimer::timeout, this, [this] {
        tmrClock_Timer();
        // A timer a hair early finds the countdown still running.
        ArmCountdownTick(PlanTicks(m_screen_blanked, m_state, m_desktop.SteadySeconds()));
    });
}

void frmClock::ScreenBlanked(bool blanked) {
    m_screen_blanked = blanked;
    const TickPlan plan = PlanTicks(blanked, m_state, m_desktop.SteadySeconds());
    tmrClock->Start(plan.every_seconds);
    ArmCountdownTick(plan);
    if (!blanked) {
        tmrClock_Timer();
    }
}

void frmClock::ArmCountdownTick(const TickPlan& plan) {
    if (plan.countdown_in) {
        // Just past the end: the countdown goes off once its end has gone by.
        m_countdown_tick.start(int(std::ceil(*plan.countdown_in * 1000)) + 1);
    } else {
        m_countdown_tick.stop();
    }
}

void frmClock::FirstFrameShown() {
    m_line_ready = true;
    if (!lblTimDat.isHidden()) {
        WindowParts change;
        AddPart(change, lblTimDat.geometry());
        DrawNow(change);
    }
    m_blank_watch =
        std::make_unique<ScreenBlankWatch>(*this, [this](bool blanked) { ScreenBlanked(blanked); });
    if (m_blank_watch->Blanked()) {
        ScreenBlanked(true);
    }
    // Closed before its first frame came: nothing more is shown.
    if (m_after_first_frame && !m_unloaded) {
        m_after_first_frame();
    }
}

frmClock::LoadResult frmClock::Form_Load() {
    if (!m_desktop.ClaimSingleInstance()) {
        m_desktop.ShowMessage({"既にソラネは、起動しています。", APP_TITLE, MessageIcon::None});
        return LoadResult::AlreadyRunning;
    }
    const char separator = QDir::separator().toLatin1();
    m_state.AppPath = AppPathFrom(m_desktop.ProgramDirectory(), separator);
    const ProgramFolders folders = FoldersFor(
        m_state.AppPath, ProgramCopyAt(m_state.AppPath), m_desktop.CanWriteIn(m_state.AppPath),
        m_desktop.UserSettingsFolder(), separator, SORANE_DATA_FROM_BIN);
    m_state.DataFolder = folders.data;
    m_state.SettingsFolder = folders.settings;
    m_state.SeedFolder = folders.seed;
    if (const std::optional<SettingsError> error = LoadSettings(m_state, m_settings)) {
        ReportOnStandardError(error->Message());
        m_desktop.ShowMessage({error->Message(), APP_TITLE, MessageIcon::Warning});
        return LoadResult::BadSettings;
    }

    // Where something composites the window, its corners are clear, which
    // needs a window with an alpha channel: asked for before it is made.
    if (CompositingWatch::MayComposite()) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    m_compositing = std::make_unique<CompositingWatch>([this] { FollowScreen(); });
    m_surface.Use(devicePixelRatioF(), CornersNow());
    m_loaded = true;
    // The first paint already shows the time, not a face without hands.
    const LocalDateTime now = m_desktop.Now();
    m_face = Face::Ordinary;
    m_hands = HandsAt(now.hour, now.minute, now.second);
    // Placed before the window is made: a compositor that places windows
    // itself (Weston) still takes the place a window is made at.
    PlaceAt(ClockPlacement(m_settings.PosLeft, m_settings.PosTop, m_desktop.Screens()));
    createWinId();
    CutRound();
    PixelTwipsX = TWIPS_PER_PIXEL;
    PixelTwipsY = TWIPS_PER_PIXEL;
    Dragging = false;
    ApplyDisplay();
    m_state.Quitting = false;
    m_state.DialogOpen = false;
    m_state.MouseInside = false;
    tmrClock->Start();
    return LoadResult::Loaded;
}

void frmClock::ApplyDisplay() {
    m_hand_colours = {ColourFor(m_settings.ColorHour), ColourFor(m_settings.ColorMin),
                      ColourFor(m_settings.ColorSec)};
    if (const std::optional<std::string> text = LineTextFor(m_settings.View, m_desktop.Now())) {
        lblTimDat.setText(QString::fromStdString(*text));
    }
    lblTimDat.setVisible(LineShownFor(m_settings.View));
    RedrawAll();
}

void frmClock::tmrClock_Timer() {
    // One reading of the clock serves the whole tick. The ticks go on under
    // a message box the tick opens (an event loop inside this one).
    TickInput input;
    input.now = m_desktop.Now();
    input.steady_now = m_desktop.SteadySeconds();
    input.announcements_open = m_announcements_open;
    if (StealthNeedsCursor(m_settings, m_state)) {
        if (!m_stealth_place) {
            m_stealth_place = ScreenPlace();
        }
        input.left_twips = float(TwipsOf(m_stealth_place->x));
        input.top_twips = float(TwipsOf(m_stealth_place->y));
        if (!MousePos) {
            MousePos = std::make_unique<clsMousePos>(m_desktop);
        }
        input.cursor = ScreenPoint{MousePos->x(), MousePos->y()};
    }
    const TickOutcome outcome = Tick(m_settings, m_state, input);
    if (!StealthNeedsCursor(m_settings, m_state)) {
        m_stealth_place.reset();
    }

    if (outcome.stealth == StealthAction::Hide) {
        hide();
    } else if (outcome.stealth == StealthAction::Show) {
        // Brought to the front, but not given the keyboard: the user may be
        // typing elsewhere, and Esc here would end the clock.
        show();
        raise();
    }
    // Only what changed is drawn again: the hands that moved, the line when
    // its text changes, the part of the face that changes.
    WindowParts change = HandsChange(m_hands, outcome.hands);
    m_hands = outcome.hands;
    if (outcome.line_text && lblTimDat.setText(QString::fromStdString(*outcome.line_text)) &&
        !lblTimDat.isHidden()) {
        AddPart(change, lblTimDat.geometry());
    }
    AddPart(change, FaceChange(outcome.face));
    // Nothing is drawn while nobody can see it (the screen blanked, the
    // clock hidden by stealth): the whole window is drawn when it is seen.
    if (m_screen_blanked || isHidden()) {
        m_picture_behind = true;
    } else if (m_picture_behind) {
        m_picture_behind = false;
        RedrawAll();
    } else {
        DrawNow(change);
    }
    if (outcome.missed_alarm) {
        ReportOnStandardError(MissedAlarmLog(*outcome.missed_alarm));
        TellQuietly(MissedAlarmNotice(*outcome.missed_alarm));
    }
    if (outcome.spoken) {
        setAccessibleName(QString::fromStdString(outcome.spoken->name));
        setAccessibleDescription(QString::fromStdString(outcome.spoken->description));
    }
    if (outcome.sound) {
        m_desktop.PlaySound(*outcome.sound);
    }
    // The tick's announcements are open, one box after another, until the
    // last is closed: the face and the sound are theirs all that while.
    m_announcements_open += int(outcome.announcements.size());
    for (const Message& announcement : outcome.announcements) {
        Announce(announcement);
    }
}

QRect frmClock::FaceChange(Face face) {
    const QRect change = m_surface.FaceChange(m_face, face);
    m_face = face;
    return change;
}

ClockScene frmClock::Scene() {
    return {m_face, lblTimDat.isHidden() || !m_line_ready ? nullptr : &lblTimDat,
            m_hands ? &*m_hands : nullptr, m_hand_colours};
}

void frmClock::RedrawAll() {
    if (m_loaded) {
        m_surface.ComposeAll(Scene());
        update();
    }
}

ClockFaces::Corners frmClock::CornersNow() const {
    return ClearCornersFor(m_compositing->Now()) ? ClockFaces::Corners::Transparent
                                                 : ClockFaces::Corners::Opaque;
}

void frmClock::CutRound() {
    // The window itself is cut round (the X shape), which also lets clicks
    // outside the dial through; the widget is not masked, so that a repaint
    // flushes a few rectangles rather than one per row of the ellipse. Where
    // the corners are clear the cut lies a pixel outside the dial, so that
    // its steps (whole pixels of the clock, larger than the screen's at a
    // scale above 1) fall where nothing is drawn and the dial's smoothed
    // edge stays whole.
    const int margin = CornersNow() == ClockFaces::Corners::Transparent ? 1 : 0;
    windowHandle()->setMask(QRegion(-margin, -margin, CLOCK_SIZE + 2 * margin,
                                    CLOCK_SIZE + 2 * margin, QRegion::Ellipse));
}

bool frmClock::FollowScreen() {
    if (!m_loaded || !m_surface.Use(devicePixelRatioF(), CornersNow())) {
        return false;
    }
    CutRound();
    m_route.PictureRemade();
    RedrawAll();
    return true;
}

void frmClock::Announce(const Message& message) {
    WindowParts change;
    AddPart(change, FaceChange(Face::Surprised));
    DrawNow(change);
    m_desktop.ShowMessage(message);
    --m_announcements_open;
    // The sound is the announcements' own: once none is on screen, it stops.
    if (m_announcements_open == 0) {
        m_desktop.StopSound();
    }
}

void frmClock::TellQuietly(const Message& message) {
    // Shown until the user closes it: it tells of something that happened
    // while nobody was there.
    if (m_tray_icon && m_tray_icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable() &&
        QSystemTrayIcon::supportsMessages()) {
        m_tray_icon->showMessage(QString::fromStdString(message.title),
                                 QString::fromStdString(message.text), QSystemTrayIcon::Information,
                                 0);
    } else {
        m_desktop.ShowNotice(message);
    }
}

void frmClock::paintEvent(QPaintEvent* event) {
    if (!m_loaded) {
        return;
    }
    FollowScreen();
    // The picture is always current: an expose or a repaint only copies it.
    WindowParts device_parts;
    for (const QRect& part : event->region()) {
        device_parts.append(m_surface.DeviceRect(part));
    }
    m_surface.CopyTo(*this, device_parts);
    m_route.Painted();
    if (!m_first_frame_shown) {
        m_first_frame_shown = true;
        QTimer::singleShot(0, this, &frmClock::FirstFrameShown);
    }
}

void frmClock::DrawNow(std::span<const QRect> parts) {
    if (parts.empty() || !m_loaded || FollowScreen()) {
        return;
    }
    const WindowParts device_parts = m_surface.Compose(Scene(), parts);
    m_route.Present(parts, device_parts);
}

void frmClock::mousePressEvent(QMouseEvent* event) {
    m_placement.Pressed();
    if (WaysOfWindowManager().unmanaged) {
        TakeKeyboardFocus(this);
    }
    // Many managers raise a clicked window over the dialogs that belong to
    // it: they are brought back over the clock.
    RaiseOwnDialogs();
    if (const std::optional<MouseButton> button = ButtonOf(event->button())) {
        Form_MouseDown(*button, float(TwipsOf(event->position().x())),
                       float(TwipsOf(event->position().y())));
    }
}

void frmClock::moveEvent(QMoveEvent* event) {
    if (m_exposed) {
        FollowWhatIsSeen();
    }
    QWidget::moveEvent(event);
}

void frmClock::FollowWhatIsSeen() {
    const std::optional<ScreenRect> seen = m_desktop.WindowOnScreen(WindowHandle(winId()));
    if (!seen) {
        return;
    }
    if (const std::optional<ScreenPoint> ask = m_placement.Seen(*seen)) {
        MoveOnRoot(this, QPoint(ask->x, ask->y));
    }
}

WindowManagerWays frmClock::WaysOfWindowManager() const {
    return m_compositing ? WaysOf(m_compositing->Now().window_manager) : WindowManagerWays{};
}

void frmClock::RaiseOwnDialogs() {
    bool any_below = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && IsOwnDialog(window, this)) {
            any_below = any_below || StackedAbove(this, window);
            window->raise();
            window->activateWindow();
        }
    }
    if (!any_below) {
        return;
    }
    // A manager that ignores the requests to raise them (dwm raises only
    // the window it focuses) has them shown anew, which it raises.
    QTimer::singleShot(RAISE_ANSWER_MS, this, [this] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && IsOwnDialog(window, this) && StackedAbove(this, window)) {
                MapAnew(window);
            }
        }
    });
}

void frmClock::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(float(TwipsOf(event->position().x())), float(TwipsOf(event->position().y())));
}

void frmClock::mouseReleaseEvent(QMouseEvent*) {
    Form_MouseUp();
}

void frmClock::Form_MouseDown(MouseButton button, float X, float Y) {
    switch (ActionForMouseDown(button, m_settings)) {
        case MouseDownAction::PopUpMenu:
            PopUpMenu();
            break;
        case MouseDownAction::StartDrag:
            if (m_compositing && DragThroughCompositor(m_compositing->Now(), m_placement) &&
                windowHandle()->startSystemMove()) {
                m_placement.DraggedByCompositor();
                break;
            }
            // A manager that ignores the clock's moves and offers no move of
            // its own (spectrwm) keeps the clock where it put it.
            if (!m_placement.FollowsMoves()) {
                break;
            }
            Dragging = true;
            DragX = X;
            DragY = Y;
            break;
        case MouseDownAction::Nothing:
            break;
    }
}

void frmClock::Form_MouseMove(float X, float Y) {
    if (MovementMeansInside(X, Y)) {
        m_state.MouseInside = true;
    }
    if (Dragging) {
        PlaceAt(DraggedWindowPosition(m_desktop.CursorPos(), DragX, DragY));
    }
}

void frmClock::Form_MouseUp() {
    Dragging = false;
}

void frmClock::TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason) {
    TrayMouseEvent event = TrayMouseEvent::LeftClick;
    switch (reason) {
        case QSystemTrayIcon::Context:
            event = TrayMouseEvent::RightPress;
            break;
        case QSystemTrayIcon::DoubleClick:
            event = TrayMouseEvent::DoubleClick;
            break;
        case QSystemTrayIcon::MiddleClick:
            event = TrayMouseEvent::MiddleClick;
            break;
        default:
            break;
    }
    if (!TrayEventOpensMenu(event)) {
        return;
    }
    raise();
    activateWindow();
    QCoreApplication::processEvents();
    PopUpMenu();
}

void frmClock::PlaceAt(ScreenPoint place) {
    const ScreenPoint ask = m_placement.PutAt(place);
    // Until the window is made Qt keeps the place to make it at.
    if (!MoveOnRoot(this, QPoint(ask.x, ask.y))) {
        move(ask.x, ask.y);
    }
}

ScreenPoint frmClock::ScreenPlace() {
    // Before the window has been on the screen the server's idea of its
    // place is not one it has been at.
    std::optional<ScreenRect> on_screen;
    if (m_exposed && testAttribute(Qt::WA_WState_Created)) {
        on_screen = m_desktop.WindowOnScreen(WindowHandle(winId()));
    }
    return m_placement.ToSave(on_screen);
}

void frmClock::PopUpMenu() {
    const ScreenPoint cursor = m_desktop.CursorPos();
    PopUpMenuAt(QPoint(cursor.x, cursor.y));
}

void frmClock::PopUpMenuAt(const QPoint& place) {
    if (m_pop_up_menu) {
        m_pop_up_menu(place, !m_placement.PopUpsShown());
    }
}

void frmClock::keyPressEvent(QKeyEvent* event) {
    Form_KeyDown(VirtualKeyFor(*event), event->isAutoRepeat(),
                 event->modifiers().testFlag(Qt::ShiftModifier));
}

void frmClock::Form_KeyDown(int key_code, bool repeated, bool shift) {
    const ClockCommand command = CommandForKey(key_code, repeated, shift);
    if (command == ClockCommand::Menu) {
        // From the keyboard the menu opens over the clock, wherever the
        // pointer is.
        PopUpMenuAt(mapToGlobal(QPoint(CLOCK_SIZE / 2, CLOCK_SIZE / 2)));
    } else if (command != ClockCommand::None && m_run_command) {
        m_run_command(command, CommandFrom::Key);
    }
}

void frmClock::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
    // However the clock is closed, the program ends with it: nothing is left
    // running without a window or a tray icon.
    m_desktop.Quit(0);
}

void frmClock::CloseByUser() {
    m_closed_by_user = true;
    close();
}

void frmClock::Form_QueryUnload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    const WriteOutcome saved = SavePlace(ScreenPlace());
    if (const std::optional<Message> notice = PositionNotSaved(saved, m_closed_by_user)) {
        m_desktop.ShowMessage(*notice);
    }
    if (m_tray_icon) {
        // Hidden once the events now being handled are done: the close may
        // come from the tray icon's own menu, and hiding the icon destroys
        // the window whose mouse press is still being handled. When the
        // program ends first, the icon goes with it.
        QTimer::singleShot(0, m_tray_icon, &QSystemTrayIcon::hide);
    }
}

void frmClock::SaveWithoutDisplay() {
    if (m_unloaded || !m_loaded) {
        return;
    }
    m_unloaded = true;
    SavePlace(m_placement.ToSave(std::nullopt));
}

WriteOutcome frmClock::SavePlace(ScreenPoint place) {
    const WriteOutcome saved = SavePosition(m_state, TwipsOf(place.y), TwipsOf(place.x));
    if (!saved.Ok()) {
        ReportOnStandardError("the clock's position was not saved: " + saved.error);
    }
    return saved;
}

void frmClock::showEvent(QShowEvent* event) {
    KeepOffTaskbar(this);
    const WindowManagerWays ways = WaysOfWindowManager();
    MarkFirstType(this, ways.first_type);
    if (ways.unmanaged) {
        if (!m_below_own_dialogs) {
            m_below_own_dialogs = std::make_unique<StackBelowOwnDialogs>(this);
        }
    }
    // The window is mapped after this.
    if (m_loaded) {
        m_route.BeforeShow();
    }
    QWidget::showEvent(event);
    // The window may be new: its exposes are watched from here on.
    windowHandle()->installEventFilter(this);
}

bool frmClock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        if (!m_exposed && windowHandle()->isExposed()) {
            m_exposed = true;
            // A border the manager gave the window would shift the dial from
            // its place: where the manager lets a window ask, none is left.
            TakeAwayBorder(this);
            if (WaysOfWindowManager().moves_new_windows) {
                m_placement.ManagerMovesNewWindows();
            }
            FollowWhatIsSeen();
        }
        // For an expose Qt shows what the backing store holds, which ticks
        // sent straight to the window have left behind: it is drawn again.
        if (m_route.StoreBehind()) {
            update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sorane
