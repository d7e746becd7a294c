#include "board/BoardCell.h"

#include "model/JsonRules.h"
#include "text/Localizer.h"
#include "ui/ViewLocator.h"

#include <QJsonArray>
#include <QSizeF>

#include <cmath>

QString BoardCell::rowText(const QJsonObject &record)
{
    const QJsonValue row = record.value(QLatin1String("row"));
    if (row.isString())
        return row.toString();
    if (!row.isDouble())
        return {};
    const double value = row.toDouble();
    if (std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 17);
}

QUrl BoardCell::placeholderPortrait(const QJsonObject &record)
{
    const bool female = record.value(QLatin1String("gender")).toString() == QLatin1String("F");
    return ViewLocator::imageUrl(female ? QStringLiteral("user_female") : QStringLiteral("user_male"));
}

bool BoardCell::isOwn(const QJsonObject &record, const std::optional<QString> &userId)
{
    const QString author = readText(record, QLatin1String("createUser"));
    return userId && !userId->isEmpty() && !author.isEmpty() && author == *userId;
}

QSizeF BoardCell::photoPixelSize(const QJsonObject &record)
{
    const float width = float(readLenientNumber(record, QLatin1String("postWidth")));
    const float height = float(readLenientNumber(record, QLatin1String("postHeight")));
    if (!(width > 0) || !(height > 0))
        return {};
    return {width, height};
}

qreal BoardCell::photoHeight(const QJsonObject &record, qreal collectionWidth)
{
    const QSizeF size = photoPixelSize(record);
    if (size.isEmpty())
        return 0;
    const qreal width = collectionWidth - 2 * kSectionInset - kPhotoInset;
    return width > 0 ? width * size.height() / size.width() : 0;
}

QString BoardCell::replyCountText(const QJsonObject &record)
{
    const int total = record.value(QLatin1String("replyTotal")).toInt();
    return total < 1 ? QString() : localizedCount(QT_TRANSLATE_N_NOOP("Zelk", "共%n則留言"), total);
}

QString BoardCell::newestReplyTitle(const QJsonObject &record)
{
    if (record.value(QLatin1String("replyTotal")).toInt() < 1)
        return QStringLiteral("尚未有回覆");
    const QJsonObject newest = record.value(QLatin1String("replyList")).toArray().at(0).toObject();
    const QString name = readText(newest, QLatin1String("userName"));
    return name.isEmpty() ? QString() : name + QLatin1Char(':');
}

QString BoardCell::newestReplyText(const QJsonObject &record)
{
    if (record.value(QLatin1String("replyTotal")).toInt() < 1)
        return {};
    return readText(record.value(QLatin1String("replyList")).toArray().at(0).toObject(), QLatin1String("postContent"));
}

BoardCell::Roles BoardCell::roles(std::function<qreal(const QJsonObject &)> photoHeight,
                                  std::function<bool(const QJsonObject &)> isOwn)
{
    const auto text = [](const char *key) {
        return [key = QLatin1String(key)](const QJsonObject &r) { return QVariant(readText(r, key)); };
    };
    return {{"msgID", text("msgID")},
            {"userName", text("userName")},
            {"postTime", text("postTime")},
            {"postContent", text("postContent")},
            {"photoURL", [](const QJsonObject &r) { return QVariant(QUrl(readText(r, QLatin1String("photoURL")))); }},
            {"photoHeight", [photoHeight](const QJsonObject &r) { return QVariant(photoHeight(r)); }},
            {"headshot", [](const QJsonObject &r) { return QVariant(QUrl(readText(r, QLatin1String("headshot")))); }},
            {"placeholder", [](const QJsonObject &r) { return QVariant(placeholderPortrait(r)); }},
            {"replyCount", [](const QJsonObject &r) { return QVariant(replyCountText(r)); }},
            {"newestReplyTitle", [](const QJsonObject &r) { return QVariant(newestReplyTitle(r)); }},
            {"newestReply", [](const QJsonObject &r) { return QVariant(newestReplyText(r)); }},
            {"ownMessage", [isOwn](const QJsonObject &r) { return QVariant(isOwn(r)); }}};
}
