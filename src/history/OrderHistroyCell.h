#pragma once
// One row of the order query as its view draws it.
#include "model/OrderStatus.h"

#include <QMetaType>
#include <QString>

struct OrderHistroyCell {
    Q_GADGET
    Q_PROPERTY(QString timeLabel MEMBER timeLabel)
    Q_PROPERTY(QString customerLabel MEMBER customerLabel)
    Q_PROPERTY(QString itemLabel MEMBER itemLabel)
    Q_PROPERTY(QString itemOrderNumberLabel MEMBER itemOrderNumberLabel)
    Q_PROPERTY(QString itemOrderLastLabel MEMBER itemOrderLastLabel)
public:
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
Q_DECLARE_METATYPE(OrderHistroyCell)
