#include "board/BoardListViewController.h"

#include "board/BoardMessageListViewController.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Segue.h"

BoardListViewController::BoardListViewController(QObject *parent)
    : Screen(parent),
      m_boards({{"boardName", [](const QJsonObject &b) { return b.value(QLatin1String("boardName")).toString(); }}}),
      m_header(new RefreshControl(RefreshControl::Kind::Header, [this] { refresh(); }, this))
{
}

QJsonArray BoardListViewController::tableViewArray() const
{
    QJsonArray boards;
    for (const QJsonObject &board : m_boards.rows())
        boards.append(board);
    return boards;
}

void BoardListViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "留言版")));
    m_header->beginRefreshing();
}

void BoardListViewController::setBoards(const QJsonArray &boards)
{
    QList<QJsonObject> rows;
    rows.reserve(boards.size());
    for (const QJsonValue &board : boards)
        rows.append(board.toObject());
    m_boards.setRows(rows);
}

void BoardListViewController::refresh()
{
    setBoards(QJsonArray());
    AppContext *ctx = context();
    if (!ctx) {
        m_header->endRefreshing();
        return;
    }
    ctx->operations().getBoardsList(ctx->signedInUserId(), this, [this](const ApiStatus &status) {
        // No alert on failure: the list stays empty until the next pull.
        if (status.isSuccess && status.returnJson)
            setBoards(status.returnJson->object().value(QLatin1String("boardList")).toArray());
        else
            setBoards(QJsonArray());
        m_header->endRefreshing();
    });
}

void BoardListViewController::selectRow(int row)
{
    if (row < 0 || row >= m_boards.size())
        return;
    const QString boardId = m_boards.at(row).value(QLatin1String("boardID")).toString();
    Segue::show(this, BoardMessageListViewController::instantiate(storyboard(), boardId));
}
