#include "picklist/CustomerPickSource.h"

#include "picklist/SelectDataSearch.h"
#include "text/Localizer.h"

void CustomerPickSource::setCustomers(const QList<OrderCustomer> &customers)
{
    m_customers = customers;
    showAll();
}

void CustomerPickSource::search(const QString &text)
{
    m_rows = searchCustomers(m_customers, text);
}

const OrderCustomer *CustomerPickSource::customerAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_customers.at(m_rows.at(row)) : nullptr;
}

SelectDataTexts CustomerPickSource::texts(int row) const
{
    const OrderCustomer *c = customerAt(row);
    if (!c)
        return {};
    const QString number = localized(QT_TRANSLATE_NOOP("Zelk", "客戶編號:")) + c->kunnr;
    if (m_layout == Layout::NumberThenName)
        return {number, c->name1};
    return {c->name1, number};
}

QList<OrderCustomer> CustomerPickSource::offered() const
{
    QList<OrderCustomer> list;
    list.reserve(m_rows.size());
    for (int row : m_rows)
        list.append(m_customers.at(row));
    return list;
}
