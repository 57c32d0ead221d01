// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The console display's state: Windows sends it to a window that registers
// for it, once at the registration and again at each change (off, on,
// dimmed).

#include "platform/ScreenBlankWatch.h"

#include <QCoreApplication>
#include <cstring>
#include <windows.h>

namespace sorane {
namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelt out: not every SDK's headers have it.
constexpr GUID CONSOLE_DISPLAY_STATE = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD DISPLAY_OFF = 0;

}  // namespace

ScreenBlankWatch::ScreenBlankWatch(QWidget& window, std::function<void(bool)> changed)
    : m_changed(std::move(changed)) {
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    m_registration =
        RegisterPowerSettingNotification(hwnd, &CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (m_registration != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_watching = true;
    }
}

ScreenBlankWatch::~ScreenBlankWatch() {
    if (m_registration != nullptr) {
        UnregisterPowerSettingNotification(static_cast<HPOWERNOTIFY>(m_registration));
    }
    if (m_watching && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool ScreenBlankWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "windows_generic_MSG") {
        return false;
    }
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_POWERBROADCAST || msg->wParam != PBT_POWERSETTINGCHANGE) {
        return false;
    }
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(msg->lParam);
    if (setting == nullptr || !IsEqualGUID(setting->PowerSetting, CONSOLE_DISPLAY_STATE) ||
        setting->DataLength < sizeof(DWORD)) {
        return false;
    }
    DWORD state = 0;
    memcpy(&state, setting->Data, sizeof state);
    // Dimmed is still seen.
    Follow(state == DISPLAY_OFF);
    return false;
}

}  // namespace sorane
