#pragma once
// The composer of a new board message: a text and an optional photo, posted with "addBoardMsg". A tap
// outside the text input closes the keyboard. "新增成功" closes the screen once confirmed and then
// tells the message list (posted()), which reloads from its first page; "新增失敗" keeps the text and
// the photo for another try; after a lost answer that try first looks for the message on the board
// (PendingBoardWrite). Closing without posting discards both.
#include "board/ComposePhoto.h"
#include "board/PendingBoardWrite.h"
#include "ui/Screen.h"

#include <QPointer>

class AddBoardMessageViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString newMessageText READ newMessageText WRITE setNewMessageText NOTIFY newMessageTextChanged)
    Q_PROPERTY(ComposePhoto *photo READ photo CONSTANT)

public:
    explicit AddBoardMessageViewController(QObject *parent = nullptr);

    QString boardId() const { return m_boardId; }
    void setBoardId(const QString &boardId) { m_boardId = boardId; }
    // The board's writes of unknown fate, held by its message list (this screen's own when not set).
    void shareWrites(PendingBoardWrite *writes) { m_sharedWrites = writes; }
    QString newMessageText() const { return m_text; }
    void setNewMessageText(const QString &text);
    ComposePhoto *photo() const { return m_photo; }

    void viewDidLoad() override;

    Q_INVOKABLE void sendNewMessageAction();
    Q_INVOKABLE void closeAction();

signals:
    void newMessageTextChanged();
    // A message was posted and the screen has closed.
    void posted();
    // An earlier try, of another text, turned out posted; the screen stays open with the text as it is.
    void postedEarlier();

private:
    void showOutcome(PendingBoardWrite::Outcome outcome, const QString &message);

    QString m_boardId;
    QString m_text;
    PendingBoardWrite *writes() const { return m_sharedWrites ? m_sharedWrites.get() : m_ownWrites; }

    ComposePhoto *m_photo;
    PendingBoardWrite *m_ownWrites;
    QPointer<PendingBoardWrite> m_sharedWrites;
};
