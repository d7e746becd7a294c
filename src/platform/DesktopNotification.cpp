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

namespace {
QDBusMessage call(const QString &method)
{
    return QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), method);
}

void notify(QDBusConnection bus, const QString &summary, const QString &body)
{
    QDBusMessage notify = call(QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's)
    notify << QStringLiteral("Zelk") << uint(0) << QString() << summary << body << QStringList() << QVariantMap()
           << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            qCDebug(lcPush) << "desktop notification not shown:" << reply.error().message();
        w->deleteLater();
    });
}
} // namespace

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
    // The body is shown as written: a server that reads markup in it ("body-markup") gets it escaped, so
    // that a received "<img src=…>" is neither fetched nor hidden.
    auto *asked = new QDBusPendingCallWatcher(bus.asyncCall(call(QStringLiteral("GetCapabilities"))));
    QObject::connect(asked, &QDBusPendingCallWatcher::finished, asked, [bus, summary, body](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<QStringList> capabilities = *w;
        w->deleteLater();
        if (capabilities.isError()) {
            qCDebug(lcPush) << "desktop notification not shown:" << capabilities.error().message();
            return;
        }
        notify(bus, summary, capabilities.value().contains(QLatin1String("body-markup")) ? body.toHtmlEscaped() : body);
    });
}

} // namespace DesktopNotification
