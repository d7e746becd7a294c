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

QList<int> searchMaterials(const QList<PricedMaterial> &materials, const QString &text)
{
    return rowsMatching(materials, text, [&](const PricedMaterial &m) {
        return m.matnr.contains(text, Qt::CaseSensitive) || m.maktx.contains(text, Qt::CaseSensitive);
    });
}
