#pragma once
// The session record of the signed-in user, filled by login; not persisted.
#include <QJsonArray>
#include <QString>

#include <optional>

struct UserInfo {
    std::optional<QString> bukrs;     // company code
    std::optional<QString> vkorg;     // sales organisation
    std::optional<QString> bukrsName;
    std::optional<QString> vkorgName;
    std::optional<QString> email;     // "appUserInfo" → "email"
    QJsonArray orderHistoryArray;     // reset by the stored-user clearing
};
