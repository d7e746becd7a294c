#pragma once
// The order being entered, and its conversion into submission lines and their JSON objects.
#include "model/MasterData.h"
#include "model/OrderStatus.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// A fresh identity: a UUID in its 36-character upper-case form with hyphens.
QString newOrderSeq();

// One customer, one sales context (contract, or the order type for a normal order), delivery terms,
// transport and one material line, to be placed `orderPage` times as identical copies.
// Every default-constructed Order gets its own orderSeq; a copy keeps the original's.
struct Order {
    OrderCustomer orderCustomer;
    Contract2 contract2;        // a normal order carries auart/auarth (order type) and vkorg here
    Inco1 inco1;                // delivery method
    Inco2 inco2;
    Transport transport;        // car/ship kind
    QString transportRemark;    // car/ship remark
    OrderItem orderItem;        // material, price, quantity (orderNumber), plant, shipping point, route
    QString orderSeq = newOrderSeq();
    int orderPage = 1;          // number of identical copies, 1 to 30
    bool notice = false;

    friend bool operator==(const Order &, const Order &) = default;
};

// The submission lines of one order: the base line first (its orderSeq is the order's), then
// orderPage − 1 copies, each with a fresh orderSeq; every line's rootSeq is the order's orderSeq.
// `orderUserName` is the stored name of the signed-in user (empty when none is stored).
QList<OrderConfirm> createOrderConfirmArray(const Order &order, const QString &orderUserName);

// The JSON object sent for one line: its sendable fields as strings, and "mailList" holding exactly one
// object {"userID": userId, "mail": email} for the signed-in user. inco1bezei and the result fields are
// not part of it.
QJsonObject lineObject(const OrderConfirm &line, const QString &userId, const QString &email);
