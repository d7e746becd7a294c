#pragma once
// The material pick list's search over a price list, by the pick lists' rule (see SelectDataSearch.h):
// an empty text keeps every material, otherwise those whose number ("matnr") or name ("maktx") contains
// the text (case counts); the result is the positions kept, in order.
#include "model/MasterData.h"

#include <QList>
#include <QString>

QList<int> searchMaterials(const QList<PricedMaterial> &materials, const QString &text);
