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

// "userId": the signed-in user's id, else the stored push token, else empty; "lastNewsId": the cursor
// (empty for the first page).
QJsonObject parameters(AppContext &context, const QString &lastNewsId);

// The page of a successful answer with a JSON body ("pushList", in order); nothing otherwise.
std::optional<QList<UserPushHistory>> page(const ApiStatus &status);

} // namespace PushHistory
