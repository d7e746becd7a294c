#pragma once
// The account's notification history (`userPushHistory`), as the home screen and the notification
// list ask for it.
#include "model/UserPushHistory.h"
#include "services/ServiceTypes.h"

#include <QList>
#include <QLoggingCategory>

#include <optional>

class AppContext;

Q_DECLARE_LOGGING_CATEGORY(lcNotify)

namespace PushHistory {

// Whose history is asked for: the signed-in user's id, else the stored push token, else empty.
QString userId(AppContext &context);

// The page of a successful answer with a JSON body ("pushList", in order); nothing otherwise.
std::optional<QList<UserPushHistory>> page(const ApiStatus &status);

} // namespace PushHistory
