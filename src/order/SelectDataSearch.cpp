#include "order/SelectDataSearch.h"

namespace {

template <class Row, class Matches> QList<Row> rowsMatching(const QList<Row> &rows, const QString &text, Matches matches)
{
    if (text.isEmpty())
        return rows;
    QList<Row> found;
    for (const Row &row : rows) {
        if (matches(row))
            found.append(row);
    }
    return found;
}

} // namespace

QList<OrderCustomer> searchCustomers(const QList<OrderCustomer> &customers, const QString &text)
{
    return rowsMatching(customers, text, [&](const OrderCustomer &c) {
        return c.name1.contains(text, Qt::CaseSensitive) || c.kunnr.contains(text, Qt::CaseSensitive);
    });
}

QList<OrderItem> searchMaterials(const QList<OrderItem> &items, const QString &text)
{
    return rowsMatching(items, text, [&](const OrderItem &item) {
        return item.matnr.contains(text, Qt::CaseSensitive) || item.maktx.contains(text, Qt::CaseSensitive);
    });
}
