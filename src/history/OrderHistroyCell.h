#pragma once
// One row of the order query as its view draws it.
#include "model/OrderStatus.h"

#include <QString>

struct OrderHistroyCell {
    static QString reuseIdentifier() { return QStringLiteral("OrderHistroyCell"); }

    // Order time, customer name, material, ordered and remaining quantity as decimal texts ("12.0").
    static OrderHistroyCell from(const OrderHistroy &record);

    QString timeLabel;
    QString customerLabel;
    QString itemLabel;
    QString itemOrderNumberLabel;
    QString itemOrderLastLabel;

    friend bool operator==(const OrderHistroyCell &, const OrderHistroyCell &) = default;
};
