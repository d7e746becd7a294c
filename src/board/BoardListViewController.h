#pragma once
// The message-board tab: the boards of `getBoardsList`, refreshed by pulling the list down. Selecting a
// board opens its message list.
#include "ui/RefreshControl.h"
#include "ui/Screen.h"

#include <QJsonArray>
#include <QStringList>

class BoardListViewController : public Screen
{
    Q_OBJECT
    // The boardName of each board (empty when absent), in order.
    Q_PROPERTY(QStringList rows READ rows NOTIFY rowsChanged)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)

public:
    // The transition to a board's message list.
    static constexpr const char *kSegueId = "GotoMessgeListSegue";

    explicit BoardListViewController(QObject *parent = nullptr);

    QJsonArray tableViewArray() const { return m_boards; }
    QStringList rows() const;
    RefreshControl *header() const { return m_header; }

    void viewDidLoad() override;

    Q_INVOKABLE void selectRow(int row);

    // Opens the destination of `identifier`; only kSegueId leads anywhere.
    void performSegue(const QString &identifier, int row);

signals:
    void rowsChanged();

private:
    void refresh();
    void setBoards(const QJsonArray &boards);

    QJsonArray m_boards;
    RefreshControl *m_header;
};
