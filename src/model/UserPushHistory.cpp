#include "model/UserPushHistory.h"

using namespace Qt::StringLiterals;

UserPushHistory UserPushHistory::fromJson(const QJsonObject &o)
{
    UserPushHistory r;
    r.newsId = readText(o, "newsId"_L1);
    r.content = readText(o, "content"_L1);
    r.endDate = readText(o, "endDate"_L1);
    r.startDate = readText(o, "startDate"_L1);
    r.title = readText(o, "title"_L1);
    r.sourceId = readText(o, "sourceId"_L1);
    r.uploadImage = readText(o, "uploadImage"_L1);
    r.type = readText(o, "type"_L1);
    return r;
}
