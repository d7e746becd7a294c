#pragma once
// The messages of one board, newest first as the server orders them, paged by "startRow" (the "row" of
// the last message shown). A header pull starts over from "0"; the footer loads the next page and shows
// that there is no more data once a page comes back empty or with code "90". "新增留言" opens the
// composer, a cell's reply button the message's replies, its menu (own messages only) the deletion.
// Coming back from the replies, the message's row shows the replies as they were last loaded there.
#include "board/BoardViewController.h"
#include "ui/PagedRefresh.h"
#include "ui/RefreshControl.h"

class BoardMessageListViewController : public BoardViewController
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString boardId READ boardId WRITE setBoardId NOTIFY boardIdChanged)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)
    Q_PROPERTY(RefreshControl *footer READ footer CONSTANT)

public:
    explicit BoardMessageListViewController(QObject *parent = nullptr);
    // The messages of the board `boardId`, from the storyboard; null when there is no such scene.
    static BoardMessageListViewController *instantiate(Storyboard *board, const QString &boardId);

    QString boardId() const { return m_boardId; }
    void setBoardId(const QString &boardId);
    RefreshControl *header() const { return m_header; }
    RefreshControl *footer() const { return m_footer; }

    void viewDidLoad() override;

    // "新增留言": presents the composer for this board; a successful post refreshes the list.
    Q_INVOKABLE void addMessageAction();
    // Opens the replies of the message at `row`, ready to reply.
    Q_INVOKABLE void replyMessageAction(int row) override;
    // Deletes the message at `row` when it is the user's own.
    Q_INVOKABLE void menuAction(int row) override;

    // The cursor the next page is asked from: "0" for an empty list, else the last message's "row".
    QString pagingCursor() const;

signals:
    void boardIdChanged();

private:
    void headerRefresh();
    void footerRefresh();
    void loadMessagePage();
    // The replies screen of a message closed: that message's row takes its reply count and preview.
    void replaceReplies(const QJsonObject &message);

    QString m_boardId;
    RefreshControl *m_header;
    RefreshControl *m_footer;
    PagedRefresh m_paging;
};
