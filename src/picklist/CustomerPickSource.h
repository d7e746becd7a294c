#pragma once
// The customers a pick list offers, shared by order entry and the order query: the customer list and
// the positions the search text selects (never copies of the records), with the row texts.
#include "model/MasterData.h"
#include "picklist/SelectDataViewDelegate.h"

#include <QList>

class CustomerPickSource
{
public:
    // How a row reads: order entry puts the name first, the order query the customer number.
    enum class Layout { NameThenNumber, NumberThenName };
    explicit CustomerPickSource(Layout layout) : m_layout(layout) {}

    // A new customer list (shared, not copied); every customer is offered.
    void setCustomers(const QList<OrderCustomer> &customers);
    const QList<OrderCustomer> &customers() const { return m_customers; }

    // Offers the customers whose name or number contains `text`; every customer for an empty text.
    void search(const QString &text);
    void showAll() { search(QString()); }

    int count() const { return int(m_rows.size()); }
    // The customers offered, in order (a copy: for callers that need the records themselves).
    QList<OrderCustomer> offered() const;
    // The customer offered in `row`, or null.
    const OrderCustomer *customerAt(int row) const;
    // Title and detail of `row`: the name and "客戶編號:" + number (or the other way round).
    SelectDataTexts texts(int row) const;

private:
    Layout m_layout;
    QList<OrderCustomer> m_customers;
    QList<int> m_rows;
};
