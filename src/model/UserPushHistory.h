#pragma once
// One notification of the account's push history; eight texts, each empty when its key is absent or
// not a JSON string.
#include "model/JsonRules.h"

#include <QJsonObject>
#include <QString>

struct UserPushHistory {
    QString newsId;      // identifier; the last one shown is the paging cursor
    QString content;
    QString endDate;
    QString startDate;   // shown as the notification's time, as received
    QString title;       // shown as the notification's text
    QString sourceId;
    QString uploadImage;
    QString type;

    static UserPushHistory fromJson(const QJsonObject &o);
    friend bool operator==(const UserPushHistory &, const UserPushHistory &) = default;
};
