#pragma once
// The board writes of one screen (posts, replies, deletions) whose answer was lost. A result without a
// parsed answer (connection dropped, answer garbled, time limit after the request went out) leaves the
// write's fate unknown: it may have been done. Before such a write is sent again the list it concerns is
// read to find out, so that it reaches the server once. A refusal (an answer whose code is not "00") is a
// known fate, and the next try sends at once.
//
// Posts: just before a post is sent, the list it lands on (a board's first page, a message's replies) is
// read and the signed-in user's entries with the same text are noted. After a lost answer the next try
// reads the list again: an own entry with that text (with a photo when one was sent) that was not noted
// is the post, done. The entries' "postTime" is the server's local time to the minute (and seeded times
// may lie ahead of it), so it is not compared with this device's clock.
// Deletions: after a lost answer the next try reads where the entry was; gone counts as deleted.
//
// A board's message list holds one for the board and shares it with the composer and the reply screens it
// opens, so that a post of unknown fate is still checked when the rep closed the screen and writes again.
// Each step runs as long as this object lives, whatever screen started it; `done` is the screen's to guard.
#include "services/ServiceTypes.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>

#include <optional>

class AppContext;
class Screen;

class PendingBoardWrite : public QObject
{
    Q_OBJECT
public:
    // Reads the list a write concerns: `place` names it (a board, a message's replies), `key` its array
    // in the answer.
    struct Read {
        QString place;
        QString key;
        std::function<void(ApiCompletion done)> call;
    };
    using Send = std::function<void(ApiCompletion done)>;

    enum class Outcome {
        done,         // done now, or found done from an earlier try; nothing more to send
        failed,       // not done: refused, not answered (fate unknown, checked on the next try), or the list
                      // read before a post could not be read (nothing sent)
        doneEarlier,  // a post: the earlier try, with another text or photo, was done; this one was not sent
        unchecked,    // the earlier try's fate is still unknown (its list could not be read): nothing sent
    };
    // `message`: the server's or client's message of the answer or read that decided.
    using Done = std::function<void(Outcome outcome, const QString &message)>;

    explicit PendingBoardWrite(QObject *parent) : QObject(parent) {}

    // Posts `text` with `photo` (the "postPhoto" text, empty without one) as `userId`.
    void post(const QString &userId, const QString &text, const QString &photo, Read read, Send send, Done done);
    // Deletes the entry `msgId`; `read` reads the list it is in.
    void remove(const QString &msgId, Read read, Send send, Done done);

    // A read or send of `screen`: `call` gets the app context while the screen lives; once it has gone,
    // nothing is sent and `done` gets a client failure. Answers go to this object, not to the screen.
    static std::function<void(ApiCompletion)> bound(Screen *screen,
                                                    std::function<void(AppContext &ctx, ApiCompletion done)> call);
    // `done` dropped once `screen` has gone.
    static Done guarded(QObject *screen, Done done);

    // The alert title a post's outcome is told with ("新增成功", "新增失敗", …), and its text.
    static QString postTitle(Outcome outcome);
    static QString postMessage(Outcome outcome, const QString &message);

private:
    struct Post {
        QString text;
        QByteArray photo; // digest of the "postPhoto" text, empty without a photo
        QSet<QString> noted; // own entries with that text before it was sent
    };
    static std::optional<QList<QJsonObject>> entries(const ApiStatus &status, const QString &key);
    static QSet<QString> ownWithText(const QList<QJsonObject> &list, const QString &userId, const QString &text,
                                     std::optional<bool> withPhoto = std::nullopt);
    void send(const QString &place, const QString &userId, const QString &text, const QString &photo,
              const QList<QJsonObject> &before, const Send &send, const Done &done);
    void sendDeletion(const QString &msgId, const Send &send, const Done &done);

    QHash<QString, Post> m_posts; // by place: sent without an answer
    QSet<QString> m_deletions; // sent without an answer
};
