#include "TestRegistry.h"
#include "model/MasterData.h"
#include "model/OrderStatus.h"
#include "model/UserPushHistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {
QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

// Sets the process time zone for the scope of one check and restores it afterwards.
class ZoneScope
{
public:
    explicit ZoneScope(const char *zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};
} // namespace

class RecordsParsingTest : public QObject
{
    Q_OBJECT
private slots:
    void readingRules()
    {
        const QJsonObject o = parse(R"({"s":"abc","n":12345,"digits":"850.5","t":true,"f":false,
            "null":null,"arr":[1],"obj":{},"padded":" 850.5 ","junk":"12abc","exp":"1e3","neg":"-3",
            "dot":".5","comma":"1,000","hex":"0x10","nan":"nan","inf":"inf","empty":"","huge":"1e400",
            "point":"5.","lone":"."})");
        // Text: only JSON strings.
        QCOMPARE(readText(o, u"s"_s), u"abc"_s);
        QCOMPARE(readText(o, "n"_L1), QString());
        QCOMPARE(readText(o, "t"_L1), QString());
        QCOMPARE(readText(o, "missing"_L1), QString());

        // Strict number: numbers and booleans only.
        QCOMPARE(readStrictNumber(o, "n"_L1), 12345.0);
        QCOMPARE(readStrictNumber(o, "t"_L1), 1.0);
        QCOMPARE(readStrictNumber(o, "f"_L1), 0.0);
        QCOMPARE(readStrictNumber(o, "digits"_L1), 0.0);
        QCOMPARE(readStrictNumber(o, "missing"_L1), 0.0);
        QCOMPARE(readStrictNumber(o, "arr"_L1), 0.0);

        // Lenient number: also a string that is, as a whole, a decimal number.
        QCOMPARE(readLenientNumber(o, "n"_L1), 12345.0);
        QCOMPARE(readLenientNumber(o, "t"_L1), 1.0);
        QCOMPARE(readLenientNumber(o, "f"_L1), 0.0);
        QCOMPARE(readLenientNumber(o, "digits"_L1), 850.5);
        QCOMPARE(readLenientNumber(o, "padded"_L1), 850.5);
        QCOMPARE(readLenientNumber(o, "exp"_L1), 1000.0);
        QCOMPARE(readLenientNumber(o, "neg"_L1), -3.0);
        QCOMPARE(readLenientNumber(o, "dot"_L1), 0.5);
        QCOMPARE(readLenientNumber(o, "point"_L1), 5.0);
        for (const char *key : {"junk", "comma", "hex", "nan", "inf", "empty", "huge", "lone", "null", "obj",
                                "arr", "missing"})
            QVERIFY2(readLenientNumber(o, QLatin1StringView(key)) == 0.0, key);
    }

    void masterDataRecords()
    {
        // kunnr as a JSON number is not turned into text.
        const OrderCustomer customer = OrderCustomer::fromJson(
            parse(R"({"custID":"C1","kunnr":12345,"name1":"甲公司","bukrs":"1000","vkorg":"2000"})"));
        QCOMPARE(customer.kunnr, QString());
        QCOMPARE(customer.custID, u"C1"_s);
        QCOMPARE(customer.name1, u"甲公司"_s);
        QCOMPARE(customer.name2, QString());

        // The same string price: lenient in a contract line, strict in a contract material.
        const QJsonObject priced = parse(
            R"({"vbeln":"40001","auarth":"ZK","matnr":"M1","kbetr":"850.5","guebg":"20240101","gueen":20241231,"zmeng":"7","otName":"x"})");
        const Contract2 contract = Contract2::fromJson(priced);
        QCOMPARE(contract.kbetr, 850.5f);
        QCOMPARE(contract.guebg, 20240101.0);
        QCOMPARE(contract.gueen, 20241231.0);
        QCOMPARE(contract.vbeln, u"40001"_s);
        QCOMPARE(contract.otName, QString()); // never read
        const OrderItem material = OrderItem::fromJson(priced);
        QCOMPARE(material.kbetr, 0.0f);
        QCOMPARE(material.price, 0.0f);
        QCOMPARE(material.zmeng, 0.0); // zmeng given as a string

        // A numeric price fills both kbetr and price; zmeng missing → 0; unread fields stay empty.
        const OrderItem item = OrderItem::fromJson(parse(
            R"({"matnr":"M2","maktx":"水泥","kbetr":1250.5,"inco1":"FOB","inco1Bezei":"x","orderNumber":4,"werks":"P1"})"));
        QCOMPARE(item.kbetr, 1250.5f);
        QCOMPARE(item.price, 1250.5f);
        QCOMPARE(item.zmeng, 0.0);
        QCOMPARE(item.inco1, u"FOB"_s);
        QCOMPARE(item.inco1Bezei, QString());
        QCOMPARE(item.orderNumber, 0.0f);
        QCOMPARE(item.werks, u"P1"_s);
        QCOMPARE(OrderItem::fromJson(parse(R"({"zmeng":30})")).zmeng, 30.0);

        QCOMPARE(OrderType::fromJson(parse(R"({"otCode":"ZOR","otName":"一般","orderType":"N","bukrs":"1"})")),
                 (OrderType{u"ZOR"_s, u"一般"_s, u"N"_s, u"1"_s}));
        QCOMPARE(Tvstz::fromJson(parse(R"({"vkorg":"2000","tvstzId":"S1","tvstzName":1})")),
                 (Tvstz{u"2000"_s, u"S1"_s, QString()}));
        QCOMPARE(OrderItem::fromJson({}), OrderItem());
    }

    void listReaders()
    {
        // Array order kept, duplicates kept, a non-object element becomes an empty record in place.
        const QJsonObject doc = parse(
            R"({"inco1List":[{"inco1":"A","bezei":"甲"},{"inco1":"A","bezei":"甲"},5,{"inco1":"B"}]})");
        const QList<Inco1> list = parseList<Inco1>(doc, u"inco1List"_s);
        QCOMPARE(list.size(), 4);
        QCOMPARE(list[0], (Inco1{u"A"_s, u"甲"_s}));
        QCOMPARE(list[1], list[0]);
        QCOMPARE(list[2], Inco1());
        QCOMPARE(list[3], (Inco1{u"B"_s, QString()}));

        QVERIFY(parseList<Inco1>(parse(R"({"inco1List":[]})"), u"inco1List"_s).isEmpty());
        QVERIFY(parseList<Inco1>(parse(R"({"other":[{"inco1":"A"}]})"), u"inco1List"_s).isEmpty());
        QVERIFY(parseList<Inco1>(parse(R"({"inco1List":{"inco1":"A"}})"), u"inco1List"_s).isEmpty());
        QVERIFY(parseList<Inco1>(parse(R"({"inco1List":"[]"})"), u"inco1List"_s).isEmpty());

        const QList<Tvstz> points = parseList<Tvstz>(parse(R"({"list":[{"tvstzId":"S1"},{"tvstzId":"S2"}]})"),
                                                      u"list"_s);
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[1].tvstzId, u"S2"_s);
    }

    void orderStatusTexts()
    {
        QCOMPARE(sapOrderStatusFromRaw(u"下單成功"_s), SapOrderStatus::success);
        QCOMPARE(sapOrderStatusFromRaw(u"下單失敗"_s), SapOrderStatus::fail);
        QCOMPARE(sapOrderStatusFromRaw(QString()), SapOrderStatus::waitToOrder);
        QCOMPARE(sapOrderStatusFromRaw(u"S"_s), std::nullopt);
        QCOMPARE(sapOrderStatusFromRaw(u"下單成功 "_s), std::nullopt);
        for (SapOrderStatus s : {SapOrderStatus::waitToOrder, SapOrderStatus::success, SapOrderStatus::fail})
            QCOMPARE(sapOrderStatusFromRaw(rawValue(s)), s);
    }

    void noticeGroup()
    {
        const NoticeGroup member = NoticeGroup::fromJson(parse(
            R"({"userID":"U7","pernr":"0042","nachn":"王","vorna":"小明","email":"wang@example.com","type":"1","mobile":912345678})"));
        QCOMPARE(member.userId, u"U7"_s);
        QCOMPARE(member.userName, u"王小明"_s);
        QCOMPARE(member.mobile, QString()); // a number is not text
        QCOMPARE(mailUserFrom(member), (MailUser{u"U7"_s, u"王小明"_s, u"wang@example.com"_s, u"1"_s}));

        QCOMPARE(NoticeGroup::fromJson(parse(R"({"nachn":"王"})")).userName, u"王"_s);
        QCOMPARE(NoticeGroup::fromJson(parse(R"({"vorna":"小明"})")).userName, u"小明"_s);

        const QList<NoticeGroup> group = parseList<NoticeGroup>(
            parse(R"({"list":[{"userID":"B","type":"0"},{"userID":"A","type":"1"}]})"), u"list"_s);
        QCOMPARE(group.size(), 2);
        QCOMPARE(group[0].userId, u"B"_s); // not sorted
    }

    void orderHistoryNumbers()
    {
        const OrderHistroy row = OrderHistroy::fromJson(parse(
            R"({"vbeln":"0010001","kwmeng":"12","cmpre":850.5,"fkimg":12,"fkimg1":true,"name3":7})"));
        QCOMPARE(row.vbeln, u"0010001"_s);
        QCOMPARE(row.kwmeng, 0.0f);
        QCOMPARE(row.cmpre, 850.5f);
        QCOMPARE(row.fkimg, 12.0f);
        QCOMPARE(row.fkimg1, 1.0f);
        QCOMPARE(row.name3, QString());
        QCOMPARE(OrderHistroy::fromJson(parse(R"({"kwmeng":12})")).kwmeng, 12.0f);
    }

    void orderHistoryDate()
    {
        {
            ZoneScope utc("UTC");
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":0,"erzet":0})")).audat, u"1970/01/01 08:00"_s);
            // 2024-03-05 00:00 UTC plus 10:30 plus the eight hours.
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":1709596800000,"erzet":37800000})")).audat,
                     u"2024/03/05 18:30"_s);
            // Seconds are cut, not rounded, to the minute.
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":0,"erzet":59999})")).audat, u"1970/01/01 08:00"_s);
            // Either member missing or not a number: no date.
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":0})")).audat, QString());
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"erzet":0})")).audat, QString());
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":"0","erzet":0})")).audat, QString());
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":0,"erzet":null})")).audat, QString());
            // Far outside any representable date: no date rather than garbage.
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":1e300,"erzet":0})")).audat, QString());
        }
        {
            // The same instant in a zone eight hours east of UTC.
            ZoneScope east("CST-8");
            QCOMPARE(OrderHistroy::fromJson(parse(R"({"audat":0,"erzet":0})")).audat, u"1970/01/01 16:00"_s);
        }
    }

    void pushHistory()
    {
        const QJsonObject doc = parse(R"({"pushList":[
            {"newsId":"1234","content":"c","endDate":"e","startDate":"2024/03/05 10:00","title":"出貨通知",
             "sourceId":"s","uploadImage":"u","type":"1"},
            {"newsId":1235,"title":null}]})");
        const QList<UserPushHistory> page = parseList<UserPushHistory>(doc, u"pushList"_s);
        QCOMPARE(page.size(), 2);
        QCOMPARE(page[0], (UserPushHistory{u"1234"_s, u"c"_s, u"e"_s, u"2024/03/05 10:00"_s, u"出貨通知"_s,
                                           u"s"_s, u"u"_s, u"1"_s}));
        QCOMPARE(page[1], UserPushHistory());
    }
};

ZELK_TEST(RecordsParsingTest)
#include "RecordsParsingTest.moc"
