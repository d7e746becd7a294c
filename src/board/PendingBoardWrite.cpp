#include "board/PendingBoardWrite.h"

#include "board/BoardCell.h"
#include "board/BoardViewController.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Screen.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QPointer>

namespace {
QByteArray digest(const QString &photo)
{
    return photo.isEmpty() ? QByteArray() : QCryptographicHash::hash(photo.toLatin1(), QCryptographicHash::Sha1);
}
QString idOf(const QJsonObject &entry) { return entry.value(QLatin1String("msgID")).toString(); }
} // namespace

std::optional<QList<QJsonObject>> PendingBoardWrite::entries(const ApiStatus &status, const QString &key)
{
    // As the lists read them: "90" is an empty list.
    if (!(status.isSuccess || status.returnCode == QLatin1String("90")) || !status.returnJson)
        return std::nullopt;
    QList<QJsonObject> list;
    for (const QJsonValue &entry : status.returnJson->object().value(key).toArray())
        list.append(entry.toObject());
    return list;
}

QSet<QString> PendingBoardWrite::ownWithText(const QList<QJsonObject> &list, const QString &userId,
                                             const QString &text, std::optional<bool> withPhoto)
{
    QSet<QString> ids;
    for (const QJsonObject &entry : list) {
        if (!BoardCell::isOwn(entry, userId) || entry.value(QLatin1String("postContent")).toString() != text)
            continue;
        if (withPhoto && !entry.value(QLatin1String("photoURL")).toString().isEmpty() != *withPhoto)
            continue;
        ids.insert(idOf(entry));
    }
    return ids;
}

void PendingBoardWrite::post(const QString &userId, const QString &text, const QString &photo, Read read, Send send,
                             Done done)
{
    read.call(whileAlive(this, [=, this](const ApiStatus &status) {
        const auto list = entries(status, read.key);
        const bool pending = m_posts.contains(read.place);
        if (!list) {
            qCInfo(lcBoard) << "board not read before a post:" << status.returnCode << status.message;
            done(pending ? Outcome::unchecked : Outcome::failed, status.message);
            return;
        }
        if (pending) {
            const Post earlier = m_posts.take(read.place);
            const QSet<QString> landed = ownWithText(*list, userId, earlier.text, !earlier.photo.isEmpty()) - earlier.noted;
            qCInfo(lcBoard) << "post of unknown fate" << (landed.isEmpty() ? "not on the board" : "on the board");
            if (!landed.isEmpty()) {
                const bool same = earlier.text == text && earlier.photo == digest(photo);
                done(same ? Outcome::done : Outcome::doneEarlier, QString());
                return;
            }
        }
        this->send(read.place, userId, text, photo, *list, send, done);
    }));
}

void PendingBoardWrite::send(const QString &place, const QString &userId, const QString &text, const QString &photo,
                             const QList<QJsonObject> &before, const Send &send, const Done &done)
{
    Post sent{text, digest(photo), ownWithText(before, userId, text)};
    send(whileAlive(this, [this, place, sent, done](const ApiStatus &status) {
        if (!status.returnJson)
            m_posts.insert(place, sent); // it may have been done
        done(status.isSuccess && status.returnJson ? Outcome::done : Outcome::failed, status.message);
    }));
}

void PendingBoardWrite::remove(const QString &msgId, Read read, Send send, Done done)
{
    if (!m_deletions.contains(msgId)) {
        sendDeletion(msgId, send, done);
        return;
    }
    read.call(whileAlive(this, [=, this](const ApiStatus &status) {
        const auto list = entries(status, read.key);
        if (!list) {
            done(Outcome::unchecked, status.message);
            return;
        }
        m_deletions.remove(msgId);
        const bool there = std::any_of(list->begin(), list->end(), [&](const QJsonObject &e) { return idOf(e) == msgId; });
        qCInfo(lcBoard) << "deletion of unknown fate:" << msgId << (there ? "still there" : "gone");
        if (there)
            sendDeletion(msgId, send, done);
        else
            done(Outcome::done, QString());
    }));
}

void PendingBoardWrite::sendDeletion(const QString &msgId, const Send &send, const Done &done)
{
    send(whileAlive(this, [this, msgId, done](const ApiStatus &status) {
        if (!status.returnJson)
            m_deletions.insert(msgId);
        done(status.isSuccess && status.returnJson ? Outcome::done : Outcome::failed, status.message);
    }));
}

std::function<void(ApiCompletion)> PendingBoardWrite::bound(Screen *screen,
                                                           std::function<void(AppContext &, ApiCompletion)> call)
{
    return [screen = QPointer<Screen>(screen), call](ApiCompletion done) {
        AppContext *ctx = screen ? screen->context() : nullptr;
        if (ctx)
            call(*ctx, std::move(done));
        else
            done(ApiStatus::clientFailure(QString(), QJsonDocument(QJsonObject()))); // not sent
    };
}

PendingBoardWrite::Done PendingBoardWrite::guarded(QObject *screen, Done done)
{
    return [screen = QPointer<QObject>(screen), done](Outcome outcome, const QString &message) {
        if (screen)
            done(outcome, message);
    };
}

QString PendingBoardWrite::postTitle(Outcome outcome)
{
    switch (outcome) {
    case Outcome::done:
    case Outcome::doneEarlier:
        return localized(QT_TRANSLATE_NOOP("Zelk", "新增成功"));
    case Outcome::unchecked:
        return localized(QT_TRANSLATE_NOOP("Zelk", "無法確認是否已新增"));
    case Outcome::failed:
        break;
    }
    return localized(QT_TRANSLATE_NOOP("Zelk", "新增失敗"));
}

QString PendingBoardWrite::postMessage(Outcome outcome, const QString &message)
{
    if (outcome == Outcome::doneEarlier)
        return localized(QT_TRANSLATE_NOOP("Zelk", "先前送出的內容已新增，修改後的內容尚未送出"));
    return outcome == Outcome::done ? QString() : message;
}
