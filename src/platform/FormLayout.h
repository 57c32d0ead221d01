// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QWidget>

namespace sorane {

/// Places a control at Left, Top, Width, Height given in twips, as the
/// windows were laid out.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

/// "HG丸ｺﾞｼｯｸM-PRO" (a rounded Gothic) at a size in points at 96 dpi.
QFont RoundGothic(double points);

/// "ＭＳ ゴシック" at a size in points at 96 dpi.
QFont MsGothic(double points);

/// Moves a window to the middle of the screen it is on.
void CentreOnScreen(QWidget* window);

}  // namespace sorane
