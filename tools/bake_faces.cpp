// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// bake_faces: renders the three faces from their vector sources at the
// usual screen scales as PNG files, when the program is built, so that the
// clock needs no SVG renderer to start.
//
//   bake_faces FACES_DIR OUT_DIR SCALE...
//       writes OUT_DIR/NAME@SCALEx.png for each scale ("1", "1.25", ...), a
//       picture round(150 * SCALE) pixels square

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "SvgArt.h"
#include "clock/DialRules.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bake_faces FACES_DIR OUT_DIR SCALE...\n");
        return 2;
    }
    const QString faces = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QStringList scales;
    for (int i = 3; i < argc; ++i) {
        scales << QString::fromLocal8Bit(argv[i]);
    }
    QDir().mkpath(out);
    for (const char* name : {"ordinary", "wink", "surprised"}) {
        for (const QString& scale : scales) {
            bool is_number = false;
            const double ratio = scale.toDouble(&is_number);
            if (!is_number || ratio <= 0) {
                std::fprintf(stderr, "bake_faces: %s is not a scale\n", qPrintable(scale));
                return 2;
            }
            // Named as the clock asks for it: the scale as Qt writes the number.
            // The pixels as they lie in memory (premultiplied ARGB, a 32-bit
            // word each, rows one after another): the clock shows the face it
            // starts with straight from its own file, with nothing to decode
            // before its window first appears.
            const QString path = QString("%1/%2@%3x.argb").arg(out, name, QString::number(ratio));
            const QImage face = RenderSvg(QString("%1/%2.svg").arg(faces, name),
                                          qRound(sorane::CLOCK_SIZE * ratio), Qt::transparent)
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QFile file(path);
            const auto bytes = qsizetype(face.sizeInBytes());
            if (face.isNull() || face.bytesPerLine() != face.width() * 4 ||
                !file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char*>(face.constBits()), bytes) != bytes) {
                std::fprintf(stderr, "bake_faces: cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
