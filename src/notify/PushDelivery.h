#pragma once
// Shows the notifications the platform's push service hands to the running app.
//
// While the diagnosis screen (PushTestViewController) is the window's root, a payload whose "aps" is an
// object plays the notification sound and puts its "alert" text into that screen. Otherwise, while someone
// is signed in, a payload with an "aps" object plays the sound and, when "alert" is a text, shows the alert
// "收到訊息" with that text and "確定" (alerts queue: a second notification waits behind the first); when
// the app's window is not the active one, the desktop session shows it as a notification too.
// Nothing is shown while no one is signed in: the device may be in someone else's hands by then.
#include <QJsonObject>
#include <QObject>

class AppContext;
class Navigator;
class Ui;

class PushDelivery : public QObject
{
    Q_OBJECT
public:
    // Listens to the context's push service (set before this is made).
    PushDelivery(AppContext &context, Ui &ui, Navigator &navigator, QObject *parent = nullptr);

    void didReceiveRemoteNotification(const QJsonObject &payload);

private:
    AppContext &m_context;
    Ui &m_ui;
    Navigator &m_navigator;
};
