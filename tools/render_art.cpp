// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// render_art: renders the pictures that are made from the vector sources in
// assets/: the icon sizes and the Windows .ico, and docs/faces.png, the sheet
// of the three faces at 1x and 2x with the hands in each palette colour.
//
//   render_art SOURCE_DIR

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <QBuffer>
#include <cstdio>

#include "SvgArt.h"
#include "clock/ClockFaces.h"
#include "clock/HandPictures.h"
#include "settings/Palette16.h"
#include "clock/DialRules.h"
#include "clock/TimeText.h"
#include "platform/QtDesktop.h"

namespace {

QString source_root;  // SOURCE_DIR

QImage RenderIcon(int size) {
    return RenderSvg(source_root + "/assets/icons/sorane.svg", size, Qt::transparent);
}

using namespace sorane;

const char* const COLOUR_NAMES[16] = {
    "黒",         "青",      "緑",       "シアン",   "赤",           "マゼンダ", "黄色",
    "白",         "灰色",    "明るい青", "明るい緑", "明るいシアン", "明るい赤", "明るいマゼンダ",
    "明るい黄色", "明るい白"};

// One clock as the window shows it: face, text line, hands.
QImage RenderClock(Face face, qreal scale, const HandColours& colours, const LocalDateTime& at) {
    const ClockFaces faces(scale, ClockFaces::Corners::Transparent);
    QImage image(qRound(CLOCK_SIZE * scale), qRound(CLOCK_SIZE * scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawImage(0, 0, faces.Picture(face));
    QFont font(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(24, 100, 121, 17), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(DateText(at.Date())));
    PaintHands(painter, HandsAt(at.hour, at.minute, at.second), colours);
    return image;
}

void DrawLabel(QPainter& painter, const QRect& box, const QString& text) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor("#333333"));
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

QImage FacesSheet() {
    LocalDateTime at;
    at.year = 2026;
    at.month = 12;
    at.day = 7;
    at.hour = 10;
    at.minute = 8;
    at.second = 37;
    const HandColours defaults{Palette16[1], Palette16[9], Palette16[0]};
    const Face faces[] = {Face::Ordinary, Face::Wink, Face::Surprised};
    const QString names[] = {"ふつう (ordinary)", "ウインク (wink)", "びっくり (surprised)"};

    const int margin = 20;
    const int cell = CLOCK_SIZE + 10;
    const int width = margin * 2 + 8 * cell;
    const int height = 920;
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor("#F2F2F2"));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // 1x, then 2x.
    const int column_width = (width - 2 * margin) / 3;
    for (int i = 0; i < 3; ++i) {
        const int x = margin + i * column_width;
        painter.drawImage(QPoint(x + (column_width - 150) / 2, margin),
                          RenderClock(faces[i], 1, defaults, at));
        DrawLabel(painter, QRect(x, margin + 155, column_width, 20), names[i] + " 1×");
        QImage twice = RenderClock(faces[i], 2, defaults, at);
        twice.setDevicePixelRatio(1);
        painter.drawImage(QPoint(x + (column_width - 300) / 2, margin + 185), twice);
        DrawLabel(painter, QRect(x, margin + 490, column_width, 20), names[i] + " 2×");
    }

    // The ordinary face with all three hands in each palette colour, at 1x.
    const int top = margin + 540;
    for (int c = 0; c < 16; ++c) {
        const int x = margin + (c % 8) * cell + 5;
        const int y = top + (c / 8) * (cell + 30);
        const Rgb rgb = Palette16[c];
        painter.drawImage(QPoint(x, y), RenderClock(Face::Ordinary, 1, {rgb, rgb, rgb}, at));
        DrawLabel(painter, QRect(x - 5, y + 155, cell, 20),
                  QString("%1 %2").arg(c).arg(COLOUR_NAMES[c]));
    }
    return sheet;
}

// A Windows icon file holding PNG images (supported since Windows Vista).
QByteArray IcoFile(const QList<int>& sizes) {
    QByteArray header;
    QByteArray images;
    const auto put16 = [](QByteArray& out, quint16 v) {
        out.append(char(v & 0xFF)).append(char(v >> 8));
    };
    const auto put32 = [&](QByteArray& out, quint32 v) {
        put16(out, quint16(v & 0xFFFF));
        put16(out, quint16(v >> 16));
    };
    put16(header, 0);
    put16(header, 1);
    put16(header, quint16(sizes.size()));
    const int data_start = 6 + 16 * int(sizes.size());
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        RenderIcon(size).save(&buffer, "PNG");
        header.append(char(size >= 256 ? 0 : size)).append(char(size >= 256 ? 0 : size));
        header.append(char(0)).append(char(0));
        put16(header, 1);
        put16(header, 32);
        put32(header, quint32(png.size()));
        put32(header, quint32(data_start + images.size()));
        images.append(png);
    }
    return header + images;
}

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "render_art: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_art SOURCE_DIR\n");
        return 2;
    }
    sorane::RegisterFontSubstitutes();
    const QString root = QString::fromLocal8Bit(argv[1]);
    source_root = root;
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        ok &= Save(RenderIcon(size), QString("%1/assets/icons/sorane-%2.png").arg(root).arg(size));
    }
    QFile ico(root + "/assets/icons/sorane.ico");
    ok &= ico.open(QIODevice::WriteOnly) && ico.write(IcoFile({16, 24, 32, 48, 256})) > 0;
    ok &= Save(FacesSheet(), root + "/docs/faces.png");
    return ok ? 0 : 1;
}
