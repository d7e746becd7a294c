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
//
// Identities. The server places a line once per orderSeq and answers a resent one with its earlier
// result, so an unchanged order must expand to the same line identities every time: the first line
// is orderSeq, copy i (1-based among the further copies) is copySeqs[i-1] when kept there, or else a
// name-based UUID derived from orderSeq and i. An order gets new identities only when the rep changes
// it (orderEditedFrom) or when the server refused a line.
struct Order {
    OrderCustomer orderCustomer;
    Contract2 contract2;        // a normal order carries auart/auarth (order type) and vkorg here
    Inco1 inco1;                // delivery method
    Inco2 inco2;
    Transport transport;        // car/ship kind
    QString transportRemark;    // car/ship remark
    OrderItem orderItem;        // material, price, quantity (orderNumber), plant, shipping point, route
    QString orderSeq = newOrderSeq();
    QStringList copySeqs;       // kept identities of copies 2..orderPage; missing ones are derived
    int orderPage = 1;          // number of identical copies, 1 to 30
    bool notice = false;

    friend bool operator==(const Order &, const Order &) = default;
};

// Whether two orders would place the same lines, identities aside.
bool sameContent(const Order &a, const Order &b);
// `edited` as the rep's change of `before`: when its content differs it gets new identities (a new
// orderSeq and no kept copy identities), so it is never taken for the order as it was.
Order orderEditedFrom(const Order &edited, const Order &before);
// The identities of the order's lines in order: orderSeq, then one per further copy (see Order).
QStringList lineSeqs(const Order &order);

// The submission lines of one order: the base line first (its orderSeq is the order's), then
// orderPage − 1 copies with the identities of lineSeqs; every line's rootSeq is the order's orderSeq.
// `orderUserName` is the stored name of the signed-in user (empty when none is stored).
QList<OrderConfirm> createOrderConfirmArray(const Order &order, const QString &orderUserName);

// The JSON object sent for one line: its sendable fields as strings, and "mailList" holding exactly one
// object {"userID": userId, "mail": email} for the signed-in user. inco1bezei and the result fields are
// not part of it.
QJsonObject lineObject(const OrderConfirm &line, const QString &userId, const QString &email);
