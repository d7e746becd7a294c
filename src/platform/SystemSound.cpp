#include "platform/SystemSound.h"

#include "platform/MediaBackend.h"

#include <QCoreApplication>

namespace {
int g_alerts = 0;
} // namespace

namespace SystemSound {

void playNotificationAlert()
{
    ++g_alerts;
    MediaBackend *media = MediaBackend::instance();
    if (!media || !media->hasAudioOutput())
        return;
    // The effect lives as long as the application object.
    media->playSound(QCoreApplication::instance(), QUrl(QStringLiteral("qrc:/Zelk/resources/alert.wav")), 0.6f);
}

int notificationAlertCount() { return g_alerts; }

} // namespace SystemSound
