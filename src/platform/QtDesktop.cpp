// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QtDesktop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QLibraryInfo>
#include <QProcess>
#include <QScreen>
#include <QTranslator>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <optional>

#include "common/StandardError.h"
#include "platform/DesktopNotice.h"
#include "platform/HostSystem.h"
#include "platform/X11Window.h"

namespace sorane {
namespace {

QString ToQt(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

// Lets a window that was mapped taking no keyboard take it again once it is
// on the screen, where the user may move to it.
class AcceptFocusOnceShown : public QObject {
public:
    explicit AcceptFocusOnceShown(QWindow* window) : m_window(window) {
        m_window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            m_window->removeEventFilter(this);
            m_window->setFlag(Qt::WindowDoesNotAcceptFocus, false);
        }
        return false;
    }

private:
    QWindow* m_window;
};

}  // namespace

QtDesktop::QtDesktop(std::string instance_name) : m_instance(std::move(instance_name)) {}

QtDesktop::~QtDesktop() = default;

LocalDateTime QtDesktop::Now() {
    return LocalTimeNow();
}

LocalDateTime LocalFrom(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(),   date.month(),  date.day(), time.hour(),
            time.minute(), time.second(), time.msec()};
}

double QtDesktop::SteadySeconds() {
    return SteadySecondsThroughSleep();
}

void QtDesktop::ShowMessage(const Message& message) {
    LoadJapaneseQtTexts();
    QMessageBox box(
        message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        ToQt(message.title), ToQt(message.text), QMessageBox::Ok);
    // The clock stays above other windows; its messages must not hide behind it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // A box that comes up by itself leaves the keyboard with the window
    // being typed in: it is closed by a click, or by a key once the user has
    // moved to it. It is mapped as a window that takes no keyboard, so that
    // no window manager hands it the focus as it appears, and takes the
    // keyboard again once it is on the screen.
    std::optional<AcceptFocusOnceShown> accept_focus;
    if (!message.takes_keyboard) {
        box.setAttribute(Qt::WA_ShowWithoutActivating);
        box.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        box.winId();
        accept_focus.emplace(box.windowHandle());
    }
    box.exec();
}

void QtDesktop::ShowNotice(const Message& message) {
    SendDesktopNotice(message);
}

ScreenPoint QtDesktop::CursorPos() {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

ScreenPoint QtDesktop::WatchedCursorPos() {
    if (!m_pointer_moves) {
        m_pointer_moves = std::make_unique<PointerMoveWatch>();
    } else if (!m_pointer_moves->MovedSinceStart()) {
        return m_watched_cursor;
    }
    // Watched from before the reading: a move between the two is not lost.
    m_pointer_moves->Start();
    m_watched_cursor = CursorPos();
    return m_watched_cursor;
}

void QtDesktop::SetCursorPos(ScreenPoint point) {
    QCursor::setPos(point.x, point.y);
}

std::vector<ScreenRect> QtDesktop::Screens() {
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        screens.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return screens;
}

std::optional<ScreenRect> QtDesktop::WindowOnScreen(WindowHandle window) {
    QWidget* widget = QWidget::find(WId(window));
    if (widget == nullptr) {
        return std::nullopt;
    }
    if (const std::optional<QRect> rect = RectOnRoot(widget)) {
        return ScreenRect{rect->x(), rect->y(), rect->width(), rect->height()};
    }
    return std::nullopt;
}

std::string QtDesktop::ProgramDirectory() {
    return FolderOfProgram();
}

bool QtDesktop::CanWriteIn(const std::string& folder) {
    return FolderIsWritable(folder);
}

std::string QtDesktop::UserSettingsFolder() {
    return UserSettingsFolderOf(QCoreApplication::applicationName());
}

bool QtDesktop::ClaimSingleInstance() {
    const SingleInstance::Claim claim = m_instance.TryClaim();
    if (!m_instance.Problem().empty()) {
        ReportOnStandardError(m_instance.Problem());
    }
    return claim != SingleInstance::Claim::AlreadyRunning;
}

LaunchResult QtDesktop::StartOpener(const std::string& target) {
    const QString name = OpenerProgramName();
    if (name.isEmpty()) {
        return {LaunchResult::Status::NotInstalled, {}};
    }
    // Searched as the system's exec does: the first executable on the PATH
    // runs; one that is there but may not be run is reported as such.
    QString not_executable;
    for (const QString& folder : qEnvironmentVariable("PATH").split(QDir::listSeparator())) {
        const QFileInfo candidate(QDir(folder.isEmpty() ? "." : folder), name);
        if (!candidate.isFile()) {
            continue;
        }
        if (!candidate.isExecutable()) {
            if (not_executable.isEmpty()) {
                not_executable = candidate.absoluteFilePath();
            }
            continue;
        }
        const QString program = candidate.absoluteFilePath();
        return {QProcess::startDetached(program, {ToQt(target)})
                    ? LaunchResult::Status::Started
                    : LaunchResult::Status::FailedToStart,
                FromQt(program)};
    }
    if (!not_executable.isEmpty()) {
        return {LaunchResult::Status::NotExecutable, FromQt(not_executable)};
    }
    return {LaunchResult::Status::NotInstalled, {}};
}

bool QtDesktop::OpenWithToolkit(const std::string& target) {
    // A full path becomes a file address; a web address stays as it is.
    return QDesktopServices::openUrl(QUrl::fromUserInput(ToQt(target)));
}

void QtDesktop::PlaySound(const std::string& path) {
    if (!m_sound) {
        m_sound = std::make_unique<SoundPlayer>();
    }
    m_sound->Play(path);
}

void QtDesktop::StopSound() {
    if (m_sound) {
        m_sound->Stop();
    }
}

FileDialogAnswer QtDesktop::RunFileDialog(const FileDialogRequest& request) {
    LoadJapaneseQtTexts();
    QFileDialog dialog(QWidget::find(WId(request.owner)), ToQt(request.title),
                       ToQt(request.directory));
    QStringList filters;
    for (const std::string& filter : request.filters) {
        filters << ToQt(filter);
    }
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.front());
    }
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multi_select      ? QFileDialog::ExistingFiles
                           : request.file_must_exist ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    }
    dialog.setOption(QFileDialog::DontResolveSymlinks, !request.resolve_symlinks);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !request.native_dialog);

    while (dialog.exec() == QDialog::Accepted) {
        QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty()) {
            return {FileDialogAnswer::Status::Cancelled, {}};
        }
        if (request.check) {
            const FileChoiceCheck check =
                request.check(FromQt(QDir::toNativeSeparators(chosen.front())));
            if (check.verdict == FileChoiceCheck::Verdict::Refuse) {
                QMessageBox::warning(&dialog, dialog.windowTitle(), ToQt(check.text));
                continue;
            }
            if (check.verdict == FileChoiceCheck::Verdict::AskFirst &&
                QMessageBox::question(&dialog, dialog.windowTitle(), ToQt(check.text)) !=
                    QMessageBox::Yes) {
                continue;
            }
        }
        FileDialogAnswer answer{FileDialogAnswer::Status::Chosen, {}};
        for (const QString& path : chosen) {
            answer.paths.push_back(FromQt(QDir::toNativeSeparators(path)));
        }
        return answer;
    }
    return {FileDialogAnswer::Status::Cancelled, {}};
}

void QtDesktop::Quit(int status) {
    // The clock has closed: a start from now on is no second clock, even
    // while this process still ends.
    m_instance.Release();
    QCoreApplication::exit(status);
}

void LoadJapaneseQtTexts() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

void RegisterFontSubstitutes() {
    // A rounded Gothic first, as the original rounded typeface; then plain
    // Japanese Gothic faces.
    QFont::insertSubstitutions(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"),
                               {"MotoyaLMaru", "Noto Sans CJK JP", "IPAGothic", "IPAPGothic"});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {"IPAGothic", "Noto Sans Mono CJK JP", "MotoyaLMaru"});
}

}  // namespace sorane
