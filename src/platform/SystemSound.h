#pragma once
// The short sound (and, on phones, the vibration) that goes with an arriving notification. On the desktop
// a bundled alert sound plays through Qt Multimedia when an audio output exists; otherwise nothing
// happens. Main thread only.
namespace SystemSound {

void playNotificationAlert();
// How often a notification alert was asked for in this process (played or not), for tests.
int notificationAlertCount();

} // namespace SystemSound
