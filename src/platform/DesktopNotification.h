#pragma once
// A notification in the desktop session, through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). Asynchronous: nothing waits for the bus, and a
// session without a bus or without the service simply shows nothing (a debug line says why). The body is
// shown as written, whether or not the service reads markup.
#include <QString>

namespace DesktopNotification {

void show(const QString &summary, const QString &body);

} // namespace DesktopNotification
