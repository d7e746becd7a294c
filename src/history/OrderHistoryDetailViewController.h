#pragma once
// The detail of one queried order: every field of its OrderHistroy record as a labelled row.
// The query screen sets `orderHistory` before pushing this screen; no remote call is made.
#include "model/OrderStatus.h"
#include "ui/Screen.h"

#include <QMetaType>

// One row of the detail table: a label, its value and a third text that is always absent.
struct OrderHistoryDetailRow {
    Q_GADGET
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString value MEMBER value)
public:
    QString label;
    QString value;
    std::optional<QString> extra;

    friend bool operator==(const OrderHistoryDetailRow &, const OrderHistoryDetailRow &) = default;
};
Q_DECLARE_METATYPE(OrderHistoryDetailRow)

class OrderHistoryDetailViewController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QVariantList rows READ rowsForView NOTIFY tableArrayChanged)
public:
    explicit OrderHistoryDetailViewController(QObject *parent = nullptr);

    void setOrderHistory(const OrderHistroy &record) { m_orderHistory = record; }
    OrderHistroy orderHistory() const { return m_orderHistory; }

    QList<OrderHistoryDetailRow> tableArray() const { return m_tableArray; }

    // The unit price as money ("¥1,234.50"); the plain decimal text when it cannot be written so.
    static QString priceText(float cmpre);

    void viewDidLoad() override;

signals:
    void tableArrayChanged();

private:
    QVariantList rowsForView() const;
    void buildRows();

    OrderHistroy m_orderHistory;
    QList<OrderHistoryDetailRow> m_tableArray;
};
