#include "model/OrderDraftDocument.h"

#include "model/DocumentStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The text members of each record, one table for writing and reading alike.
template <class R> using TextFields = std::initializer_list<std::pair<const char *, QString R::*>>;

const TextFields<OrderCustomer> kCustomerTexts{{"kunnr", &OrderCustomer::kunnr}, {"name1", &OrderCustomer::name1},
                                               {"bzirk", &OrderCustomer::bzirk}, {"bukrs", &OrderCustomer::bukrs},
                                               {"vkorg", &OrderCustomer::vkorg}};
const TextFields<Contract2> kContractTexts{
    {"vbeln", &Contract2::vbeln}, {"auart", &Contract2::auart}, {"auarth", &Contract2::auarth},
    {"vkorg", &Contract2::vkorg}, {"kunnr", &Contract2::kunnr}, {"name1", &Contract2::name1},
    {"matnr", &Contract2::matnr}, {"maktx", &Contract2::maktx}, {"otName", &Contract2::otName}};
const TextFields<OrderItem> kItemTexts{
    {"kunnr", &OrderItem::kunnr}, {"matnr", &OrderItem::matnr}, {"maktx", &OrderItem::maktx},
    {"zterm", &OrderItem::zterm}, {"werks", &OrderItem::werks}, {"vstel", &OrderItem::vstel},
    {"route", &OrderItem::route}, {"inco1", &OrderItem::inco1}, {"inco1Bezei", &OrderItem::inco1Bezei},
    {"inco2", &OrderItem::inco2}, {"bzirk", &OrderItem::bzirk}};
const TextFields<Inco1> kInco1Texts{{"inco1", &Inco1::inco1}, {"bezei", &Inco1::bezei}};
const TextFields<Inco2> kInco2Texts{{"inco2", &Inco2::inco2}, {"bezei", &Inco2::bezei}};
const TextFields<Transport> kTransportTexts{{"transID", &Transport::transID}, {"transName", &Transport::transName}};

const std::initializer_list<std::pair<const char *, LineFate>> kFates{
    {"ordered", LineFate::ordered}, {"refused", LineFate::refused}, {"unknown", LineFate::unknown}};

template <class R> QJsonObject textsOf(const R &record, TextFields<R> fields)
{
    QJsonObject o;
    for (const auto &[key, member] : fields)
        o.insert(QLatin1String(key), record.*member);
    return o;
}

QJsonObject orderObject(const Order &order)
{
    QJsonObject contract = textsOf(order.contract2, kContractTexts);
    contract.insert("guebg"_L1, order.contract2.guebg);
    contract.insert("gueen"_L1, order.contract2.gueen);
    contract.insert("kbetr"_L1, double(order.contract2.kbetr));
    QJsonObject item = textsOf(order.orderItem, kItemTexts);
    item.insert("zmeng"_L1, order.orderItem.zmeng);
    item.insert("kbetr"_L1, double(order.orderItem.kbetr));
    item.insert("price"_L1, double(order.orderItem.price));
    item.insert("orderNumber"_L1, double(order.orderItem.orderNumber));
    return QJsonObject{{"orderCustomer"_L1, textsOf(order.orderCustomer, kCustomerTexts)},
                       {"contract2"_L1, contract},
                       {"inco1"_L1, textsOf(order.inco1, kInco1Texts)},
                       {"inco2"_L1, textsOf(order.inco2, kInco2Texts)},
                       {"transport"_L1, textsOf(order.transport, kTransportTexts)},
                       {"transportRemark"_L1, order.transportRemark},
                       {"orderItem"_L1, item},
                       {"orderSeq"_L1, order.orderSeq},
                       {"copySeqs"_L1, QJsonArray::fromStringList(order.copySeqs)},
                       {"orderPage"_L1, order.orderPage},
                       {"notice"_L1, order.notice}};
}

// Reading: every member must be there with its type; the first fault found is the document's.
class Reader
{
public:
    QString fault;

    QJsonObject object(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isObject())
            fail(key);
        return v.toObject();
    }
    QString text(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString())
            fail(key);
        return v.toString();
    }
    double number(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            fail(key);
        return v.toDouble();
    }
    float floatNumber(const QJsonObject &o, const char *key)
    {
        const double value = number(o, key);
        if (std::fabs(value) > double(FLT_MAX))
            fail(key);
        return fault.isEmpty() ? float(value) : 0.0f;
    }
    template <class R> R texts(const QJsonObject &o, const char *key, TextFields<R> fields)
    {
        const QJsonObject source = object(o, key);
        R record;
        for (const auto &[name, member] : fields)
            record.*member = text(source, name);
        return record;
    }
    Order order(const QJsonObject &o)
    {
        Order order;
        order.orderCustomer = texts(o, "orderCustomer", kCustomerTexts);
        order.contract2 = texts(o, "contract2", kContractTexts);
        const QJsonObject contract = object(o, "contract2");
        order.contract2.guebg = number(contract, "guebg");
        order.contract2.gueen = number(contract, "gueen");
        order.contract2.kbetr = floatNumber(contract, "kbetr");
        order.inco1 = texts(o, "inco1", kInco1Texts);
        order.inco2 = texts(o, "inco2", kInco2Texts);
        order.transport = texts(o, "transport", kTransportTexts);
        order.transportRemark = text(o, "transportRemark");
        order.orderItem = texts(o, "orderItem", kItemTexts);
        const QJsonObject item = object(o, "orderItem");
        order.orderItem.zmeng = number(item, "zmeng");
        order.orderItem.kbetr = floatNumber(item, "kbetr");
        order.orderItem.price = floatNumber(item, "price");
        order.orderItem.orderNumber = floatNumber(item, "orderNumber");
        order.orderSeq = text(o, "orderSeq");
        const QJsonValue copies = o.value("copySeqs"_L1);
        if (!copies.isArray())
            fail("copySeqs");
        order.copySeqs.clear();
        for (const QJsonValue &seq : copies.toArray()) {
            if (!seq.isString() || seq.toString().isEmpty())
                fail("copySeqs");
            order.copySeqs << seq.toString();
        }
        const double pages = number(o, "orderPage");
        if (pages < 1 || pages > 30 || pages != std::floor(pages) || order.copySeqs.size() > 29)
            fail("orderPage");
        order.orderPage = fault.isEmpty() ? int(pages) : 1;
        if (order.orderSeq.isEmpty())
            fail("orderSeq");
        const QJsonValue notice = o.value("notice"_L1);
        if (!notice.isBool())
            fail("notice");
        order.notice = notice.toBool();
        return order;
    }

private:
    void fail(const char *key)
    {
        if (fault.isEmpty())
            fault = QStringLiteral("\"%1\" missing or unreadable").arg(QLatin1String(key));
    }
};

const char *kindName(OrderDraftContent::Kind kind)
{
    switch (kind) {
    case OrderDraftContent::Kind::normal:
        return "normal";
    case OrderDraftContent::Kind::contract:
        return "contract";
    case OrderDraftContent::Kind::none:
        break;
    }
    return "none";
}

} // namespace

namespace OrderDraftDocument {

QJsonObject contentObject(const OrderDraftContent &content)
{
    QJsonArray lines;
    for (const Order &line : content.lines)
        lines.append(orderObject(line));
    QJsonObject fates;
    QJsonObject results;
    for (auto it = content.results.cbegin(); it != content.results.cend(); ++it) {
        for (const auto &[name, fate] : kFates) {
            if (fate == it.value().fate)
                fates.insert(it.key(), QLatin1String(name));
        }
        if (!it.value().sapOrderNo.isEmpty() || !it.value().sapOrderError.isEmpty())
            results.insert(it.key(), QJsonObject{{"sapOrderNo"_L1, it.value().sapOrderNo},
                                                 {"sapOrderError"_L1, it.value().sapOrderError}});
    }
    QJsonObject root{{"kind"_L1, QLatin1String(kindName(content.kind))},
                     {"order"_L1, orderObject(content.order)},
                     {"lines"_L1, lines},
                     {"fates"_L1, fates}};
    if (!results.isEmpty())
        root.insert("results"_L1, results);
    if (content.failedSubmissionAt)
        root.insert("failedSubmissionAt"_L1, *content.failedSubmissionAt);
    return root;
}

QByteArray write(const OrderDraftContent &content, const QString &account)
{
    QJsonObject root = contentObject(content);
    root.insert("version"_L1, OrderDraftContent::kVersion);
    root.insert("account"_L1, account);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<OrderDraftContent> read(const QByteArray &bytes, const QString &account, QString *why)
{
    const std::optional<QJsonObject> stored =
        DocumentStore::accountRoot(bytes, account, OrderDraftContent::kVersion, QStringLiteral("draft"), why);
    if (!stored)
        return std::nullopt;
    return readContent(*stored, why);
}

std::optional<OrderDraftContent> readContent(const QJsonObject &root, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    Reader reader;
    OrderDraftContent content;
    const QString kind = reader.text(root, "kind");
    if (kind == QLatin1String("normal"))
        content.kind = OrderDraftContent::Kind::normal;
    else if (kind == QLatin1String("contract"))
        content.kind = OrderDraftContent::Kind::contract;
    else if (kind != QLatin1String("none"))
        return refuse(QStringLiteral("unknown kind"));
    content.order = reader.order(reader.object(root, "order"));
    const QJsonValue lines = root.value("lines"_L1);
    if (!lines.isArray())
        return refuse(QStringLiteral("\"lines\" missing"));
    for (const QJsonValue &line : lines.toArray()) {
        if (!line.isObject())
            return refuse(QStringLiteral("a line is not an object"));
        content.lines.append(reader.order(line.toObject()));
    }
    const QJsonObject fates = reader.object(root, "fates");
    for (auto it = fates.constBegin(); it != fates.constEnd(); ++it) {
        bool known = false;
        for (const auto &[name, fate] : kFates) {
            if (it.value() == QJsonValue(QLatin1String(name))) {
                content.results.insert(it.key(), LineResult{fate, {}, {}});
                known = true;
            }
        }
        if (!known)
            return refuse(QStringLiteral("unknown fate"));
    }
    // What the server said is kept only for lines whose fate is known.
    const QJsonObject results = root.contains("results"_L1) ? reader.object(root, "results") : QJsonObject();
    for (auto it = results.constBegin(); it != results.constEnd(); ++it) {
        const auto result = content.results.find(it.key());
        if (result == content.results.end())
            return refuse(QStringLiteral("a result without a fate"));
        const QJsonObject said = it.value().toObject();
        result->sapOrderNo = reader.text(said, "sapOrderNo");
        result->sapOrderError = reader.text(said, "sapOrderError");
    }
    if (root.contains("failedSubmissionAt"_L1))
        content.failedSubmissionAt = reader.number(root, "failedSubmissionAt");
    if (!reader.fault.isEmpty())
        return refuse(reader.fault);
    return content;
}

QJsonObject customerObject(const OrderCustomer &customer) { return textsOf(customer, kCustomerTexts); }

std::optional<OrderCustomer> readCustomer(const QJsonValue &value)
{
    Reader reader;
    const OrderCustomer customer = reader.texts(QJsonObject{{"customer"_L1, value}}, "customer", kCustomerTexts);
    if (!reader.fault.isEmpty())
        return std::nullopt;
    return customer;
}

} // namespace OrderDraftDocument
