#pragma once
// Registration of this device for push notifications, asked for each time the tab screen loads (that
// is after every sign-in). The desktop build has no push channel yet, so registering does nothing.
class AppContext;

void registerForPushNotifications(AppContext &context);
