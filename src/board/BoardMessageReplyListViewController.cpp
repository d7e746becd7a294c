#include "board/BoardMessageReplyListViewController.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Ui.h"

namespace {
constexpr int kFocusDelayMs = 300;
constexpr int kScrollDelayMs = 600;
}

BoardMessageReplyListViewController::BoardMessageReplyListViewController(QObject *parent)
    : BoardViewController(parent),
      m_replies(BoardCell::roles(
          [](const QJsonObject &r) { return BoardCell::photoPixelSize(r).isEmpty() ? 0 : BoardCell::kReplyPhotoHeight; },
          [this](const QJsonObject &r) { return isOwn(r); })),
      m_header(new RefreshControl(RefreshControl::Kind::Header, [this] {
          ++m_load;
          m_replies.setRows({});
          loadReplies();
      }, this))
{
}

void BoardMessageReplyListViewController::setMessage(const QJsonObject &message) { m_messages.setRows({message}); }

QJsonArray BoardMessageReplyListViewController::replyMessageArray() const
{
    QJsonArray array;
    for (const QJsonObject &reply : m_replies.rows())
        array.append(reply);
    return array;
}

void BoardMessageReplyListViewController::setReplyMode(bool replyMode)
{
    if (m_replyMode == replyMode)
        return;
    m_replyMode = replyMode;
    emit replyModeChanged();
}

void BoardMessageReplyListViewController::viewDidLoad()
{
    BoardViewController::viewDidLoad();
    m_header->beginRefreshing();
}

void BoardMessageReplyListViewController::viewDidAppear(bool animated)
{
    BoardViewController::viewDidAppear(animated);
    if (m_replyMode) {
        if (Ui *u = ui())
            u->runAfter(kFocusDelayMs, this, [this] { emit focusRequested(); });
    }
}

void BoardMessageReplyListViewController::viewWillDisappear(bool animated)
{
    BoardViewController::viewWillDisappear(animated);
    emit leaving(message());
}

void BoardMessageReplyListViewController::loadReplies()
{
    AppContext *ctx = context();
    if (m_messages.size() == 0 || !ctx) {
        qCDebug(lcBoard) << "沒有messageDataJson";
        m_header->endRefreshing();
        return;
    }
    const int load = m_load;
    const QString msgId = m_messages.at(0).value(QLatin1String("msgID")).toString();
    ctx->operations().getBoardReplyMsgList(msgId, this, [this, load](const ApiStatus &status) {
        if (load != m_load)
            return;
        if ((status.isSuccess || status.returnCode == QLatin1String("90")) && status.returnJson) {
            setReplies(m_replies.rows() +
                       objects(status.returnJson->object().value(QLatin1String("boardReplyMsgList")).toArray()));
        } else {
            alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得資料")), status.message);
        }
        m_header->endRefreshing();
    });
}

void BoardMessageReplyListViewController::setReplies(const QList<QJsonObject> &replies)
{
    m_replies.setRows(replies);
    recordRemoved(); // the message's count follows the replies shown
    if (m_replyMode) {
        if (Ui *u = ui())
            u->runAfter(kScrollDelayMs, this, [this] {
                emit scrollToEndRequested();
                setReplyMode(false);
            });
    }
}

void BoardMessageReplyListViewController::recordRemoved()
{
    if (m_messages.size() == 0)
        return;
    QJsonObject message = m_messages.at(0);
    message.insert(QStringLiteral("replyTotal"), m_replies.size());
    QJsonArray newestFirst;
    for (auto reply = m_replies.rows().crbegin(); reply != m_replies.rows().crend(); ++reply)
        newestFirst.append(*reply);
    message.insert(QStringLiteral("replyList"), newestFirst);
    m_messages.replace(0, message);
}

PendingBoardWrite::Read BoardMessageReplyListViewController::readReplies()
{
    const QString msgId = message().value(QLatin1String("msgID")).toString();
    return {QStringLiteral("replies ") + msgId, QStringLiteral("boardReplyMsgList"),
            PendingBoardWrite::bound(this, [msgId](AppContext &ctx, ApiCompletion done) {
                ctx.operations().getBoardReplyMsgList(msgId, nullptr, std::move(done));
            })};
}

void BoardMessageReplyListViewController::sendNewMessageAction()
{
    const QString text = newMessageText();
    const QString msgId = message().value(QLatin1String("msgID")).toString();
    photo()->post(text, [this, text, msgId](const QString &encoded, std::function<void()> finished) {
        const QString user = userId();
        writes()->post(
            user, text, encoded, readReplies(),
            PendingBoardWrite::bound(this, [user, text, msgId, encoded](AppContext &ctx, ApiCompletion done) {
                ctx.operations().addBoardReplyMsg(msgId, user, text, encoded, nullptr, std::move(done));
            }),
            PendingBoardWrite::guarded(this, [this, finished](PendingBoardWrite::Outcome outcome, const QString &message) {
                finished();
                alertWithTitle(PendingBoardWrite::postTitle(outcome), PendingBoardWrite::postMessage(outcome, message));
                if (outcome == PendingBoardWrite::Outcome::done) {
                    // The text and the photo went out with this reply: the next reply starts empty rather
                    // than sending the same photo again.
                    setNewMessageText(QString());
                    photo()->cancelPhotoAction();
                }
                if (outcome == PendingBoardWrite::Outcome::done || outcome == PendingBoardWrite::Outcome::doneEarlier) {
                    setReplyMode(true);
                    m_header->beginRefreshing();
                }
            }));
    });
}

void BoardMessageReplyListViewController::replyMessageAction(int row)
{
    Q_UNUSED(row)
    emit focusRequested();
}

void BoardMessageReplyListViewController::menuAction(int row)
{
    const QString user = userId();
    deleteOwnRecord(m_replies, row, readReplies(), [user](AppContext &ctx, const QString &replyId, ApiCompletion done) {
        ctx.operations().deleteBoardReplyMsg(replyId, user, nullptr, std::move(done));
    });
}
