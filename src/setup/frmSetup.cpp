// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "setup/frmSetup.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "settings/Palette16.h"
#include "platform/FormLayout.h"
#include "setup/SetupRules.h"

namespace sorane {
namespace {

// A small square of the colour, so that a colour is found by sight.
QIcon Swatch(Rgb rgb) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor(QRgb(rgb)));  // 0xRRGGBB, opaque
    QPainter painter(&swatch);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(0, 0, 11, 11);
    return QIcon(swatch);
}

// The smallest size a name is set in before it would be cut.
constexpr int SMALLEST_NAME_PIXELS = 9;

}  // namespace

ColourList::ColourList(QWidget* parent) : QComboBox(parent) {
    for (std::size_t i = 0; i < COLOUR_NAMES.size(); ++i) {
        addItem(Swatch(Palette16[i]), COLOUR_NAMES[i]);
    }
}

QRect ColourList::LabelRect() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .adjusted(1, 0, -1, 0);
}

QFont ColourList::LabelFont() const {
    QFont label = font();
    const int room = LabelRect().width();
    while (label.pixelSize() > SMALLEST_NAME_PIXELS &&
           QFontMetrics(label).horizontalAdvance(currentText()) > room) {
        label.setPixelSize(label.pixelSize() - 1);
    }
    return label;
}

void ColourList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The swatch is left to the open list: the name needs all the room.
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QFont label = LabelFont();
    painter.setFont(label);
    option.fontMetrics = QFontMetrics(label);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

frmSetup::frmSetup(Desktop& desktop, ClockSettings& settings, ClockState& state,
                   std::function<void()> apply_display)
    : SettingsDialog(2835, 2865, desktop, settings, state),
      m_apply_display(std::move(apply_display)) {
    CreateControls();
}

ColourList* frmSetup::AddColourList(int left, int top, int width, int height) {
    auto* list = new ColourList(this);
    PlaceTwips(list, left, top, width, height);
    return list;
}

void frmSetup::CreateControls() {
    const auto add_label = [this](int index, const char* caption, int top) {
        auto* label = new QLabel(caption, this);
        PlaceTwips(label, 180, top, 915, 255);
        Label1[index] = label;
    };
    add_label(14, "短針の色", 180);
    cboCOLOR[0] = AddColourList(1200, 120, 1455, 300);
    add_label(0, "長針の色", 600);
    cboCOLOR[1] = AddColourList(1200, 540, 1455, 300);
    add_label(1, "秒針の色", 1020);
    cboCOLOR[2] = AddColourList(1200, 960, 1455, 300);
    add_label(2, "表示種別", 1440);
    cboBunrui = new QComboBox(this);
    PlaceTwips(cboBunrui, 1200, 1380, 1455, 300);
    for (const char* entry : VIEW_NAMES) {
        cboBunrui->addItem(entry);
    }
    add_label(3, "ステルス", 1860);
    chkSterus = new QCheckBox(this);
    PlaceTwips(chkSterus, 1200, 1800, 315, 255);

    AddOkCancel(180, 1035, 1500, 1155, 2220);

    // What a screen reader calls each control: the label beside it. The
    // colour lists' entries are the colours' names.
    NameControls({{cboCOLOR[0], Label1[14]},
                  {cboCOLOR[1], Label1[0]},
                  {cboCOLOR[2], Label1[1]},
                  {cboBunrui, Label1[2]},
                  {chkSterus, Label1[3]}});

    QWidget* order[] = {cboCOLOR[0], cboCOLOR[1], cboCOLOR[2], cboBunrui,
                        cmdCancel,   cmdOK,       chkSterus};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(cmdOK, &QPushButton::clicked, this, &frmSetup::cmdOK_Click);
}

void frmSetup::Form_Load() {
    MarkOpen();
    const SetupDialogView view = OpenSetupDialog(m_settings);
    cboCOLOR[0]->setCurrentIndex(view.hour_colour);
    cboCOLOR[1]->setCurrentIndex(view.minute_colour);
    cboCOLOR[2]->setCurrentIndex(view.second_colour);
    cboBunrui->setCurrentIndex(view.view);
    chkSterus->setChecked(view.stealth);
    cboCOLOR[0]->setFocus();
}

void frmSetup::cmdOK_Click() {
    const SetupDialogView chosen{cboCOLOR[0]->currentIndex(), cboCOLOR[1]->currentIndex(),
                                 cboCOLOR[2]->currentIndex(), cboBunrui->currentIndex(),
                                 chkSterus->isChecked()};
    const SetupOkOutcome outcome = SetupDialogOk(m_settings, m_state, chosen);
    if (outcome.stored && m_apply_display) {
        m_apply_display();
    }
    m_desktop.ShowMessage(outcome.message);
    if (outcome.stored) {
        close();
    }
}

}  // namespace sorane
