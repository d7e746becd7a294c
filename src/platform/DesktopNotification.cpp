#include "platform/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QVariantMap>

Q_DECLARE_LOGGING_CATEGORY(lcPush)

namespace DesktopNotification {

void show(const QString &summary, const QString &body)
{
    // Without an address the bus library would try to start a bus of its own (autolaunch): only a session
    // that announces its bus gets notifications.
    const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") &&
        (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") || !QFileInfo::exists(runtimeBus))) {
        qCDebug(lcPush) << "no session bus announced: no desktop notification";
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(lcPush) << "no session bus: no desktop notification";
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's)
    call << QStringLiteral("Zelk") << uint(0) << QString() << summary << body << QStringList() << QVariantMap()
         << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            qCDebug(lcPush) << "desktop notification not shown:" << reply.error().message();
        w->deleteLater();
    });
}

} // namespace DesktopNotification
