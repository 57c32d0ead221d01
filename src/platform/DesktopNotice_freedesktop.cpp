// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Linux and the BSDs: the desktop's notification service on the session bus.

#include "platform/DesktopNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "common/StandardError.h"

namespace sorane {

void SendDesktopNotice(const Message& message) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        ReportOnStandardError(message.text);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("org.example.sorane")},
        {QStringLiteral("suppress-sound"), true},
    };
    // It stays until the user closes it (a timeout of 0): it tells of
    // something that happened while nobody was there.
    call << QStringLiteral("ソラネ") << uint(0) << QStringLiteral("org.example.sorane")
         << QString::fromStdString(message.title) << QString::fromStdString(message.text)
         << QStringList() << hints << 0;
    // Not waited for: a service that is slow to answer holds up nothing.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    const std::string text = message.text;
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, [text](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<uint> reply = *w;
            if (reply.isError()) {
                ReportOnStandardError("no desktop notification (" +
                                      reply.error().message().toStdString() + "): " + text);
            }
            w->deleteLater();
        });
}

}  // namespace sorane
