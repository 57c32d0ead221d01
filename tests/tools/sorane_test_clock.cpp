// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The clock for the end-to-end tests and screenshots: the shipped program
// over a desktop whose time the test controls. Built only with the tests;
// the shipped program reads no such variables.
//
// SORANE_TEST_START_TIME=2026-12-07T10:08:36 starts the clock at that local
// time; SORANE_TEST_TIME_SCALE=60 runs both clocks that many times faster (a
// three-minute countdown then ends after three seconds).
// SORANE_TEST_INSTANCE=NAME: the clocks started with one name are one user's.

#include <QDateTime>

#include "ClockMain.h"

namespace sorane {
namespace {

class TestTimeDesktop : public QtDesktop {
public:
    // Each end-to-end case is a user of its own: SORANE_TEST_INSTANCE names
    // its clocks, so that cases running side by side do not meet.
    TestTimeDesktop()
        : QtDesktop("sorane-test-clock-" +
                    qEnvironmentVariable("SORANE_TEST_INSTANCE").toStdString()) {
        const double scale = qEnvironmentVariable("SORANE_TEST_TIME_SCALE").toDouble();
        m_scale = scale > 1 ? scale : 1;
        const QDateTime start =
            QDateTime::fromString(qEnvironmentVariable("SORANE_TEST_START_TIME"), Qt::ISODate);
        // The program ticks just after the wall clock's second boundaries:
        // its time starts as far into its second as the wall clock is, and
        // runs with the wall clock, so that a tick never reads the moment
        // before the boundary it was woken for.
        m_real_start_ms = QDateTime::currentMSecsSinceEpoch();
        m_start_wall_ms =
            start.isValid() ? start.toMSecsSinceEpoch() + m_real_start_ms % 1000 : m_real_start_ms;
        m_start_steady = QtDesktop::SteadySeconds();
    }

    LocalDateTime Now() override {
        const qint64 real_ms = QDateTime::currentMSecsSinceEpoch() - m_real_start_ms;
        return LocalFrom(
            QDateTime::fromMSecsSinceEpoch(m_start_wall_ms + qint64(double(real_ms) * m_scale)));
    }

    double SteadySeconds() override {
        return m_start_steady + (QtDesktop::SteadySeconds() - m_start_steady) * m_scale;
    }

private:
    double m_scale = 1;
    qint64 m_real_start_ms = 0;
    qint64 m_start_wall_ms = 0;
    double m_start_steady = 0;
};

}  // namespace
}  // namespace sorane

int main(int argc, char** argv) {
    return sorane::Main(argc, argv, [] { return std::make_unique<sorane::TestTimeDesktop>(); });
}
