#pragma once
// The message-board tab: the boards of `getBoardsList`, refreshed by pulling the list down. Selecting a
// board opens its message list.
#include "ui/ListModel.h"
#include "ui/RefreshControl.h"
#include "ui/Screen.h"

#include <QJsonArray>
#include <QJsonObject>

class BoardListViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per board, in order: its "boardName" (empty when absent).
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)

public:
    explicit BoardListViewController(QObject *parent = nullptr);

    QJsonArray tableViewArray() const;
    ListModelBase *rows() { return &m_boards; }
    RefreshControl *header() const { return m_header; }

    void viewDidLoad() override;

    // Opens the message list of the board at `row`.
    Q_INVOKABLE void selectRow(int row);

private:
    void refresh();
    void setBoards(const QJsonArray &boards);

    RowListModel<QJsonObject> m_boards;
    RefreshControl *m_header;
};
