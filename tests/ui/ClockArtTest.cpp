// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ClockArt.h"

#include <gtest/gtest.h>

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

TEST(ClockArtTest, WinkClosesOnlyTheRightEye) {
    const ClockFaces faces(1);
    const QImage ordinary = faces.Picture(Face::Ordinary);
    const QImage wink = faces.Picture(Face::Wink);
    const QRect changed = DifferingArea(ordinary, wink);
    ASSERT_FALSE(changed.isEmpty());
    // The right eye sits around (86, 64); nothing outside it may move.
    EXPECT_TRUE(QRect(78, 54, 18, 18).contains(changed))
        << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

TEST(ClockArtTest, FacesFillTheRoundDialAndLeaveTheCornersEmpty) {
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

TEST(ClockArtTest, WindowFacesAreOpaqueSoTheyAreCopiedNotBlended) {
    const ClockFaces faces(1);
    for (Face face : {Face::Ordinary, Face::Wink, Face::Surprised}) {
        EXPECT_FALSE(faces.Picture(face).hasAlphaChannel());
    }
}

TEST(ClockArtTest, TextLineAreaStaysLightForBlackText) {
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

// The largest difference of any colour channel between two pictures.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

TEST(ClockArtTest, KeptHandPicturesDrawWhatTheStrokesDraw) {
    HandPictures pictures;
    for (qreal ratio : {1.0, 2.0}) {
        const ClockFaces faces(ratio);
        for (const auto& [hour, minute, second] :
             {std::tuple{10, 8, 37}, std::tuple{15, 30, 0}, std::tuple{3, 59, 44}}) {
            for (const HandColours& colours :
                 {HandColours{Palette16[1], Palette16[9], 0},
                  HandColours{Palette16[15], Palette16[14], Palette16[12]}}) {
                const Hands hands = HandsAt(hour, minute, second);
                QImage stroked(QSize(150, 150) * ratio, QImage::Format_RGB32);
                stroked.setDevicePixelRatio(ratio);
                QImage copied = stroked;
                for (auto [image, kept] : {std::pair{&stroked, false}, std::pair{&copied, true}}) {
                    QPainter painter(image);
                    DrawInBands(painter, QPointF(0, 0), faces.Picture(Face::Ordinary));
                    if (kept) {
                        pictures.Paint(painter, hands, colours);
                    } else {
                        PaintHands(painter, hands, colours);
                    }
                }
                EXPECT_LE(LargestDifference(stroked, copied), 2)
                    << hour << ":" << minute << ":" << second << " at " << ratio << "x";
            }
        }
    }
}

TEST(ClockArtTest, HourHandLiesOverTheMinuteAndTheSecondHand) {
    // At 12:00:00 all three point up; the hour hand must be the one seen.
    QImage image(150, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    const HandColours colours{Palette16[12], Palette16[10], Palette16[9]};
    HandPictures pictures;
    QPainter painter(&image);
    pictures.Paint(painter, HandsAt(12, 0, 0), colours);
    painter.end();
    EXPECT_EQ(image.pixel(75, 40), QColor(0xFF, 0, 0).rgb()) << "the hour hand, bright red";
}

TEST(ClockArtTest, ChangedPartsNeverOverlapAndCoverWhatChanged) {
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
    for (const Hands& hands : {before, after}) {
        for (const HandLine& line : {hands.hour, hands.minute, hands.second}) {
            EXPECT_TRUE(
                covered.contains(QPoint(line.to.x / TWIPS_PER_PIXEL, line.to.y / TWIPS_PER_PIXEL)));
        }
    }
}

TEST(ClockArtTest, IconIsDrawnAtEverySizeTheDesktopAsksFor) {
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
