// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SingleInstance.h"

#include <windows.h>

#include "settings/Utf8Path.h"

namespace sorane {

struct SingleInstance::Held {
    HANDLE mutex = nullptr;
    ~Held() {
        if (mutex != nullptr) {
            ::CloseHandle(mutex);
        }
    }
};

SingleInstance::SingleInstance(std::string name) : m_name(std::move(name)) {}
SingleInstance::~SingleInstance() = default;

void SingleInstance::Release() {
    m_held.reset();
}

SingleInstance::Claim SingleInstance::TryClaim() {
    // A mutex in the session's own namespace, named for the user too, so
    // that a clock started as another user (runas) in the same session is
    // not taken for this user's; the system lets it go when the process ends.
    wchar_t user[256] = L"";
    DWORD user_size = DWORD(std::size(user));
    if (::GetUserNameW(user, &user_size) == 0) {
        user[0] = L'\0';
    }
    const std::wstring name =
        L"Local\\" + PathFromUtf8(m_name).wstring() + L"-" + std::wstring(user);
    auto held = std::make_unique<Held>();
    held->mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
    const DWORD error = ::GetLastError();
    if (held->mutex != nullptr) {
        if (error == ERROR_ALREADY_EXISTS) {
            return Claim::AlreadyRunning;
        }
        m_held = std::move(held);
        return Claim::Claimed;
    }
    m_problem = "cannot make the clock's named mutex (error " + std::to_string(error) +
                "); another clock of this user may run beside this one";
    return Claim::Unguarded;
}

}  // namespace sorane
