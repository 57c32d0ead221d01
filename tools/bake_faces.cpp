// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// bake_faces: renders the three faces from their vector sources at 1x and 2x
// as PNG files, when the program is built, so that the clock needs no SVG
// renderer to start.
//
//   bake_faces FACES_DIR OUT_DIR     writes OUT_DIR/NAME@1x.png and NAME@2x.png

#include <QDir>
#include <cstdio>

#include "SvgArt.h"
#include "clock/TickRules.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bake_faces FACES_DIR OUT_DIR\n");
        return 2;
    }
    const QString faces = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    for (const char* name : {"ordinary", "wink", "surprised"}) {
        for (int scale : {1, 2}) {
            const QString path = QString("%1/%2@%3x.png").arg(out, name).arg(scale);
            const QImage face = RenderSvg(QString("%1/%2.svg").arg(faces, name),
                                          sorane::CLOCK_SIZE * scale, Qt::white);
            if (face.isNull() || !face.save(path)) {
                std::fprintf(stderr, "bake_faces: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
