#pragma once
// How one message (or reply) record fills a board cell, and the cell geometry. Records stay parsed JSON;
// a missing key shows as empty text, no portrait, no photo or no reply preview and never stops the list.
//
// The cells of a message list are laid out in one column with section insets of 8 on every side; the
// photo is drawn 32 points narrower than the cell and keeps its aspect ratio, its height taken from the
// record's "postWidth"/"postHeight" so that the layout never waits for, or jumps at, an image.
#include "ui/ListModel.h"

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

class BoardCell
{
public:
    static constexpr qreal kSectionInset = 8;
    static constexpr qreal kLineSpacing = 10;
    static constexpr qreal kPhotoInset = 32;
    // A reply's photo is shown 100 points high.
    static constexpr qreal kReplyPhotoHeight = 100;

    // "row" as text: a string as it is, a number as its shortest integer or decimal text (40 → "40").
    static QString rowText(const QJsonObject &record);
    // "user_female" when "gender" is exactly "F", else "user_male".
    static QUrl placeholderPortrait(const QJsonObject &record);
    // The signed-in user wrote it: "createUser" and the signed-in id both present, non-empty and equal.
    static bool isOwn(const QJsonObject &record, const std::optional<QString> &userId);
    // The photo's pixel size from the record; 0 × 0 when either side is not positive.
    static QSizeF photoPixelSize(const QJsonObject &record);
    // Height of the photo in a collection `collectionWidth` wide: (width − 16 − 32) × h ÷ w, or 0.
    static qreal photoHeight(const QJsonObject &record, qreal collectionWidth);
    // The reply preview: "共%n則留言" and the newest reply's "name:" and text; "尚未有回覆" without replies.
    static QString replyCountText(const QJsonObject &record);
    static QString newestReplyTitle(const QJsonObject &record);
    static QString newestReplyText(const QJsonObject &record);

    // The roles of a cell: msgID, userName, postTime, postContent, photoURL, photoHeight, headshot,
    // placeholder, replyCount, newestReplyTitle, newestReply, ownMessage. `photoHeight` and `isOwn` are
    // asked per row, since they depend on the screen (its width, the signed-in user).
    using Roles = std::vector<RowListModel<QJsonObject>::Role>;
    static Roles roles(std::function<qreal(const QJsonObject &)> photoHeight,
                       std::function<bool(const QJsonObject &)> isOwn);
};
