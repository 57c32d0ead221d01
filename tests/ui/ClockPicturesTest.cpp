// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/AppIcon.h"
#include "clock/ClockFaces.h"
#include "clock/HandPictures.h"
#include "clock/WindowParts.h"

#include <gtest/gtest.h>

#include "PaintedClock.h"
#include "clock/ClockSurface.h"
#include "platform/FormLayout.h"

#include <string>

namespace sorane {
namespace {

// The bounding box of the pixels where two pictures differ.
QRect DifferingArea(const QImage& a, const QImage& b) {
    QRect area;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

TEST(ClockPicturesTest, WinkClosesOnlyTheRightEye) {
    const ClockFaces faces(1);
    const QImage ordinary = faces.Picture(Face::Ordinary);
    const QImage wink = faces.Picture(Face::Wink);
    const QRect changed = DifferingArea(ordinary, wink);
    ASSERT_FALSE(changed.isEmpty());
    // The right eye sits around (86, 64); nothing outside it may move.
    EXPECT_TRUE(QRect(78, 54, 18, 18).contains(changed))
        << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

TEST(ClockPicturesTest, FacesFillTheRoundDialAndLeaveTheCornersEmpty) {
    const ClockFaces faces(2, ClockFaces::Corners::Transparent);
    for (Face face : {Face::Ordinary, Face::Wink, Face::Surprised}) {
        const QImage picture = faces.Picture(face);
        EXPECT_EQ(picture.size(), QSize(300, 300));
        EXPECT_EQ(faces.Picture(face).devicePixelRatio(), 2);
        EXPECT_EQ(qAlpha(picture.pixel(150, 150)), 255);
        EXPECT_EQ(qAlpha(picture.pixel(150, 3)), 255);
        EXPECT_EQ(qAlpha(picture.pixel(2, 2)), 0);
    }
    // The surprised face is on a blue ground: its dial, away from the girl,
    // is clearly bluer and darker than the ordinary one.
    const QColor ordinary = faces.Picture(Face::Ordinary).pixelColor(120, 270);
    const QColor surprised = faces.Picture(Face::Surprised).pixelColor(120, 270);
    EXPECT_LT(surprised.lightness() + 40, ordinary.lightness());
    EXPECT_GT(surprised.blue(), surprised.red() + 80);
}

TEST(ClockPicturesTest, WindowFacesAreOpaqueSoTheyAreCopiedNotBlended) {
    const ClockFaces faces(1);
    for (Face face : {Face::Ordinary, Face::Wink, Face::Surprised}) {
        EXPECT_FALSE(faces.Picture(face).hasAlphaChannel());
    }
}

TEST(ClockPicturesTest, TextLineAreaStaysLightForBlackText) {
    // The date line is drawn in black at (24, 100), 121 x 17: the cloud behind
    // it must stay light on every face.
    const ClockFaces faces(1);
    for (Face face : {Face::Ordinary, Face::Wink, Face::Surprised}) {
        const QImage picture = faces.Picture(face);
        for (int x = 28; x < 120; x += 4) {
            for (int y = 102; y < 116; y += 3) {
                EXPECT_GT(picture.pixelColor(x, y).lightness(), 200) << x << "," << y;
            }
        }
    }
}

TEST(ClockPicturesTest, SurfaceDrawsWhatPaintersDrawAtEveryScale) {
    // The window's one picture, composed from the kept pictures, against the
    // same clock painted from scratch: at whole and fractional scales, over
    // every face, with and without the line.
    QFont font = RoundGothic(9.75);
    font.setBold(true);
    const QRect line_geometry(24, 100, 121, 17);
    // Clear corners too, where a compositor blends the window.
    using Corners = ClockFaces::Corners;
    for (const auto& [ratio, corners] :
         {std::pair{1.0, Corners::Opaque}, std::pair{1.25, Corners::Opaque},
          std::pair{1.5, Corners::Opaque}, std::pair{2.0, Corners::Opaque},
          std::pair{1.0, Corners::Transparent}, std::pair{1.5, Corners::Transparent}}) {
        ClockSurface surface;
        ASSERT_TRUE(surface.Use(ratio, corners));
        EXPECT_FALSE(surface.Use(ratio, corners));
        EXPECT_EQ(surface.Picture().size(), QSize(qRound(150 * ratio), qRound(150 * ratio)));
        LineLabel line("R08/12/08", line_geometry, font);
        for (const auto& [hour, minute, second, face] :
             {std::tuple{10, 8, 37, Face::Ordinary}, std::tuple{15, 30, 0, Face::Wink},
              std::tuple{3, 59, 44, Face::Surprised}}) {
            for (const HandColours& colours :
                 {HandColours{Palette16[1], Palette16[9], 0},
                  HandColours{Palette16[15], Palette16[14], Palette16[12]}}) {
                const Hands hands = HandsAt(hour, minute, second);
                for (LineLabel* shown_line : {&line, static_cast<LineLabel*>(nullptr)}) {
                    surface.ComposeAll({face, shown_line, &hands, colours});
                    const PaintedLine painted_line =
                        shown_line ? PaintedLine{line.text(), font, line_geometry} : PaintedLine{};
                    QPoint where;
                    EXPECT_LE(LargestDifference(
                                  surface.Picture(),
                                  PaintedClock(ratio, face, hands, colours, painted_line, corners),
                                  &where),
                              2)
                        << hour << ":" << minute << ":" << second << " at " << ratio << "x, near "
                        << where.x() << "," << where.y();
                }
            }
        }
    }
}

TEST(ClockPicturesTest, HourHandLiesOverTheMinuteAndTheSecondHand) {
    // At 12:00:00 all three point up; the hour hand must be the one seen.
    const HandColours colours{Palette16[12], Palette16[10], Palette16[9]};
    ClockSurface surface;
    surface.Use(1, ClockFaces::Corners::Opaque);
    const Hands hands = HandsAt(12, 0, 0);
    surface.ComposeAll({Face::Ordinary, nullptr, &hands, colours});
    EXPECT_EQ(surface.Picture().pixel(75, 40), QColor(0xFF, 0, 0).rgb())
        << "the hour hand, bright red";
}

TEST(ClockPicturesTest, ChangedPartsNeverOverlapAndCoverWhatChanged) {
    // Every layer is blended once over each part: a pixel in two parts
    // would be blended twice. At the turn of an hour all three hands move,
    // and the wink's rectangle crosses hands that pass over the eyes.
    const Hands before = HandsAt(9, 59, 59);
    const Hands after = HandsAt(10, 0, 0);
    WindowParts parts = HandsChange(before, after);
    const QRect eyes(60, 50, 40, 20);
    AddPart(parts, eyes);
    AddPart(parts, QRect());
    QRegion covered;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        for (qsizetype j = i + 1; j < parts.size(); ++j) {
            EXPECT_FALSE(parts[i].intersects(parts[j])) << i << " and " << j;
        }
        covered += parts[i];
    }
    EXPECT_TRUE(covered.contains(eyes));

    // The hands' own parts, with nothing else to re-tile them: every second
    // of an hour, and every turn of a minute through a day.
    for (int step = 0; step < 3600 + 24 * 60; ++step) {
        const bool turn = step >= 3600;
        const int minute = turn ? step - 3600 : 0;
        const Hands was =
            turn ? HandsAt(minute / 60, minute % 60, 59) : HandsAt(4, step / 60, step % 60);
        const Hands is = turn ? HandsAt((minute + 1) / 60 % 24, (minute + 1) % 60, 0)
                              : HandsAt(4, (step + 1) / 60 % 60, (step + 1) % 60);
        const WindowParts hand_parts = HandsChange(was, is);
        for (qsizetype i = 0; i < hand_parts.size(); ++i) {
            for (qsizetype j = i + 1; j < hand_parts.size(); ++j) {
                ASSERT_FALSE(hand_parts[i].intersects(hand_parts[j]))
                    << "step " << step << ": parts " << i << " and " << j;
            }
        }
    }
    for (const Hands& hands : {before, after}) {
        for (const HandLine& line : {hands.hour, hands.minute, hands.second}) {
            EXPECT_TRUE(
                covered.contains(QPoint(line.to.x / TWIPS_PER_PIXEL, line.to.y / TWIPS_PER_PIXEL)));
        }
    }
}

TEST(ClockPicturesTest, IconIsDrawnAtEverySizeTheDesktopAsksFor) {
    for (int size : {16, 24, 32, 48}) {
        const QImage icon = ApplicationIcon().pixmap(QSize(size, size)).toImage();
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    }
    EXPECT_FALSE(ApplicationIcon().isNull());
}

}  // namespace
}  // namespace sorane
