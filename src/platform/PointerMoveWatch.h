// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>

namespace sorane {

/// Whether the pointer has moved anywhere on the screen since the watch was
/// last started. On X11 the input extension's raw motion, asked for one move
/// at a time: the first move after a start is heard and the watch ends, so a
/// pointer in use wakes the program once, not for each move. Elsewhere a
/// move is always assumed.
class PointerMoveWatch final : public QAbstractNativeEventFilter {
public:
    PointerMoveWatch();
    ~PointerMoveWatch() override;
    PointerMoveWatch(const PointerMoveWatch&) = delete;
    PointerMoveWatch& operator=(const PointerMoveWatch&) = delete;

    /// Watches from now on for the next move. The pointer read after this
    /// is current until MovedSinceStart says otherwise.
    void Start();
    /// True after a move since the last Start, or when moves cannot be heard.
    bool MovedSinceStart() const { return m_moved; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void Select(bool raw_motion);

    bool m_moved = true;
    bool m_can_hear = false;
    std::uint8_t m_opcode = 0;  ///< the X input extension's major opcode
};

}  // namespace sorane
