// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QImageReader>
#include <QString>

namespace sorane {

/// A PNG picture from the program's resources, read by Qt's own PNG reader:
/// left to guess the format, the image reader would load every image format
/// plug-in (and the libraries behind them) to ask each one first.
inline QImage ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace sorane
