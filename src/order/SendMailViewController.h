#pragma once
// The notice mail after an order ("發送通知"): one request per ordered line, each addressed at first to
// every contact person of the notice group and, where the group has required persons, waiting for one
// of them to be chosen. The rep ticks the lines to mail, edits a line's details and recipients
// (EditSentMailViewController) and sends them in one `sendMail`. After a success the screen closes and
// reports it through sentSuccessClosure(); after a failure it stays, ticks and details kept, so the rep
// can send again.
#include "model/OrderStatus.h"
#include "order/OrderConfirmMailScreen.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"

class SendMailViewController : public OrderConfirmMailScreen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per request, roles: orderNo (the line's order number), ticked (for mailing),
    // lineText (material and quantity), recipientsText (the recipients' names).
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)

public:
    explicit SendMailViewController(QObject *parent = nullptr);

    // One request per line ordered successfully, in line order, unticked and without recipients.
    void setOrderConfirmLines(const QList<OrderConfirm> &lines) override;
    // Title, and the recipients preset from the notice group of the user's sales organisation.
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    QList<SentMailOrderConfirm> tableArray() const { return m_rows.rows(); }
    QList<NoticeGroup> mailArray() const { return m_mailArray; }
    ListModelBase *rows() { return &m_rows; }

    // The tick box of a row: unticks a ticked row; ticks an unticked one, unless a required person
    // must be chosen first ("請手動選擇人員", whose "選擇" opens the row's details and then the choice).
    Q_INVOKABLE void checkAction(int row);
    // Opens the details of a row ("輸入發送資訊").
    Q_INVOKABLE void editAction(int row);
    // A tap on the row itself shows its ordered line read-only.
    Q_INVOKABLE void selectRow(int row);
    // Sends the ticked requests in row order; "請至少選擇一筆資料" when none is ticked.
    Q_INVOKABLE void sendMailAction();

private:
    bool validRow(int row) const;
    void openEdit(int row, bool showSelectMailView);
    void handleAnswer(const ApiStatus &status);

    RowListModel<SentMailOrderConfirm> m_rows;
    QList<NoticeGroup> m_mailArray;
    bool m_sending = false;
};
