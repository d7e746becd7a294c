#include "notify/PushDelivery.h"

#include "model/AppContext.h"
#include "notify/PushHistory.h"
#include "notify/PushTestViewController.h"
#include "platform/DesktopNotification.h"
#include "platform/SystemSound.h"
#include "ui/Navigator.h"
#include "ui/Ui.h"

#include <QGuiApplication>
#include <QJsonDocument>

PushDelivery::PushDelivery(AppContext &context, Ui &ui, Navigator &navigator, QObject *parent)
    : QObject(parent), m_context(context), m_ui(ui), m_navigator(navigator)
{
    if (PushService *service = context.pushService())
        connect(service, &PushService::notificationReceived, this, &PushDelivery::didReceiveRemoteNotification);
}

void PushDelivery::didReceiveRemoteNotification(const QJsonObject &payload)
{
    qCDebug(lcNotify).noquote() << "notification:" << QJsonDocument(payload).toJson(QJsonDocument::Compact);
    const QJsonValue aps = payload.value(QLatin1String("aps"));
    const QJsonValue alert = aps.toObject().value(QLatin1String("alert"));

    if (auto *diagnosis = qobject_cast<PushTestViewController *>(m_navigator.rootScreen())) {
        if (aps.isObject()) {
            SystemSound::playNotificationAlert();
            diagnosis->setPushMessage(alert.toString());
        }
        return;
    }
    if (!m_context.userId()) {
        qCDebug(lcNotify) << "notification not shown: no one is signed in";
        return;
    }
    if (!aps.isObject())
        return;
    SystemSound::playNotificationAlert();
    if (!alert.isString()) {
        qCDebug(lcNotify) << "notification not shown: its alert is not a text";
        return;
    }
    Alert shown;
    shown.title = QStringLiteral("收到訊息");
    shown.message = alert.toString();
    shown.addButton(QStringLiteral("確定"));
    m_ui.showAlert(shown);
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        DesktopNotification::show(shown.title, shown.message);
}
