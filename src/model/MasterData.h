#pragma once
// Value records of the enterprise system's master data. Fields keep the enterprise system's names and
// the documented order; a default-constructed record is the empty record (texts empty, numbers 0).
// fromJson never fails: a missing or mistyped member gives the empty text or 0 (see JsonRules.h).
#include "model/JsonRules.h"

#include <QJsonObject>
#include <QString>
#include <QStringView>

// First part of the delivery terms, shown as the delivery method.
struct Inco1 {
    QString inco1;
    QString bezei;

    static Inco1 fromJson(const QJsonObject &o);
    friend bool operator==(const Inco1 &, const Inco1 &) = default;
};

// Second part of the delivery terms; never parsed from a document.
struct Inco2 {
    QString inco2;
    QString bezei;

    friend bool operator==(const Inco2 &, const Inco2 &) = default;
};

// Transport (car/ship) kind.
struct Transport {
    QString transID;
    QString transName;

    static Transport fromJson(const QJsonObject &o);
    friend bool operator==(const Transport &, const Transport &) = default;
};

// Sales document type offered in the order header.
struct OrderType {
    QString otCode;
    QString otName;
    QString orderType;
    QString bukrs;

    static OrderType fromJson(const QJsonObject &o);
    friend bool operator==(const OrderType &, const OrderType &) = default;
};

// Shipping point.
struct Tvstz {
    QString vkorg;
    QString tvstzId;
    QString tvstzName;

    static Tvstz fromJson(const QJsonObject &o);
    friend bool operator==(const Tvstz &, const Tvstz &) = default;
};

// A customer the user may order for: sixteen texts, each read with the text rule from the key of the same
// name, in the documented order.
struct OrderCustomer {
    QString custID;    // record identifier of the customer
    QString kunnr;     // customer number in the enterprise system
    QString name1;     // customer name, line 1 (shown as the customer's name)
    QString name2;     // customer name, line 2
    QString city1;     // city
    QString stceg;     // tax number
    QString street;
    QString telNumber;
    QString telExtens;
    QString faxNumber;
    QString faxExtens;
    QString loevm;     // deletion flag
    QString lzone;     // transport zone
    QString bzirk;     // sales district
    QString bukrs;     // company code, also the credit control area of the credit query
    QString vkorg;     // sales organisation

    static OrderCustomer fromJson(const QJsonObject &o);
    friend bool operator==(const OrderCustomer &, const OrderCustomer &) = default;
};

// The customers of a customer-list answer (member "custList"), in answer order; the texts that repeat
// across thousands of customers (city, deletion flag, zone, district, company and organisation codes)
// share one text each.
QList<OrderCustomer> readCustomerList(const QJsonObject &answer);

// One material of one sales contract of the customer. Numbers are read with the lenient rule.
struct Contract2 {
    QString vbeln;     // contract number
    QString auart;
    QString auarth;
    QString vkorg;
    QString kunnr;
    QString name1;
    QString matnr;
    QString maktx;
    double guebg = 0;  // validity start
    double gueen = 0;  // validity end
    float kbetr = 0;   // contract unit price
    QString otName;    // not read; filled from the stored order types when contracts are grouped

    static Contract2 fromJson(const QJsonObject &o);
    friend bool operator==(const Contract2 &, const Contract2 &) = default;
};

// An orderable material with its price and delivery data; also the material line of an order.
// Numbers are read with the strict rule.
struct OrderItem {
    QString kunnr;
    QString matnr;
    QString maktx;
    double zmeng = 0;      // the most that may be ordered in one contract line
    QString zterm;         // terms of payment
    QString werks;         // plant
    QString vstel;         // shipping point
    QString route;
    QString inco1;
    QString inco1Bezei;    // not read; filled from the stored delivery methods
    QString inco2;
    float kbetr = 0;       // unit price as delivered by the service
    QString bzirk;
    float price = 0;       // read from "kbetr" too; the user may raise it, kbetr keeps the service's price
    float orderNumber = 0; // not read; the quantity the user orders

    static OrderItem fromJson(const QJsonObject &o);
    friend bool operator==(const OrderItem &, const OrderItem &) = default;
};

// A material of a price list, as the item page offers it: number, description and list price. Picking
// one puts these into the order's material line; the rest of that line is the order's own. The texts
// are views into the buffer of the PriceList the material belongs to, valid while that list (or a copy
// of it) lives: whatever keeps a text beyond that takes a copy (toString()).
struct PricedMaterial {
    QStringView matnr;
    QStringView maktx;
    float kbetr = 0;   // list price, read with the lenient rule

    friend bool operator==(const PricedMaterial &, const PricedMaterial &) = default;
};

// The priced materials of a price-list answer (member "matnrPriceList"), in answer order. The texts of
// all materials share one buffer: ten thousand materials are a handful of allocations, not twenty
// thousand texts to make and to free. Copies share the buffer.
class PriceList
{
public:
    PriceList() = default;
    explicit PriceList(const QJsonObject &answer);

    const QList<PricedMaterial> &materials() const { return m_materials; }

private:
    QString m_texts;
    QList<PricedMaterial> m_materials;
};
