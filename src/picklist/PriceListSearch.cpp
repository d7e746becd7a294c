#include "picklist/PriceListSearch.h"

#include <numeric>

QList<int> searchMaterials(const QList<PricedMaterial> &materials, const QString &text)
{
    QList<int> found;
    if (text.isEmpty()) {
        found.resize(materials.size());
        std::iota(found.begin(), found.end(), 0);
        return found;
    }
    for (int i = 0; i < materials.size(); ++i) {
        const PricedMaterial &m = materials.at(i);
        if (m.matnr.contains(text, Qt::CaseSensitive) || m.maktx.contains(text, Qt::CaseSensitive))
            found.append(i);
    }
    return found;
}
