// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Runs the window tests in an offscreen Qt application.
//
// --screen-ratios=R[,R...] runs the screens at those device pixel ratios
// (1.5 for a run at 150 %, 1,2 for two screens of those scales, given by an
// offscreen configuration file), through Qt's scale factors; a run whose
// screens end up with other ratios fails every test, so that an entry that
// is not running at the scale its name says is caught, not passed at 1.

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "clock/AppIcon.h"
#include "platform/QtDesktop.h"

namespace {

class ScreenRatiosCheck : public ::testing::Environment {
public:
    explicit ScreenRatiosCheck(std::vector<qreal> expected) : m_expected(std::move(expected)) {}

    void SetUp() override {
        std::vector<qreal> actual;
        for (const QScreen* screen : QGuiApplication::screens()) {
            actual.push_back(screen->devicePixelRatio());
        }
        ASSERT_EQ(actual, m_expected) << "the screens' device pixel ratios are not those this "
                                         "run is named for (--screen-ratios)";
    }

private:
    std::vector<qreal> m_expected;
};

// The ratios --screen-ratios asks for; 1 without it.
std::vector<qreal> ExpectedRatios(int argc, char** argv) {
    constexpr const char* OPTION = "--screen-ratios=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], OPTION, std::strlen(OPTION)) == 0) {
            std::vector<qreal> ratios;
            for (const QString& ratio :
                 QString::fromUtf8(argv[i] + std::strlen(OPTION)).split(',')) {
                ratios.push_back(ratio.toDouble());
            }
            return ratios;
        }
    }
    return {1.0};
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen, with the screens a test run asks for (offscreen:configfile=...).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith("offscreen")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::vector<qreal> ratios = ExpectedRatios(argc, argv);
    if (ratios.size() == 1 && ratios[0] != 1.0) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(ratios[0]));
    } else if (ratios.size() > 1) {
        QStringList factors;
        for (const qreal ratio : ratios) {
            factors << QString::number(ratio);
        }
        qputenv("QT_SCREEN_SCALE_FACTORS", factors.join(';').toUtf8());
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    sorane::RegisterFontSubstitutes();
    QApplication::setWindowIcon(sorane::ApplicationIcon());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ScreenRatiosCheck(ratios));
    return RUN_ALL_TESTS();
}
