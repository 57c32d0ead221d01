#include <QApplication>
#include <QRegion>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget clock;
    clock.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    clock.resize(150, 150);
    clock.setMask(QRegion(0, 0, 150, 150, QRegion::Ellipse));
    clock.setStyleSheet("background: #9cd3f5;");
    clock.move(3, 3);
    clock.show();
    return app.exec();
}
