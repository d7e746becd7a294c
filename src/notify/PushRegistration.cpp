#include "notify/PushRegistration.h"

#include "model/AppContext.h"
#include "notify/PushHistory.h"
#include "services/LogRedaction.h"

#include <QDebug>
#include <QLoggingCategory>



PushRegistration::PushRegistration(AppContext &context, QObject *parent) : QObject(parent), m_context(context)
{
    if (PushService *service = context.pushService())
        connect(service, &PushService::registered, this, &PushRegistration::didRegisterWithDeviceToken);
}

QString PushRegistration::tokenText(const QByteArray &token)
{
    QString text;
    text.reserve(token.size() * 2);
    for (const char byte : token)
        text += QString::asprintf("%02X", unsigned(quint8(byte)));
    return text;
}

void PushRegistration::didRegisterWithDeviceToken(const QByteArray &token)
{
    const QString text = tokenText(token);
    // The token becomes a keychain value: no log line shows it.
    LogRedaction::addSecret(text);
    qCDebug(lcNotify).noquote() << "DEVICE TOKEN = " << QStringLiteral("<%1 bytes>").arg(token.size());
    qCDebug(lcNotify).noquote() << "token:" << text;
    const QString account = m_context.userAccount().value_or(QString());
    m_context.operations().pushRegistration(text, account, this, [this, text](const ApiStatus &status) {
        if (status.isSuccess && status.returnJson)
            m_context.secureStore().setValue(QStringLiteral("pushToken"), text);
    });
}

void registerForPushNotifications(AppContext &context)
{
    if (PushService *service = context.pushService())
        service->registerForRemoteNotifications();
}
