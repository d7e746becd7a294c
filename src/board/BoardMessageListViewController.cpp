#include "board/BoardMessageListViewController.h"

#include "board/AddBoardMessageViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Segue.h"
#include "ui/Storyboard.h"

BoardMessageListViewController::BoardMessageListViewController(QObject *parent)
    : BoardViewController(parent),
      m_header(new RefreshControl(RefreshControl::Kind::Header, [this] { headerRefresh(); }, this)),
      m_footer(new RefreshControl(RefreshControl::Kind::Footer, [this] { footerRefresh(); }, this)),
      m_paging(m_header, m_footer)
{
}

BoardMessageListViewController *BoardMessageListViewController::instantiate(Storyboard *board,
                                                                           const QString &boardId)
{
    auto *list = board ? board->instantiate<BoardMessageListViewController>(Scene::BoardMessages) : nullptr;
    if (list)
        list->setBoardId(boardId);
    return list;
}

void BoardMessageListViewController::setBoardId(const QString &boardId)
{
    if (m_boardId == boardId)
        return;
    m_boardId = boardId;
    emit boardIdChanged();
}

void BoardMessageListViewController::viewDidLoad()
{
    BoardViewController::viewDidLoad();
    // Shown as written, in every language.
    setRightBarButtons({BarButton{QStringLiteral("新增留言"), {}, QStringLiteral("addMessageButton"),
                                  [this] { addMessageAction(); }}});
    m_header->beginRefreshing();
}

QString BoardMessageListViewController::pagingCursor() const
{
    return m_messages.size() == 0 ? QStringLiteral("0") : BoardCell::rowText(m_messages.rows().last());
}

void BoardMessageListViewController::headerRefresh()
{
    m_paging.restart();
    m_messages.setRows({});
    loadMessagePage();
}

void BoardMessageListViewController::footerRefresh()
{
    // With no message (a header refresh has just emptied the list) the header's page decides.
    if (m_messages.size() == 0) {
        m_footer->endRefreshing();
        return;
    }
    loadMessagePage();
}

void BoardMessageListViewController::loadMessagePage()
{
    AppContext *ctx = context();
    if (!ctx) {
        m_paging.pageEnded(true);
        return;
    }
    const int run = m_paging.run();
    // The page is read into its rows on a worker thread.
    ctx->operations().getBoardMsgList<QList<QJsonObject>>(
        m_boardId, pagingCursor(), this,
        [](const ApiStatus &status) {
            return status.returnJson ? objects(status.returnJson->object().value(QLatin1String("boardMsgList")).toArray())
                                     : QList<QJsonObject>();
        },
        [this, run](const ApiStatus &status, const QList<QJsonObject> &page) {
            if (!m_paging.isCurrent(run))
                return; // asked for before a header refresh emptied the list
            const bool endOfList = status.returnCode == QLatin1String("90");
            if ((status.isSuccess || endOfList) && status.returnJson) {
                m_messages.setRows(m_messages.rows() + page);
                m_paging.pageEnded(page.isEmpty() || endOfList);
                return;
            }
            alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得資料")), status.message);
            m_paging.pageEnded(true);
        });
}

void BoardMessageListViewController::addMessageAction()
{
    Storyboard *board = storyboard();
    const auto [nav, composer] =
        board ? board->instantiateStack<AddBoardMessageViewController>(Scene::AddBoardMessageNavigation)
              : std::pair<NavigationController *, AddBoardMessageViewController *>{};
    if (!composer)
        return;
    composer->setBoardId(m_boardId);
    composer->shareWrites(writes());
    connect(composer, &AddBoardMessageViewController::posted, m_header, &RefreshControl::beginRefreshing);
    connect(composer, &AddBoardMessageViewController::postedEarlier, m_header, &RefreshControl::beginRefreshing);
    present(nav, true);
}

void BoardMessageListViewController::replyMessageAction(int row)
{
    Storyboard *board = storyboard();
    if (row < 0 || row >= m_messages.size() || !board)
        return;
    auto *replies = board->instantiate<BoardMessageReplyListViewController>(Scene::BoardMessageReplies);
    if (!replies)
        return;
    replies->setMessage(m_messages.at(row));
    replies->setCollectionWidth(collectionWidth());
    replies->setReplyMode(true);
    replies->shareWrites(writes());
    connect(replies, &BoardMessageReplyListViewController::leaving, this,
            &BoardMessageListViewController::replaceReplies);
    Segue::show(this, replies);
}

void BoardMessageListViewController::replaceReplies(const QJsonObject &message)
{
    const QJsonValue msgId = message.value(QLatin1String("msgID"));
    for (int row = 0; row < m_messages.size(); ++row) {
        QJsonObject record = m_messages.at(row);
        if (record.value(QLatin1String("msgID")) != msgId)
            continue;
        record.insert(QStringLiteral("replyTotal"), message.value(QLatin1String("replyTotal")));
        record.insert(QStringLiteral("replyList"), message.value(QLatin1String("replyList")));
        m_messages.replace(row, record);
        return;
    }
}

void BoardMessageListViewController::menuAction(int row)
{
    if (row < 0 || row >= m_messages.size())
        return;
    // After a deletion of unknown fate the page around the message is read again: from a few messages
    // before it, so that it is still found when others were posted or deleted meanwhile.
    constexpr int kMessagesBefore = 5;
    const QString boardId = m_boardId, user = userId();
    const QString startRow = row > kMessagesBefore ? BoardCell::rowText(m_messages.at(row - kMessagesBefore - 1))
                                                   : QStringLiteral("0");
    const PendingBoardWrite::Read page{
        QStringLiteral("board ") + boardId, QStringLiteral("boardMsgList"),
        PendingBoardWrite::bound(this, [boardId, startRow](AppContext &ctx, ApiCompletion done) {
            ctx.operations().getBoardMsgList(boardId, startRow, nullptr, std::move(done));
        })};
    deleteOwnRecord(m_messages, row, page, [user](AppContext &ctx, const QString &msgId, ApiCompletion done) {
        ctx.operations().deleteBoardMsg(msgId, user, nullptr, std::move(done));
    });
}
