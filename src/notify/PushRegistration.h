#pragma once
// Registration of this device for push notifications. The tab screen asks for it each time it loads (that
// is after every sign-in) through registerForPushNotifications(); the platform's push service answers
// with the device token, which PushRegistration sends to the web service (`pushRegistration`, linked to the
// login account) and keeps as the keychain's "pushToken" once the server accepted it. A failed
// registration is silent and keeps the token stored before.
#include <QByteArray>
#include <QObject>
#include <QString>

class AppContext;

class PushRegistration : public QObject
{
    Q_OBJECT
public:
    // Listens to the context's push service (set before this is made); nothing happens without one.
    explicit PushRegistration(AppContext &context, QObject *parent = nullptr);

    // The token as text: each byte as two upper-case hexadecimal digits, in order, no separators.
    static QString tokenText(const QByteArray &token);

    // A token handed out by the push service.
    void didRegisterWithDeviceToken(const QByteArray &token);

private:
    AppContext &m_context;
};

// Asks the context's push service to register (it asks for permission first where the platform has that
// notion). Without a push service nothing happens.
void registerForPushNotifications(AppContext &context);
