// Records as read from answers and written into requests: the reading rules, customers, order lines as
// sent, the texts shown for numbers and amounts, and the customer context's credit text.
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "model/CustomerStruct.h"
#include "model/MasterData.h"
#include "model/NumberText.h"
#include "model/Order.h"
#include "model/OrderStatus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <ctime>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}
bool isOrderSeq(const QString &text)
{
    static const QRegularExpression form(
        u"\\A[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\z"_s);
    return form.match(text).hasMatch();
}

// A normal order: the order type sits in contract2, no contract number.
Order normalOrder()
{
    Order o;
    o.orderCustomer = OrderCustomer{.kunnr = u"0000100234"_s, .name1 = u"甲建材行"_s};
    o.contract2.auart = o.contract2.auarth = u"ZOR"_s;
    o.contract2.vkorg = u"2000"_s;
    o.inco1 = Inco1{u"FOB"_s, u"自提"_s};
    o.inco2 = Inco2{u"台中"_s, u"台中港"_s};
    o.transport = Transport{u"01"_s, u"卡車"_s};
    o.transportRemark = u"早上送達"_s;
    OrderItem &i = o.orderItem;
    i.matnr = u"M-100"_s, i.maktx = u"水泥 50kg"_s, i.werks = u"P100"_s, i.bzirk = u"N1"_s, i.zterm = u"Z030"_s;
    i.vstel = u"S100"_s, i.route = u"R01"_s, i.inco2 = u"台中"_s;
    i.kbetr = 1200, i.price = 1250, i.orderNumber = 20; // the price raised by the user
    return o;
}
} // namespace

class RecordsParsingTest : public QObject
{
    Q_OBJECT
private slots:
    // One member read by the three rules: text (JSON strings only), strict number (numbers and booleans)
    // and lenient number (also a string that is, as a whole, a decimal number).
    // Each row: a member's JSON value and what the rules read (tests/data/model/readingRules.json).
    void readingRules_data() { QVERIFY(zelktest::addFixtureRows("model/readingRules")); }
    void readingRules()
    {
        QFETCH(QJsonObject, row);
        const QJsonObject o = QJsonDocument::fromJson(("{\"v\":" + row["value"].toString() + "}").toUtf8()).object();
        QVERIFY(o.contains("v"_L1));
        QCOMPARE(readText(o, "v"_L1), row["text"].toString());
        QCOMPARE(readStrictNumber(o, "v"_L1), row["strict"].toDouble());
        QCOMPARE(readLenientNumber(o, "v"_L1), row["lenient"].toDouble());
        QCOMPARE(readLenientNumber(o, "missing"_L1), 0.0);
    }

    // Each row: a customer-list answer and the sixteen texts of each customer read from it.
    void customerRecords_data() { QVERIFY(zelktest::addFixtureRows("model/customerRecords")); }
    void customerRecords()
    {
        QFETCH(QJsonObject, row);
        const QList<OrderCustomer> customers = readCustomerList(row["answer"].toObject());
        QJsonArray drawn;
        for (const OrderCustomer &c : customers) {
            drawn.append(QJsonObject{{"custID", c.custID}, {"kunnr", c.kunnr}, {"name1", c.name1}, {"name2", c.name2},
                                     {"city1", c.city1}, {"stceg", c.stceg}, {"street", c.street},
                                     {"telNumber", c.telNumber}, {"telExtens", c.telExtens}, {"faxNumber", c.faxNumber},
                                     {"faxExtens", c.faxExtens}, {"loevm", c.loevm}, {"lzone", c.lzone},
                                     {"bzirk", c.bzirk}, {"bukrs", c.bukrs}, {"vkorg", c.vkorg}});
        }
        ZELK_COMPARE_JSON(QJsonValue(drawn), row["expected"]);
        // One customer read alone is the same record as in the list.
        const QJsonArray list = row["answer"].toObject()["custList"].toArray();
        for (qsizetype i = 0; i < customers.size(); ++i)
            QCOMPARE(OrderCustomer::fromJson(list.at(i).toObject()), customers.at(i));
    }

    void masterDataRecords()
    {
        // The texts that repeat across a customer list share one text.
        const QList<OrderCustomer> customers = readCustomerList(parse(R"({"custList":[
            {"kunnr":"0000100234","city1":"台北市","lzone":"Z1","bzirk":"N1","bukrs":"1000","vkorg":"2000","loevm":"X"},
            {"kunnr":"0000100235","city1":"台北市","lzone":"Z1","bzirk":"N1","bukrs":"1000","vkorg":"2000","loevm":"X"}]})"));
        QCOMPARE(customers.size(), 2);
        for (QString OrderCustomer::*text : {&OrderCustomer::city1, &OrderCustomer::loevm, &OrderCustomer::lzone,
                                              &OrderCustomer::bzirk, &OrderCustomer::bukrs, &OrderCustomer::vkorg})
            QCOMPARE((customers[1].*text).constData(), (customers[0].*text).constData());

        // The same string price: lenient in a contract line, strict in a contract material.
        const QJsonObject priced = parse(
            R"({"vbeln":"40001","matnr":"M1","kbetr":"850.5","guebg":"20240101","gueen":20241231,"zmeng":"7","otName":"x"})");
        const Contract2 contract = Contract2::fromJson(priced);
        QCOMPARE(contract.kbetr, 850.5f);
        QCOMPARE(contract.guebg, 20240101.0);
        QCOMPARE(contract.gueen, 20241231.0);
        QCOMPARE(contract.otName, QString()); // never read
        const OrderItem material = OrderItem::fromJson(priced);
        QCOMPARE(material.kbetr, 0.0f);
        QCOMPARE(material.zmeng, 0.0);

        const OrderItem item = OrderItem::fromJson(
            parse(R"({"matnr":"M2","kbetr":1250.5,"inco1":"FOB","inco1Bezei":"x","orderNumber":4,"zmeng":30})"));
        QCOMPARE(item.price, 1250.5f);
        QCOMPARE(item.zmeng, 30.0);
        QCOMPARE(item.inco1Bezei, QString());
        QCOMPARE(item.orderNumber, 0.0f);

        // The price list: number, name and price (lenient) only, the rest is the order line's own; each
        // material's texts its own, whatever precedes it.
        const PriceList prices(parse(R"({"matnrPriceList":[{"matnr":"M1","maktx":"水泥","kbetr":"850.5","werks":"P1"},
                                         3,{"maktx":"砂","matnr":12,"kbetr":7},{"matnr":"M3"}]})"));
        QCOMPARE(prices.materials(), (QList<PricedMaterial>{{u"M1", u"水泥", 850.5f}, {}, {u"", u"砂", 7}, {u"M3", u"", 0}}));

        // A member of the notice group as a mail recipient.
        const NoticeGroup member = NoticeGroup::fromJson(parse(R"({"userID":"U7","nachn":"王","vorna":"小明",
            "email":"wang@example.com","type":"1","mobile":912345678})"));
        QCOMPARE(member.mobile, QString()); // a number is not text
        QCOMPARE(mailUserFrom(member), (MailUser{u"U7"_s, u"王小明"_s, u"wang@example.com"_s, u"1"_s}));
        QCOMPARE(NoticeGroup::fromJson(parse(R"({"vorna":"小明"})")).userName, u"小明"_s);
    }

    void listReadersAndOrderStatus()
    {
        // Array order and duplicates kept, a non-object element becomes an empty record in place.
        const QList<Inco1> list = parseList<Inco1>(
            parse(R"({"inco1List":[{"inco1":"A","bezei":"甲"},{"inco1":"A","bezei":"甲"},5,{"inco1":"B"}]})"),
            u"inco1List"_s);
        QCOMPARE(list, (QList<Inco1>{{u"A"_s, u"甲"_s}, {u"A"_s, u"甲"_s}, {}, {u"B"_s, QString()}}));
        for (const char *doc : {R"({"inco1List":[]})", R"({"other":[{"inco1":"A"}]})",
                                R"({"inco1List":{"inco1":"A"}})", R"({"inco1List":"[]"})"})
            QVERIFY2(parseList<Inco1>(parse(doc), u"inco1List"_s).isEmpty(), doc);

        // An order status is one of the known texts exactly; none is waiting to be sent.
        QCOMPARE(sapOrderStatusFromRaw(u"S"_s), std::nullopt);
        QCOMPARE(sapOrderStatusFromRaw(u"下單成功 "_s), std::nullopt);
        QCOMPARE(sapOrderStatusFromRaw(QString()), SapOrderStatus::waitToOrder);
        for (SapOrderStatus s : {SapOrderStatus::waitToOrder, SapOrderStatus::success, SapOrderStatus::fail})
            QCOMPARE(sapOrderStatusFromRaw(rawValue(s)), s);
    }

    // Each row: the device's time zone, a record and the date text of its "audat" and "erzet".
    void orderHistory_data() { QVERIFY(zelktest::addFixtureRows("model/historyDates")); }
    void orderHistory()
    {
        QFETCH(QJsonObject, row);
        const bool had = qEnvironmentVariableIsSet("TZ");
        const QByteArray old = qgetenv("TZ");
        qputenv("TZ", row["zone"].toString().toLatin1());
        tzset();
        const OrderHistroy history = OrderHistroy::fromJson(row["record"].toObject());
        had ? qputenv("TZ", old) : qunsetenv("TZ");
        tzset();
        QCOMPARE(history.audat, row["audat"].toString());

        const OrderHistroy numbers = OrderHistroy::fromJson(parse(R"({"kwmeng":"12","cmpre":850.5,"fkimg1":true,"name3":7})"));
        QCOMPARE(numbers.kwmeng, 0.0f);
        QCOMPARE(numbers.cmpre, 850.5f);
        QCOMPARE(numbers.fkimg1, 1.0f);
        QCOMPARE(numbers.name3, QString());
    }

    // Each row: a float ("number") or an amount ("money") as text, and the text shown for it
    // (tests/data/model/texts.json). A number: the shortest text that reads back to the same float, ".0" on
    // whole numbers, plain up to 2^24. Money: the currency style of zh_Hans_CN, two decimals rounded from
    // the exact binary value, a leading minus.
    void texts_data() { QVERIFY(zelktest::addFixtureRows("model/texts")); }
    void texts()
    {
        QFETCH(QJsonObject, row);
        const QString text = row["text"].toString();
        if (row.contains("money")) {
            QCOMPARE(moneyText(row["money"].toString().toDouble()), text);
            return;
        }
        const float value = row["number"].toString().toFloat();
        QCOMPARE(numberText(value), text);
        if (std::isfinite(value))
            QCOMPARE(text.toFloat(), value);
    }
    // The text views bind to follows every credit of 0 or more; a negative (or NaN) one leaves it, until
    // a screen showing the credit comes up.
    void creditTextRules()
    {
        CustomerStruct context;
        QSignalSpy changed(&context, &CustomerStruct::creditTextChanged);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        context.setCreditValue(std::numeric_limits<float>::infinity());
        QCOMPARE(context.creditText(), u"0.0"_s);
        context.setCreditValue(5000);
        QCOMPARE(context.creditText(), u"¥5,000.00"_s);
        context.setCreditValue(0);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 3);
        context.setCreditValue(-12600);
        context.setCreditValue(std::numeric_limits<float>::quiet_NaN());
        context.setCreditValue(-12600);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 3);
        context.showCreditText();
        QCOMPARE(context.creditText(), u"-¥12,600.00"_s);
        context.setCreditValue(300);
        QCOMPARE(context.creditText(), u"¥300.00"_s);
        QCOMPARE(changed.count(), 5);

        // A reset starts over: no customer, no values, and the credit text hidden again.
        context.setCustomer(OrderCustomer{.kunnr = u"0000100234"_s, .name1 = u"甲"_s});
        context.setNowOrderValue(2500);
        QSignalSpy customerChanged(&context, &CustomerStruct::customerChanged);
        context.reset();
        QCOMPARE(context.creditValue(), 0.0f);
        QCOMPARE(context.nowOrderValue(), 0.0f);
        QCOMPARE(context.customer(), OrderCustomer());
        QCOMPARE(customerChanged.count(), 1);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        context.setCreditValue(-50);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
    }

    // One line of a normal order as sent: every key a text, the raised price, kind and remark in
    // "bstkd", and the signed-in user (not the line's own recipients) in "mailList".
    void lineAsSent()
    {
        const Order order = normalOrder();
        QList<OrderConfirm> lines = createOrderConfirmArray(order, u"王小明"_s);
        QCOMPARE(lines.size(), 1);
        OrderConfirm &line = lines.first();
        QCOMPARE(line.orderStatus, SapOrderStatus::waitToOrder);
        line.orderStatus = SapOrderStatus::fail;
        line.mailList = {MailUser{u"X"_s, u"x"_s, u"x@example.com"_s, u"1"_s}};
        ZELK_COMPARE_FIXTURE(lineObject(line, u"U100"_s, u"wang@example.com"_s), "model/lineAsSent",
                             (QJsonObject{{"orderSeq", order.orderSeq}}));
        const QJsonArray anonymous = lineObject(line, QString(), QString()).value("mailList"_L1).toArray();
        QCOMPARE(anonymous[0].toObject(), (QJsonObject{{u"userID"_s, u""_s}, {u"mail"_s, u""_s}}));
    }

    void contractAndBlankFields()
    {
        Order order;
        order.contract2.vbeln = u"40000123"_s;
        order.contract2.auarth = u"ZKC"_s;
        order.orderItem.price = 850.5f;
        order.orderItem.orderNumber = 0.1f;
        const OrderConfirm l = createOrderConfirmArray(order, QString()).first();
        // Neither kind nor remark: "bstkd" is one space.
        QCOMPARE((QStringList{l.vgbel, l.auart, l.bstkd, l.kbetr, l.kwmeng, l.orderUserName}),
                 (QStringList{u"40000123"_s, u"ZKC"_s, u" "_s, u"850.5"_s, u"0.1"_s, QString()}));
        order.transportRemark = u"急件"_s;
        QCOMPARE(createOrderConfirmArray(order, QString()).first().bstkd, u" 急件"_s);
    }

    // The copies of an order share its root; an unchanged order expands to the same identities every time,
    // the rep's change renews them.
    void copiesShareRootAndKeepTheirIdentities()
    {
        QVERIFY(Order().orderSeq != Order().orderSeq);
        Order order = normalOrder();
        order.orderPage = 3;
        const QList<OrderConfirm> lines = createOrderConfirmArray(order, u"王小明"_s);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].orderSeq, order.orderSeq);
        QStringList first;
        for (OrderConfirm l : lines) { // apart from its identity every copy equals the first line
            QCOMPARE(l.rootSeq, order.orderSeq);
            QVERIFY(isOrderSeq(l.orderSeq) && !first.contains(l.orderSeq));
            first << std::exchange(l.orderSeq, lines[0].orderSeq);
            QCOMPARE(l, lines[0]);
        }
        const auto seqs = [](const Order &o) {
            QStringList list;
            for (const OrderConfirm &l : createOrderConfirmArray(o, QString()))
                list << l.orderSeq;
            return list;
        };
        QCOMPARE(seqs(order), first);
        QCOMPARE(seqs(Order(order)), first);
        QCOMPARE(seqs(orderEditedFrom(order, order)), first);

        // Kept identities are used as they stand; copies beyond them are derived as before.
        order.copySeqs = {newOrderSeq()};
        QCOMPARE(seqs(order), (QStringList{first[0], order.copySeqs[0], first[2]}));

        Order changed = order;
        changed.orderItem.orderNumber += 1;
        const Order renewed = orderEditedFrom(changed, order);
        QVERIFY(isOrderSeq(renewed.orderSeq));
        QVERIFY(renewed.copySeqs.isEmpty());
        for (const QString &seq : seqs(renewed))
            QVERIFY(isOrderSeq(seq) && !first.contains(seq) && seq != order.copySeqs[0]);
        // An order page below 1 never yields fewer than the base line.
        changed.orderPage = 0;
        QCOMPARE(createOrderConfirmArray(changed, QString()).size(), 1);
    }
};

ZELK_TEST(RecordsParsingTest)
#include "RecordsParsingTest.moc"
