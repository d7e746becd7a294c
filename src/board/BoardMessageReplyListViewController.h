#pragma once
// One board message and all its replies (oldest first, so the newest ends the list), with the compose
// area at the bottom: a reply with text and an optional photo (after a lost answer, the next try first
// looks for it among the replies). Opened from a message's reply button in
// reply mode: the text input gets the focus once the screen shows, and the list scrolls to its end once
// the replies are in. The user's own replies can be deleted from their menu.
#include "board/BoardViewController.h"
#include "ui/RefreshControl.h"

class BoardMessageReplyListViewController : public BoardViewController
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The replies, with the roles of BoardCell::roles (a reply's photo is 100 points high).
    Q_PROPERTY(ListModelBase *replies READ replies CONSTANT)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)
    Q_PROPERTY(bool replyMode READ replyMode WRITE setReplyMode NOTIFY replyModeChanged)

public:
    explicit BoardMessageReplyListViewController(QObject *parent = nullptr);

    // The message answered (section 0 of the list).
    void setMessage(const QJsonObject &message);
    QJsonObject message() const { return m_messages.size() ? m_messages.at(0) : QJsonObject(); }
    QJsonArray replyMessageArray() const;
    ListModelBase *replies() { return &m_replies; }
    RefreshControl *header() const { return m_header; }
    bool replyMode() const { return m_replyMode; }
    void setReplyMode(bool replyMode);

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Sends the reply: an empty text asks "請輸入想說的話"; "新增成功" reloads the replies and scrolls
    // to the end; "新增失敗" keeps the text and the photo for another try.
    Q_INVOKABLE void sendNewMessageAction();
    // The message's reply button: the text input gets the focus.
    Q_INVOKABLE void replyMessageAction(int row) override;
    // Deletes the reply at `row` when it is the user's own.
    Q_INVOKABLE void menuAction(int row) override;

signals:
    void replyModeChanged();
    // The view gives the text input the focus (the keyboard opens).
    void focusRequested();
    // The view scrolls to the end of the list, animated.
    void scrollToEndRequested();
    // The screen goes out of sight: the message as it stands, its reply count and newest reply
    // following the replies last loaded (unchanged when none could be loaded).
    void leaving(const QJsonObject &message);

protected:
    void recordRemoved() override;

private:
    void loadReplies();
    // Reads the replies of the message, as a write of unknown fate is checked against.
    PendingBoardWrite::Read readReplies();
    void setReplies(const QList<QJsonObject> &replies);

    RowListModel<QJsonObject> m_replies;
    RefreshControl *m_header;
    bool m_replyMode = false;
    // Bumped by every refresh: an answer to an earlier load is dropped.
    int m_load = 0;
};
