// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QtDesktop.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "common/StandardError.h"
#include "common/ProcessRules.h"
#include "platform/X11Window.h"

namespace sorane {
namespace {

QString ToQt(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

double RealSteadySeconds() {
#if defined(__linux__)
    // CLOCK_BOOTTIME goes on while the machine sleeps, so a countdown that
    // ran out during a suspend goes off on waking.
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    }
#endif
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

QtDesktop::QtDesktop(std::string instance_name) : m_instance(std::move(instance_name)) {
    // The local time is read without Qt, which asks the C library to look at
    // the time-zone file on every reading (a stat of /etc/localtime each
    // second). The zone is read once here, and again when it changes: with
    // TZ set, the C library takes no change of zone while the program runs,
    // with Qt or without.
    ::tzset();
#if defined(Q_OS_UNIX)
    if (!qEnvironmentVariableIsSet("TZ")) {
        m_zone_watcher = std::make_unique<QFileSystemWatcher>();
        const auto zone_changed = [this] {
            ::tzset();
            WatchZone();
        };
        QObject::connect(m_zone_watcher.get(), &QFileSystemWatcher::directoryChanged, zone_changed);
        QObject::connect(m_zone_watcher.get(), &QFileSystemWatcher::fileChanged, zone_changed);
        WatchZone();
    }
#endif
}

#if defined(Q_OS_UNIX)
void QtDesktop::WatchZone() {
    // A zone changes three ways: timedatectl puts a new link in /etc; an
    // editor or a script rewrites /etc/localtime in place (the watch follows
    // the link to the file); a tzdata update replaces the file the link
    // leads to, in a folder of its own. After each change the link may lead
    // elsewhere, so the watches are made anew.
    const QString zone_file = QStringLiteral("/etc/localtime");
    QStringList paths{QStringLiteral("/etc")};
    const QFileInfo zone(zone_file);
    if (zone.exists()) {
        paths << zone_file;
        const QString target = zone.canonicalFilePath();
        if (!target.isEmpty() && QFileInfo(target).absolutePath() != paths.front()) {
            paths << QFileInfo(target).absolutePath();
        }
    }
    const QStringList watched = m_zone_watcher->files() + m_zone_watcher->directories();
    if (!watched.isEmpty()) {
        m_zone_watcher->removePaths(watched);
    }
    m_zone_watcher->addPaths(paths);
}
#endif

QtDesktop::~QtDesktop() = default;

LocalDateTime QtDesktop::Now() {
#if defined(Q_OS_UNIX)
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    return {
        local.tm_year + 1900, local.tm_mon + 1,          local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec,         int(now.tv_nsec / 1000000)};
#else
    return LocalFrom(QDateTime::currentDateTime());
#endif
}

LocalDateTime LocalFrom(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(),   date.month(),  date.day(), time.hour(),
            time.minute(), time.second(), time.msec()};
}

double QtDesktop::SteadySeconds() {
    return RealSteadySeconds();
}

void QtDesktop::ShowMessage(const Message& message) {
    LoadJapaneseQtTexts();
    QMessageBox box(
        message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        ToQt(message.title), ToQt(message.text), QMessageBox::Ok);
    // The clock stays above other windows; its messages must not hide behind it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

ScreenPoint QtDesktop::CursorPos() {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
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

std::optional<ScreenPoint> QtDesktop::WindowPlace(WindowHandle window) {
    QWidget* widget = QWidget::find(WId(window));
    if (widget == nullptr) {
        return std::nullopt;
    }
    if (const std::optional<QPoint> place = PositionOnRoot(widget)) {
        return ScreenPoint{place->x(), place->y()};
    }
    return std::nullopt;
}

std::string QtDesktop::ProgramDirectory() {
#if defined(Q_OS_LINUX)
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
#endif
    return FromQt(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

bool QtDesktop::CanWriteIn(const std::string& folder) {
#if defined(Q_OS_UNIX)
    // By the folder's bytes, as ProgramDirectory gives them.
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK) == 0;
#else
    const QFileInfo info(ToQt(folder));
    return info.isDir() && info.isWritable();
#endif
}

std::string QtDesktop::UserSettingsFolder() {
#if defined(Q_OS_WIN)
    // %APPDATA%\sorane: the roaming profile, where Windows programs keep
    // their settings files (Qt's config location there is the local one).
    return FromQt(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
#elif defined(Q_OS_MACOS)
    return FromQt(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
#else
    return ConfigHomeFrom(std::getenv("XDG_CONFIG_HOME"), FromQt(QDir::homePath())) + "/" +
           FromQt(QCoreApplication::applicationName());
#endif
}

bool QtDesktop::ClaimSingleInstance() {
    const SingleInstance::Claim claim = m_instance.TryClaim();
    if (!m_instance.Problem().empty()) {
        ReportOnStandardError(m_instance.Problem());
    }
    return claim != SingleInstance::Claim::AlreadyRunning;
}

LaunchResult QtDesktop::StartOpener(const std::string& target) {
#if defined(Q_OS_WIN)
    // Windows has no opener program here: the toolkit's own means serve.
    Q_UNUSED(target);
    return {LaunchResult::Status::NotInstalled, {}};
#else
#if defined(Q_OS_MACOS)
    const QString name = QStringLiteral("open");
#else
    const QString name = QStringLiteral("xdg-open");
#endif
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
#endif
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
