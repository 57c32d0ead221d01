// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the clock's keys ask for: the commands the clock knows, which its
// menu carries out.

namespace sorane {

/// What the clock's keys and its pop-up menu can ask for.
/// Menu opens the pop-up menu itself, as the right button does.
enum class ClockCommand { None, Timer, Setup, Help, About, Exit, Menu };

/// Where a command was given.
enum class CommandFrom { Key, Menu };

/// The command of a key on the clock, by its virtual-key code (Esc 27,
/// A 65, H 72); letters act with or without Shift. The menu opens from the
/// keyboard as on every desktop: the Menu key (93), or Shift with F10 (121).
/// A key held down acts once: the repeats it sends while held (repeated) do
/// nothing, or holding H would start the read-me's opener over and over.
ClockCommand CommandForKey(int virtual_key, bool repeated = false, bool shift = false);

}  // namespace sorane
