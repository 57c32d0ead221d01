// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SoundPlayer.h"

#include "platform/SoundFileCheck.h"

namespace sorane {

// A build without a sound backend still says why nothing is heard.
struct SoundPlayer::Impl {};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::Play(const std::string& path) {
    if (Playable(path)) {
        ReportNoSound(path, "this build of the clock has no sound support");
    }
}

void SoundPlayer::Stop() {}

}  // namespace sorane
