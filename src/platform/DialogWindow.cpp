#include "platform/DialogWindow.h"

#include "platform/Desktop.h"
#include "platform/FormLayout.h"
#include "platform/TaskbarHint.h"

namespace sorane {

DialogWindow::DialogWindow(int width_twips, int height_twips)
    : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(APP_TITLE);
    setFont(MsGothic(9));
    setFixedSize(Twips(width_twips), Twips(height_twips));
    CentreOnScreen(this);
}

void DialogWindow::showEvent(QShowEvent* event) {
    KeepOffTaskbar(this);
    QWidget::showEvent(event);
}

}  // namespace sorane
