#include "platform/QtDesktop.h"

#include <chrono>
#include <ctime>

#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

QtDesktop::QtDesktop() {
    // Test-only: SORANE_TEST_START_TIME (local, "2026-12-07T10:08:36") sets
    // the wall clock at start-up; SORANE_TEST_TIME_SCALE makes both clocks run
    // that many times faster. Neither is read anywhere else.
    const double scale = qEnvironmentVariable("SORANE_TEST_TIME_SCALE").toDouble();
    if (scale > 1) {
        m_time_scale = scale;
    }
    m_since_start.start();
    m_start_wall_ms = QDateTime::currentMSecsSinceEpoch();
    const QDateTime start =
        QDateTime::fromString(qEnvironmentVariable("SORANE_TEST_START_TIME"), Qt::ISODate);
    if (start.isValid()) {
        m_start_wall_ms = start.toMSecsSinceEpoch();
        m_shifted = true;
    }
    m_start_steady = RealSteadySeconds();
}

QtDesktop::~QtDesktop() = default;

LocalDateTime QtDesktop::Now() {
    QDateTime now = QDateTime::currentDateTime();
    if (m_time_scale != 1 || m_shifted) {
        now = QDateTime::fromMSecsSinceEpoch(
            m_start_wall_ms + qint64(double(m_since_start.elapsed()) * m_time_scale));
    }
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(),   date.month(),  date.day(), time.hour(),
            time.minute(), time.second(), time.msec()};
}

double QtDesktop::SteadySeconds() {
    const double real = RealSteadySeconds();
    return m_start_steady + (real - m_start_steady) * m_time_scale;
}

void QtDesktop::ShowMessage(const Message& message) {
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
    return FromQt(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

bool QtDesktop::CanWriteIn(const std::string& folder) {
    const QFileInfo info(ToQt(folder));
    return info.isDir() && info.isWritable();
}

std::string QtDesktop::UserSettingsFolder() {
    return FromQt(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
}

bool QtDesktop::ClaimSingleInstance() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    m_instance_lock = std::make_unique<QLockFile>(folder + "/sorane.lock");
    // Only a lock whose process is gone is stale, however long the clock runs.
    m_instance_lock->setStaleLockTime(0);
    return m_instance_lock->tryLock(0);
}

void QtDesktop::OpenDocument(const std::string& path) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!QStandardPaths::findExecutable("xdg-open").isEmpty()) {
        QProcess::startDetached("xdg-open", {ToQt(path)});
        return;
    }
#endif
    QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(path)));
}

LaunchResult QtDesktop::StartUrlOpener(const std::string& url) {
    // The numbers and texts are those the program has always shown for the
    // same failures: 53 file not found, 70 permission denied, 75 path/file
    // access error.
#if defined(Q_OS_MACOS)
    const QString opener = QStringLiteral("open");
#else
    const QString opener = QStringLiteral("xdg-open");
#endif
    const QString executable = QStandardPaths::findExecutable(opener);
    if (executable.isEmpty()) {
        return {LaunchResult::Status::NotInstalled, 53, "ファイルが見つかりません。"};
    }
    if (QProcess::startDetached(executable, {ToQt(url)})) {
        return {LaunchResult::Status::Started, 0, {}};
    }
    if (!QFileInfo(executable).isExecutable()) {
        return {LaunchResult::Status::Failed, 70,
                "書き込みできません。(" + FromQt(executable) + " を実行する権限がありません)"};
    }
    return {LaunchResult::Status::Failed, 75,
            "パス名が無効です。(" + FromQt(executable) + " を起動できませんでした)"};
}

bool QtDesktop::OpenUrlWithToolkit(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(ToQt(url)));
}

FileDialogAnswer QtDesktop::RunFileDialog(const FileDialogRequest& request) {
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
        const QFileInfo first(chosen.front());
        if (request.path_must_exist && !first.absoluteDir().exists()) {
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 QStringLiteral("パスが存在しません。\n") + first.absolutePath());
            continue;
        }
        if (request.create_prompt && !request.save && !first.exists() &&
            QMessageBox::question(
                &dialog, dialog.windowTitle(),
                first.fileName() + QStringLiteral(" は存在しません。\n作成しますか?")) !=
                QMessageBox::Yes) {
            continue;
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
    QCoreApplication::exit(status);
}

void LoadJapaneseQtTexts() {
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
