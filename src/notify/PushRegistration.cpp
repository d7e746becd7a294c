#include "notify/PushRegistration.h"

void registerForPushNotifications(AppContext &context)
{
    // No push service to ask on the desktop yet: no token arrives, so nothing is sent or stored.
    (void)context;
}
