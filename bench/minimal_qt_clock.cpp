// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The floor for any Qt clock: a frameless 150 x 150 widget that, once a
// second, repaints a pixmap, three lines and one line of text. The benchmark
// compares ソラネ with it.

#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cmath>

class MinimalClock : public QWidget {
public:
    MinimalClock() : QWidget(nullptr, Qt::FramelessWindowHint) {
        setFixedSize(150, 150);
        m_face = QPixmap(150, 150);
        m_face.fill(QColor(200, 230, 250));
        connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        m_timer.start(1000);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QTime now = QTime::currentTime();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPixmap(0, 0, m_face);
        painter.drawText(QRect(24, 100, 121, 17), now.toString("hh:mm:ss"));
        const auto hand = [&](double turns, double length, int width) {
            const double angle = turns * 2 * M_PI;
            painter.setPen(QPen(Qt::black, width));
            painter.drawLine(QPointF(75, 75),
                             QPointF(75 + length * std::sin(angle), 75 - length * std::cos(angle)));
        };
        hand((now.hour() % 12 + now.minute() / 60.0) / 12, 60, 3);
        hand(now.minute() / 60.0, 67.5, 2);
        hand(now.second() / 60.0, 70, 1);
    }

private:
    QPixmap m_face;
    QTimer m_timer;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MinimalClock clock;
    clock.move(600, 3);
    clock.show();
    return app.exec();
}
