// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// What the dial shows: its size, the face of each second, and where the
// hands point.

#include "common/Twips.h"

namespace sorane {

/// The clock window's width and height, in pixels.
inline constexpr int CLOCK_SIZE = 150;

/// The three face pictures.
enum class Face { Ordinary, Wink, Surprised };

/// A point in twips, window coordinates, y growing downwards.
struct TwipPoint {
    float x = 0;
    float y = 0;
};

/// One hand, from the centre to its tip, in twips.
struct HandLine {
    TwipPoint from;
    TwipPoint to;
};

struct Hands {
    HandLine hour;
    HandLine minute;
    HandLine second;
};

/// The face for a second (0-59): the wink on seconds divisible by 4.
Face FaceForSecond(int second);

/// The hands at a time of day. The hour hand moves half a degree a minute,
/// not with the seconds; the angles use pi = 3.141592 and the hand lengths are
/// 60, 67.5 and 70 pixels from the centre of the 150-pixel window.
Hands HandsAt(int hour, int minute, int second, int twips_per_pixel = TWIPS_PER_PIXEL);

}  // namespace sorane
