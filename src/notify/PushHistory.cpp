#include "notify/PushHistory.h"

#include "model/AppContext.h"

#include <QJsonArray>

Q_LOGGING_CATEGORY(lcNotify, "zelk.notify", QtWarningMsg)

namespace PushHistory {

QString userId(AppContext &context)
{
    return context.userId().value_or(context.pushToken().value_or(QString()));
}

std::optional<QList<UserPushHistory>> page(const ApiStatus &status)
{
    if (!status.isSuccess || !status.returnJson)
        return std::nullopt;
    QList<UserPushHistory> records;
    const QJsonArray list = status.returnJson->object().value(QLatin1String("pushList")).toArray();
    for (const QJsonValue &element : list)
        records.append(UserPushHistory::fromJson(element.toObject()));
    return records;
}

} // namespace PushHistory
