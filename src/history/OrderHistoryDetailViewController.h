#pragma once
// The detail of one queried order: every field of its OrderHistroy record as a labelled row.
// The query screen sets `orderHistory` before pushing this screen; no remote call is made.
#include "model/OrderStatus.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

// One row of the detail table: a label, its value and a third text that is always absent.
struct OrderHistoryDetailRow {
    QString label;
    QString value;
    std::optional<QString> extra;

    friend bool operator==(const OrderHistoryDetailRow &, const OrderHistoryDetailRow &) = default;
};

class OrderHistoryDetailViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The rows with their "label" and "value".
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
public:
    explicit OrderHistoryDetailViewController(QObject *parent = nullptr);

    void setOrderHistory(const OrderHistroy &record) { m_orderHistory = record; }
    OrderHistroy orderHistory() const { return m_orderHistory; }

    QList<OrderHistoryDetailRow> tableArray() const { return m_rows.rows(); }
    ListModelBase *rows() { return &m_rows; }

    // The unit price as money ("¥1,234.50"); the plain decimal text when it cannot be written so.
    static QString priceText(float cmpre);

    void viewDidLoad() override;

signals:
    void tableArrayChanged();

private:
    void buildRows();

    OrderHistroy m_orderHistory;
    RowListModel<OrderHistoryDetailRow> m_rows;
};
