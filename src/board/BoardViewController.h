#pragma once
// The base of every message list: the column of message cells (BoardCell) with their photo heights, the
// compose area (text and one photo) that the reply screen uses, and the delete flow of the signed-in
// user's own messages. BoardMessageListViewController lists a board's messages;
// BoardMessageReplyListViewController one message and its replies.
#include "board/BoardCell.h"
#include "board/ComposePhoto.h"
#include "board/PendingBoardWrite.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPointer>

Q_DECLARE_LOGGING_CATEGORY(lcBoard)

class AppContext;

class BoardViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per message, with the roles of BoardCell::roles.
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    // The width the view lays the cells out in; photo heights follow it.
    Q_PROPERTY(qreal collectionWidth READ collectionWidth WRITE setCollectionWidth NOTIFY collectionWidthChanged)
    // The compose area.
    Q_PROPERTY(QString newMessageText READ newMessageText WRITE setNewMessageText NOTIFY newMessageTextChanged)
    Q_PROPERTY(ComposePhoto *photo READ photo CONSTANT)

public:
    explicit BoardViewController(QObject *parent = nullptr);

    // The messages shown (collectionViewArray); every assignment lays the cells out again.
    QJsonArray collectionViewArray() const;
    void setCollectionViewArray(const QJsonArray &messages);
    ListModelBase *rows() { return &m_messages; }

    qreal collectionWidth() const { return m_collectionWidth; }
    void setCollectionWidth(qreal width);

    QString newMessageText() const { return m_newMessageText; }
    void setNewMessageText(const QString &text);
    ComposePhoto *photo() const { return m_photo; }

    void viewDidLoad() override;

    // Writes of unknown fate are kept by `writes` (the message list's), so they outlive this screen.
    void shareWrites(PendingBoardWrite *writes) { m_sharedWrites = writes; }

    // Cell actions; the base screen does nothing with them.
    Q_INVOKABLE virtual void replyMessageAction(int row) { Q_UNUSED(row) }
    Q_INVOKABLE virtual void menuAction(int row) { Q_UNUSED(row) }

signals:
    void collectionWidthChanged();
    void newMessageTextChanged();

protected:
    // Photo heights of the cells of `model`, asked again (the width changed).
    virtual void computeCellSizes();
    bool isOwn(const QJsonObject &record) const;
    QString userId() const;

    // Deletes the record at `row` of `model` when it is the user's own and has a "msgID": "刪除留言"
    // asks first; `call` sends the deletion (after a lost answer, only when `read`, the list the record
    // is in, still holds it); once the success alert is confirmed the record is removed by its "msgID" —
    // wherever a refresh or a new page has put it meanwhile — and recordRemoved() runs.
    using DeleteCall = std::function<void(AppContext &ctx, const QString &msgId, ApiCompletion done)>;
    void deleteOwnRecord(RowListModel<QJsonObject> &model, int row, PendingBoardWrite::Read read, DeleteCall call);
    // This screen's writes of unknown fate: its own, or those shared by the screen that opened it.
    PendingBoardWrite *writes() const { return m_sharedWrites ? m_sharedWrites.get() : m_ownWrites; }
    virtual void recordRemoved() {}

    static QList<QJsonObject> objects(const QJsonArray &array);

    RowListModel<QJsonObject> m_messages;

private:
    qreal m_collectionWidth = 375;
    QString m_newMessageText;
    ComposePhoto *m_photo;
    PendingBoardWrite *m_ownWrites;
    QPointer<PendingBoardWrite> m_sharedWrites;
};
