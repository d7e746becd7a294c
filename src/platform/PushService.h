#pragma once
// The platform's push-notification service, as the app sees it. One per process, owned by whoever made
// it (main, or a test); the app reaches it through AppContext::pushService().
//
// registerForRemoteNotifications() asks the user's permission where the platform has that notion (the
// answer does not stop the registration) and registers with the platform's push channel. The device
// token arrives later through registered(), as bytes; notifications arrive through
// notificationReceived() with their payload (a JSON object). Both are emitted on the main thread.
//
// The desktop build uses RelayPushService (a WebSocket to a push relay). A mobile build provides its own
// subclass over the platform's service (see the README).
#include <QByteArray>
#include <QJsonObject>
#include <QObject>

class PushService : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void registerForRemoteNotifications() = 0;

signals:
    void registered(const QByteArray &deviceToken);
    void notificationReceived(const QJsonObject &payload);
};
