// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

namespace sorane {

/// Plays a sound file once, in the background: Play returns at once, and
/// nothing the sound does (a missing file, no sound server) ever holds up
/// the caller; why a sound was not heard is one line on standard error.
///
/// On Linux it speaks to the desktop's sound server through libcanberra,
/// the freedesktop event-sound library, which is loaded on the first Play
/// only: an idle clock carries no audio libraries and no audio threads. On
/// Windows it uses PlaySoundW.
class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();  ///< stops what plays and waits for it to end
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    /// Starts the file (UTF-8 path); a sound still playing goes on.
    void Play(const std::string& path);
    /// Stops every sound still playing.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace sorane
