// Message boards: messages, replies and their photos.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <algorithm>

using namespace sim;

QString SimBackend::photoUrl(const QString &base, const QString &fileName) const
{
    return fileName.isEmpty() ? QString() : base + QStringLiteral("/__sim/photos/") + fileName;
}

QJsonObject SimBackend::postJson(const Post &post, int row, const QString &base, bool withReplies) const
{
    const QJsonObject who = person(post.author);
    const QString headshotId = who.value(QStringLiteral("headshot")).toString();
    const QString headshot = m_seedPhotos.contains(headshotId) ? photoUrl(base, m_seedPhotos.value(headshotId).fileName)
                                                               : QString();
    double width = 0, height = 0;
    if (auto p = photo(post.photo)) {
        width = p->width;
        height = p->height;
    }
    QJsonObject o{{"msgID", post.msgID},
                  {"row", QString::number(row)},
                  {"userName", who.value(QStringLiteral("userName")).toString()},
                  {"postTime", post.postTime},
                  {"postContent", post.content},
                  {"postWidth", width},
                  {"postHeight", height},
                  {"photoURL", photoUrl(base, post.photo)},
                  {"headshot", headshot},
                  {"gender", who.value(QStringLiteral("gender")).toString()},
                  {"createUser", post.author},
                  {"replyTotal", withReplies ? post.replies.size() : 0}};
    QJsonArray replies;
    if (withReplies) {
        for (qsizetype i = post.replies.size() - 1; i >= 0; --i) // newest first
            replies.append(postJson(post.replies.at(i), int(post.replies.size() - i), base, false));
    }
    o.insert(QStringLiteral("replyList"), replies);
    return o;
}

SimBackend::Board *SimBackend::findBoard(const QString &boardID)
{
    for (Board &b : m_boards) {
        if (b.boardID == boardID)
            return &b;
    }
    return nullptr;
}

SimBackend::Post *SimBackend::findMessage(const QString &msgID, Board **board)
{
    for (Board &b : m_boards) {
        for (Post &p : b.messages) {
            if (p.msgID == msgID) {
                if (board)
                    *board = &b;
                return &p;
            }
        }
    }
    return nullptr;
}

std::optional<SimBackend::Photo> SimBackend::photo(const QString &fileName) const
{
    if (fileName.isEmpty())
        return std::nullopt;
    for (const auto *map : {&m_seedPhotos, &m_uploadedPhotos}) {
        for (const Photo &p : *map) {
            if (p.fileName == fileName)
                return p;
        }
    }
    return std::nullopt;
}

std::optional<QString> SimBackend::storePhoto(const QString &base64, QString *error)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) {
        *error = QStringLiteral("照片格式錯誤：不是有效的 Base64 內容");
        return std::nullopt;
    }
    QBuffer buffer;
    buffer.setData(decoded.decoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        *error = QStringLiteral("照片格式錯誤：無法讀取圖片");
        return std::nullopt;
    }
    Photo p;
    p.bytes = decoded.decoded;
    p.mimeType = "image/" + (format == "jpg" ? QByteArray("jpeg") : format);
    // The content's digest in the name: after a reset the numbers start over, and a client's cache must
    // not show an earlier photo for a new one.
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(p.bytes, QCryptographicHash::Sha1).toHex().left(12));
    p.fileName = QStringLiteral("u%1-%2.%3")
                     .arg(m_nextPhotoId++)
                     .arg(digest, QString::fromLatin1(format == "jpeg" ? "jpg" : format));
    p.width = size.width();
    p.height = size.height();
    m_uploadedPhotos.insert(p.fileName, p);
    return p.fileName;
}

// ---- dispatch ----

QJsonObject SimBackend::boardsList(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID")}))
        return *m;
    QJsonArray list;
    for (const Board &b : std::as_const(m_boards))
        list.append(QJsonObject{{"boardID", b.boardID}, {"boardName", b.boardName}});
    return ok({{"boardList", list}});
}

QJsonObject SimBackend::boardMsgList(const QJsonObject &p, const QString &base)
{
    if (auto m = missing(p, {QStringLiteral("boardID"), QStringLiteral("startRow")}))
        return *m;
    const QString boardID = str(p, QStringLiteral("boardID"));
    const Board *board = findBoard(boardID);
    if (!board)
        return fail(QStringLiteral("01"), QStringLiteral("查無留言板 ") + boardID);
    bool okay = false;
    const int start = str(p, QStringLiteral("startRow")).toInt(&okay);
    if (!okay || start < 0)
        return fail(QStringLiteral("01"), QStringLiteral("startRow 格式錯誤"));
    const int pageSize = std::max(1, m_seed.value(QStringLiteral("pageSizes")).toObject()
                                         .value(QStringLiteral("boardMessages")).toInt(10));
    QJsonArray page;
    for (int i = start; i < board->messages.size() && i < start + pageSize; ++i)
        page.append(postJson(board->messages.at(i), i + 1, base, true));
    if (page.isEmpty()) // past the last message
        return fail(QStringLiteral("90"), QStringLiteral("已無更多資料"), {{"boardMsgList", page}});
    return ok({{"boardMsgList", page}});
}

// Checks the author, content and photo of a new message or reply and builds it (id "<idPrefix>9nnn");
// on a refusal, the answer to send instead.
std::optional<QJsonObject> SimBackend::newPost(const QJsonObject &p, QChar idPrefix, const QString &emptyMessage,
                                               Post *post)
{
    const QString userID = str(p, QStringLiteral("userID"));
    if (person(userID).isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    const QString content = str(p, QStringLiteral("postContent"));
    if (content.isEmpty())
        return fail(QStringLiteral("01"), emptyMessage);
    const QString photoText = str(p, QStringLiteral("postPhoto"));
    if (!photoText.isEmpty()) {
        QString error;
        const auto stored = storePhoto(photoText, &error);
        if (!stored)
            return fail(QStringLiteral("01"), error);
        post->photo = *stored;
    }
    post->msgID = QString(idPrefix) + QStringLiteral("9%1").arg(m_nextPostId++, 3, 10, QLatin1Char('0'));
    post->author = userID;
    post->postTime = utcToTaipeiFields(now()).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    post->content = content;
    return std::nullopt;
}

QJsonObject SimBackend::addBoardMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("boardID"), QStringLiteral("userID"), QStringLiteral("postContent"),
                             QStringLiteral("postPhoto")}))
        return *m;
    const QString boardID = str(p, QStringLiteral("boardID"));
    Board *board = findBoard(boardID);
    if (!board)
        return fail(QStringLiteral("01"), QStringLiteral("查無留言板 ") + boardID);
    Post post;
    if (auto refused = newPost(p, QLatin1Char('M'), QStringLiteral("留言內容不可為空"), &post))
        return *refused;
    board->messages.prepend(post);
    return ok({{"msgID", post.msgID}}, QStringLiteral("留言成功"));
}

QJsonObject SimBackend::deleteBoardMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("msgID"), QStringLiteral("userID")}))
        return *m;
    Board *board = nullptr;
    const Post *post = findMessage(str(p, QStringLiteral("msgID")), &board);
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    if (post->author != str(p, QStringLiteral("userID")))
        return fail(QStringLiteral("03"), QStringLiteral("只能刪除自己的留言"));
    const QString id = post->msgID;
    board->messages.removeIf([&](const Post &x) { return x.msgID == id; });
    return ok({}, QStringLiteral("留言已刪除"));
}

QJsonObject SimBackend::boardReplyMsgList(const QJsonObject &p, const QString &base)
{
    if (auto m = missing(p, {QStringLiteral("msgID")}))
        return *m;
    const Post *post = findMessage(str(p, QStringLiteral("msgID")));
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    QJsonArray list;
    for (qsizetype i = 0; i < post->replies.size(); ++i) // oldest first: the newest ends the list
        list.append(postJson(post->replies.at(i), int(i + 1), base, false));
    if (list.isEmpty())
        return fail(QStringLiteral("90"), QStringLiteral("尚無回覆"), {{"boardReplyMsgList", list}, {"replyTotal", 0}});
    return ok({{"boardReplyMsgList", list}, {"replyTotal", int(list.size())}});
}

QJsonObject SimBackend::addBoardReplyMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("msgID"), QStringLiteral("userID"), QStringLiteral("postContent"),
                             QStringLiteral("postPhoto")}))
        return *m;
    Post *post = findMessage(str(p, QStringLiteral("msgID")));
    if (!post)
        return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
    Post reply;
    if (auto refused = newPost(p, QLatin1Char('R'), QStringLiteral("回覆內容不可為空"), &reply))
        return *refused;
    post->replies.append(reply);
    return ok({{"msgID", reply.msgID}}, QStringLiteral("回覆成功"));
}

QJsonObject SimBackend::deleteBoardReplyMsg(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("remsgID"), QStringLiteral("userID")}))
        return *m;
    const QString id = str(p, QStringLiteral("remsgID"));
    for (Board &b : m_boards) {
        for (Post &message : b.messages) {
            for (qsizetype i = 0; i < message.replies.size(); ++i) {
                if (message.replies.at(i).msgID != id)
                    continue;
                if (message.replies.at(i).author != str(p, QStringLiteral("userID")))
                    return fail(QStringLiteral("03"), QStringLiteral("只能刪除自己的留言"));
                message.replies.removeAt(i);
                return ok({}, QStringLiteral("留言已刪除"));
            }
        }
    }
    return fail(QStringLiteral("01"), QStringLiteral("查無此留言"));
}

// ---- notifications ----
