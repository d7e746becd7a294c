#include "model/MasterData.h"

#include <QCborArray>
#include <QCborMap>
#include <QSet>

using namespace Qt::StringLiterals;

Inco1 Inco1::fromJson(const QJsonObject &o)
{
    Inco1 r;
    r.inco1 = readText(o, "inco1"_L1);
    r.bezei = readText(o, "bezei"_L1);
    return r;
}

Transport Transport::fromJson(const QJsonObject &o)
{
    Transport r;
    r.transID = readText(o, "transID"_L1);
    r.transName = readText(o, "transName"_L1);
    return r;
}

OrderType OrderType::fromJson(const QJsonObject &o)
{
    OrderType r;
    r.otCode = readText(o, "otCode"_L1);
    r.otName = readText(o, "otName"_L1);
    r.orderType = readText(o, "orderType"_L1);
    r.bukrs = readText(o, "bukrs"_L1);
    return r;
}

Tvstz Tvstz::fromJson(const QJsonObject &o)
{
    Tvstz r;
    r.vkorg = readText(o, "vkorg"_L1);
    r.tvstzId = readText(o, "tvstzId"_L1);
    r.tvstzName = readText(o, "tvstzName"_L1);
    return r;
}

OrderCustomer OrderCustomer::fromJson(const QJsonObject &o)
{
    OrderCustomer r;
    r.custID = readText(o, "custID"_L1);
    r.kunnr = readText(o, "kunnr"_L1);
    r.name1 = readText(o, "name1"_L1);
    r.name2 = readText(o, "name2"_L1);
    r.city1 = readText(o, "city1"_L1);
    r.stceg = readText(o, "stceg"_L1);
    r.street = readText(o, "street"_L1);
    r.telNumber = readText(o, "telNumber"_L1);
    r.telExtens = readText(o, "telExtens"_L1);
    r.faxNumber = readText(o, "faxNumber"_L1);
    r.faxExtens = readText(o, "faxExtens"_L1);
    r.loevm = readText(o, "loevm"_L1);
    r.lzone = readText(o, "lzone"_L1);
    r.bzirk = readText(o, "bzirk"_L1);
    r.bukrs = readText(o, "bukrs"_L1);
    r.vkorg = readText(o, "vkorg"_L1);
    return r;
}

QList<OrderCustomer> readCustomerList(const QJsonObject &answer)
{
    QList<OrderCustomer> customers = parseList<OrderCustomer>(answer, QStringLiteral("custList"));
    QSet<QString> codes;
    const auto shared = [&codes](QString &text) { text = *codes.insert(text); };
    for (OrderCustomer &c : customers) {
        for (QString *text : {&c.city1, &c.loevm, &c.lzone, &c.bzirk, &c.bukrs, &c.vkorg})
            shared(*text);
    }
    return customers;
}

Contract2 Contract2::fromJson(const QJsonObject &o)
{
    Contract2 r;
    r.vbeln = readText(o, "vbeln"_L1);
    r.auart = readText(o, "auart"_L1);
    r.auarth = readText(o, "auarth"_L1);
    r.vkorg = readText(o, "vkorg"_L1);
    r.kunnr = readText(o, "kunnr"_L1);
    r.name1 = readText(o, "name1"_L1);
    r.matnr = readText(o, "matnr"_L1);
    r.maktx = readText(o, "maktx"_L1);
    r.guebg = readLenientNumber(o, "guebg"_L1);
    r.gueen = readLenientNumber(o, "gueen"_L1);
    r.kbetr = float(readLenientNumber(o, "kbetr"_L1));
    return r;
}

OrderItem OrderItem::fromJson(const QJsonObject &o)
{
    OrderItem r;
    r.kunnr = readText(o, "kunnr"_L1);
    r.matnr = readText(o, "matnr"_L1);
    r.maktx = readText(o, "maktx"_L1);
    r.zmeng = readStrictNumber(o, "zmeng"_L1);
    r.zterm = readText(o, "zterm"_L1);
    r.werks = readText(o, "werks"_L1);
    r.vstel = readText(o, "vstel"_L1);
    r.route = readText(o, "route"_L1);
    r.inco1 = readText(o, "inco1"_L1);
    r.inco2 = readText(o, "inco2"_L1);
    r.kbetr = float(readStrictNumber(o, "kbetr"_L1));
    r.bzirk = readText(o, "bzirk"_L1);
    r.price = r.kbetr;
    return r;
}

PriceList::PriceList(const QJsonObject &answer)
{
    // Read through the list's CBOR view, which shares the parsed data: a member look-up there costs
    // about half of what QJsonObject's does. A member is text by the text rule (a string, else empty).
    const QCborArray list = QCborArray::fromJsonArray(answer.value("matnrPriceList"_L1).toArray());
    QList<qsizetype> ends;
    ends.reserve(2 * list.size());
    QList<float> prices;
    prices.reserve(list.size());
    for (const QCborValue &element : list) {
        const QCborMap o = element.toMap();
        for (const QLatin1StringView key : {"matnr"_L1, "maktx"_L1}) {
            if (const QCborValue text = o.value(key); text.isString())
                m_texts += text.toString();
            ends.append(m_texts.size());
        }
        prices.append(float(lenientNumber(o.value("kbetr"_L1).toJsonValue())));
    }
    // The buffer is complete: the views into it are made now, when it moves no more.
    m_materials.reserve(prices.size());
    const QStringView texts = m_texts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < prices.size(); ++i) {
        const qsizetype numberEnd = ends.at(2 * i), nameEnd = ends.at(2 * i + 1);
        m_materials.append({texts.sliced(start, numberEnd - start), texts.sliced(numberEnd, nameEnd - numberEnd), prices.at(i)});
        start = nameEnd;
    }
}
