#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "model/MasterData.h"
#include "model/NumberText.h"
#include "model/OrderStatus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <cmath>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {
QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
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
};

ZELK_TEST(RecordsParsingTest)
#include "RecordsParsingTest.moc"
