#include "board/BoardListViewController.h"

#include "ui/Segue.h"
#include "model/AppContext.h"
#include "text/Localizer.h"

BoardListViewController::BoardListViewController(QObject *parent)
    : Screen(parent), m_header(new RefreshControl(RefreshControl::Kind::Header, [this] { refresh(); }, this))
{
}

QStringList BoardListViewController::rows() const
{
    QStringList names;
    for (const QJsonValue &board : m_boards)
        names << board.toObject().value(QLatin1String("boardName")).toString();
    return names;
}

void BoardListViewController::viewDidLoad()
{
    setTitle(localized(QStringLiteral("留言版")));
    m_header->beginRefreshing();
}

void BoardListViewController::setBoards(const QJsonArray &boards)
{
    m_boards = boards;
    emit rowsChanged();
}

void BoardListViewController::refresh()
{
    setBoards(QJsonArray());
    AppContext *ctx = context();
    if (!ctx) {
        m_header->endRefreshing();
        return;
    }
    const QJsonObject parameters{{QStringLiteral("userID"), ctx->userId().value_or(QString())}};
    QPointer<BoardListViewController> self(this);
    ctx->operations().getBoardsList(parameters, [self](const ApiStatus &status) {
        if (!self)
            return;
        // No alert on failure: the list stays empty until the next pull.
        if (status.isSuccess && status.returnJson)
            self->setBoards(status.returnJson->object().value(QLatin1String("boardList")).toArray());
        else
            self->setBoards(QJsonArray());
        self->m_header->endRefreshing();
    });
}

void BoardListViewController::selectRow(int row)
{
    if (row < 0 || row >= m_boards.size())
        return;
    performSegue(QString::fromLatin1(kSegueId), row);
}

void BoardListViewController::performSegue(const QString &identifier, int row)
{
    if (identifier != QLatin1String(kSegueId) || row < 0 || row >= m_boards.size())
        return;
    const QString boardId = m_boards.at(row).toObject().value(QLatin1String("boardID")).toString();
    Segue::perform(this, QStringLiteral("Board"), QStringLiteral("BoardMessageListViewController"),
                   [boardId](Screen *destination) { destination->setProperty("boardId", boardId); });
}
