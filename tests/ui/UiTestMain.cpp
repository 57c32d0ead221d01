// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Runs the window tests in an offscreen Qt application.

#include <QApplication>
#include <gtest/gtest.h>

#include "clock/AppIcon.h"
#include "platform/QtDesktop.h"

int main(int argc, char** argv) {
    // Offscreen, with the screens a test run asks for (offscreen:configfile=...).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith("offscreen")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    sorane::RegisterFontSubstitutes();
    QApplication::setWindowIcon(sorane::ApplicationIcon());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
