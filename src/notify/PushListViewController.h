#pragma once
// The notification history of the account, newest first as the server orders it, paged with the
// `newsId` of the last notification shown. A header pull starts over; the footer loads the next page
// and shows "已無資料" once a page comes back empty.
#include "model/UserPushHistory.h"
#include "ui/ListModel.h"
#include "ui/PagedRefresh.h"
#include "ui/RefreshControl.h"
#include "ui/Screen.h"

class PushListViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per notification: "time" (its startDate) and "title".
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)
    Q_PROPERTY(RefreshControl *footer READ footer CONSTANT)

public:
    explicit PushListViewController(QObject *parent = nullptr);

    QList<UserPushHistory> collectionViewArray() const { return m_records.rows(); }
    ListModelBase *rows() { return &m_records; }
    RefreshControl *header() const { return m_header; }
    RefreshControl *footer() const { return m_footer; }

    void viewDidLoad() override;

    // Selecting a notification does nothing; a tap on the list ends text editing.
    Q_INVOKABLE void selectItem(int index) { Q_UNUSED(index) }
    Q_INVOKABLE void listTapped() { dismissKeyboard(); }

private:
    void headerRefresh();
    void footerRefresh();
    void loadHistoryPage(const QString &lastNewsId);
    void pageArrived(const QList<UserPushHistory> &page);

    RowListModel<UserPushHistory> m_records;
    RefreshControl *m_header;
    RefreshControl *m_footer;
    PagedRefresh m_paging;
};
