#include "platform/SystemSound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>

namespace {
int g_alerts = 0;
} // namespace

namespace SystemSound {

void playNotificationAlert()
{
    ++g_alerts;
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    // One effect for the process, loaded once; it lives as long as the application object.
    static QPointer<QSoundEffect> effect;
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl(QStringLiteral("qrc:/Zelk/resources/alert.wav")));
        effect->setVolume(0.6f);
    }
    effect->play();
}

int notificationAlertCount() { return g_alerts; }

} // namespace SystemSound
