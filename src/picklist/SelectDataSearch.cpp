#include "picklist/SelectDataSearch.h"

#include <numeric>

namespace {

template <class Row, class Matches> QList<int> rowsMatching(const QList<Row> &rows, const QString &text, Matches matches)
{
    QList<int> found;
    if (text.isEmpty()) {
        found.resize(rows.size());
        std::iota(found.begin(), found.end(), 0);
        return found;
    }
    for (int i = 0; i < rows.size(); ++i) {
        if (matches(rows.at(i)))
            found.append(i);
    }
    return found;
}

} // namespace

QList<int> searchCustomers(const QList<OrderCustomer> &customers, const QString &text)
{
    return rowsMatching(customers, text, [&](const OrderCustomer &c) {
        return c.name1.contains(text, Qt::CaseSensitive) || c.kunnr.contains(text, Qt::CaseSensitive);
    });
}

QList<int> searchMaterials(const QList<OrderItem> &items, const QString &text)
{
    return rowsMatching(items, text, [&](const OrderItem &item) {
        return item.matnr.contains(text, Qt::CaseSensitive) || item.maktx.contains(text, Qt::CaseSensitive);
    });
}
