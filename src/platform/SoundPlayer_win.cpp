// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SoundPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/SoundFileCheck.h"

namespace sorane {

struct SoundPlayer::Impl {};

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
    Stop();
}

void SoundPlayer::Play(const std::string& path) {
    if (!Playable(path)) {
        return;
    }
    const std::wstring wide = PathFromUtf8(path).wstring();
    if (!::PlaySoundW(wide.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
        ReportNoSound(path, "the system could not play it");
    }
}

void SoundPlayer::Stop() {
    ::PlaySoundW(nullptr, nullptr, 0);
}

}  // namespace sorane
