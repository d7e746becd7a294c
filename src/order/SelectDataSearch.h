#pragma once
// The search of the pick lists: an empty text keeps every row; otherwise a row stays when its name or
// its number contains the text (case counts).
#include "model/MasterData.h"

#include <QList>
#include <QString>

// Customers by name ("name1") or number ("kunnr").
QList<OrderCustomer> searchCustomers(const QList<OrderCustomer> &customers, const QString &text);
// Priced materials by number ("matnr") or name ("maktx").
QList<OrderItem> searchMaterials(const QList<OrderItem> &items, const QString &text);
