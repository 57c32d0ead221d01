// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// A vector picture drawn antialiased into a square side x side pixels over a
// background: an opaque background gives an opaque picture (RGB32), a
// transparent one a premultiplied ARGB32 picture.
QImage RenderSvg(const QString& source, int side, const QColor& background);
