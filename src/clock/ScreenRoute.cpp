// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ScreenRoute.h"

#include <QBackingStore>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include "clock/ClockSurface.h"

namespace sorane {

ScreenWay ChooseScreenWay(bool x11_takes_the_picture, ScreenWay most) {
    const ScreenWay offered = x11_takes_the_picture ? ScreenWay::X11 : ScreenWay::BackingStore;
    return std::min(offered, most);
}

std::optional<ScreenWay> ScreenWayNamed(std::string_view name) {
    if (name == "repaint") {
        return ScreenWay::Repaint;
    }
    if (name == "store") {
        return ScreenWay::BackingStore;
    }
    if (name == "x11") {
        return ScreenWay::X11;
    }
    return std::nullopt;
}

ScreenRoute::ScreenRoute(QWidget& window, const ClockSurface& surface)
    : m_window(window), m_surface(surface) {}

void ScreenRoute::Choose() {
    // The picture goes to the X11 window as it is only when it is as large
    // as the window in device pixels and the server reads its pixels as Qt
    // lays them out.
    const bool fits = m_surface.Picture().size() == m_window.size() * m_window.devicePixelRatioF();
    m_way = ChooseScreenWay(fits && m_picture_sender.CanSend(&m_window), m_most);
}

void ScreenRoute::BeforeShow() {
    Choose();
    if (!m_painted && m_way == ScreenWay::X11) {
        m_picture_sender.ShowBeforeFirstPaint(&m_window, m_surface.Picture());
    }
}

void ScreenRoute::PictureRemade() {
    Choose();
}

void ScreenRoute::Painted() {
    if (!m_painted) {
        m_painted = true;
        m_picture_sender.ClearBackground();
    }
}

// A tick shows its few small parts at once. For so little once a second,
// the widget machinery around a repaint (a posted request, a paint event,
// the region bookkeeping) costs more than the copy itself.
void ScreenRoute::Present(std::span<const QRect> parts, std::span<const QRect> device_parts) {
    QRegion area;
    for (const QRect& part : parts) {
        area += part;
    }
    QBackingStore* store = m_window.backingStore();
    if (m_way == ScreenWay::Repaint || !m_painted || !m_window.isVisible() || store == nullptr ||
        !m_window.windowHandle()->isExposed()) {
        m_window.update(area);
        return;
    }
    if (m_way == ScreenWay::X11) {
        m_picture_sender.Send(m_surface.Picture(), device_parts);
        return;
    }
    store->beginPaint(area);
    m_surface.CopyTo(*store->paintDevice(), device_parts);
    store->endPaint();
    store->flush(area, m_window.windowHandle());
}

}  // namespace sorane
