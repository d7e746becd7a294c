#pragma once
// The search of the pick lists: an empty text keeps every row; otherwise a row stays when its name or
// its number contains the text (case counts). The result is the positions of the rows kept, in order,
// so that a keystroke over a long list copies no record.
#include "model/MasterData.h"

#include <QList>
#include <QString>

// Customers by name ("name1") or number ("kunnr").
QList<int> searchCustomers(const QList<OrderCustomer> &customers, const QString &text);
// Priced materials by number ("matnr") or name ("maktx").
QList<int> searchMaterials(const QList<PricedMaterial> &materials, const QString &text);
