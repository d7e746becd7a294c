#include "TestRegistry.h"
#include "model/Order.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
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
    o.orderCustomer.kunnr = u"0000100234"_s;
    o.orderCustomer.name1 = u"甲建材行"_s;
    o.contract2.auart = u"ZOR"_s;
    o.contract2.auarth = u"ZOR"_s;
    o.contract2.vkorg = u"2000"_s;
    o.inco1 = Inco1{u"FOB"_s, u"自提"_s};
    o.inco2 = Inco2{u"台中"_s, u"台中港"_s};
    o.transport = Transport{u"01"_s, u"卡車"_s};
    o.transportRemark = u"早上送達"_s;
    o.orderItem.matnr = u"M-100"_s;
    o.orderItem.maktx = u"水泥 50kg"_s;
    o.orderItem.kbetr = 1200;
    o.orderItem.price = 1250; // raised by the user
    o.orderItem.orderNumber = 20;
    o.orderItem.werks = u"P100"_s;
    o.orderItem.bzirk = u"N1"_s;
    o.orderItem.zterm = u"Z030"_s;
    o.orderItem.vstel = u"S100"_s;
    o.orderItem.route = u"R01"_s;
    o.orderItem.inco2 = u"台中"_s;
    return o;
}
} // namespace

class RecordsOrderTest : public QObject
{
    Q_OBJECT
private slots:
    void newOrders()
    {
        const Order a;
        const Order b;
        QVERIFY(isOrderSeq(a.orderSeq));
        QVERIFY(isOrderSeq(b.orderSeq));
        QVERIFY(a.orderSeq != b.orderSeq);
        QCOMPARE(a.orderPage, 1);
        QVERIFY(!a.notice);
        QCOMPARE(a.orderItem, OrderItem());
        QCOMPARE(a.orderCustomer, OrderCustomer());
        const Order copy = a;
        QCOMPARE(copy.orderSeq, a.orderSeq);
        QVERIFY(isOrderSeq(newOrderSeq()));
    }

    void singleLine()
    {
        const Order order = normalOrder();
        const QList<OrderConfirm> lines = createOrderConfirmArray(order, u"王小明"_s);
        QCOMPARE(lines.size(), 1);
        const OrderConfirm &l = lines.first();
        QCOMPARE(l.auart, u"ZOR"_s);
        QCOMPARE(l.vgbel, QString()); // normal order: no contract number
        QCOMPARE(l.vkorg, u"2000"_s);
        QCOMPARE(l.vtweg, u"10"_s);
        QCOMPARE(l.spart, u"01"_s);
        QCOMPARE(l.kunwe, u"0000100234"_s);
        QCOMPARE(l.kunag, u"0000100234"_s);
        QCOMPARE(l.bstkd, u"卡車 早上送達"_s);
        QCOMPARE(l.posnr, u"01"_s);
        QCOMPARE(l.matnr, u"M-100"_s);
        QCOMPARE(l.kwmeng, u"20.0"_s);
        QCOMPARE(l.kbetr, u"1250.0"_s); // the raised price, not the service's 1200
        QCOMPARE(l.plant, u"P100"_s);
        QCOMPARE(l.bzirk, u"N1"_s);
        QCOMPARE(l.inco1, u"FOB"_s);
        QCOMPARE(l.inco1bezei, u"自提"_s);
        QCOMPARE(l.inco2, u"台中"_s);
        QCOMPARE(l.zterm, u"Z030"_s);
        QCOMPARE(l.vstel, u"S100"_s);
        QCOMPARE(l.route, u"R01"_s);
        QCOMPARE(l.rootSeq, order.orderSeq);
        QCOMPARE(l.orderSeq, order.orderSeq);
        QCOMPARE(l.matnrName, u"水泥 50kg"_s);
        QCOMPARE(l.kunweName, u"甲建材行"_s);
        QCOMPARE(l.orderUserName, u"王小明"_s);
        QCOMPARE(l.orderStatus, SapOrderStatus::waitToOrder);
        QVERIFY(l.sapOrderNo.isEmpty() && l.sapOrderError.isEmpty() && l.mailList.isEmpty());
    }

    void contractAndBlankFields()
    {
        Order order;
        order.contract2.vbeln = u"40000123"_s;
        order.contract2.auarth = u"ZKC"_s;
        order.orderItem.price = 850.5f;
        order.orderItem.orderNumber = 0.1f;
        const OrderConfirm l = createOrderConfirmArray(order, QString()).first();
        QCOMPARE(l.vgbel, u"40000123"_s);
        QCOMPARE(l.auart, u"ZKC"_s);
        QCOMPARE(l.bstkd, u" "_s); // neither kind nor remark: one space
        QCOMPARE(l.kbetr, u"850.5"_s);
        QCOMPARE(l.kwmeng, u"0.1"_s);
        QCOMPARE(l.orderUserName, QString());

        order.transportRemark = u"急件"_s;
        QCOMPARE(createOrderConfirmArray(order, QString()).first().bstkd, u" 急件"_s);
    }

    void copiesShareRoot()
    {
        Order order = normalOrder();
        order.orderPage = 3;
        const QList<OrderConfirm> lines = createOrderConfirmArray(order, u"王小明"_s);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].orderSeq, order.orderSeq);
        QSet<QString> seqs;
        for (const OrderConfirm &l : lines) {
            QCOMPARE(l.rootSeq, order.orderSeq);
            QCOMPARE(l.posnr, u"01"_s);
            QVERIFY(isOrderSeq(l.orderSeq));
            seqs.insert(l.orderSeq);
            // Apart from its identity every copy equals the first line.
            OrderConfirm same = l;
            same.orderSeq = lines[0].orderSeq;
            QCOMPARE(same, lines[0]);
        }
        QCOMPARE(seqs.size(), 3);

        order.orderPage = 30;
        QCOMPARE(createOrderConfirmArray(order, QString()).size(), 30);
        // An order page below 1 never yields fewer than the base line.
        order.orderPage = 0;
        QCOMPARE(createOrderConfirmArray(order, QString()).size(), 1);
    }

    // An unchanged order expands to the same identities every time; the rep's change renews them.
    void identitiesStayUntilTheOrderChanges()
    {
        Order order = normalOrder();
        order.orderPage = 3;
        const auto seqs = [](const Order &o) {
            QStringList list;
            for (const OrderConfirm &l : createOrderConfirmArray(o, QString()))
                list << l.orderSeq;
            return list;
        };
        const QStringList first = seqs(order);
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
    }

    void lineObjectKeys()
    {
        OrderConfirm line = createOrderConfirmArray(normalOrder(), u"王小明"_s).first();
        line.orderStatus = SapOrderStatus::fail;
        line.sapOrderNo = u"1"_s;
        line.sapOrderError = u"e"_s;
        line.mailList = {MailUser{u"X"_s, u"x"_s, u"x@example.com"_s, u"1"_s}};
        const QJsonObject o = lineObject(line, u"U100"_s, u"wang@example.com"_s);

        QStringList expected{u"auart"_s, u"vgbel"_s, u"vkorg"_s, u"vtweg"_s, u"spart"_s, u"kunwe"_s,
                             u"kunag"_s, u"bstkd"_s, u"posnr"_s, u"matnr"_s, u"kwmeng"_s, u"kbetr"_s,
                             u"plant"_s, u"bzirk"_s, u"inco1"_s, u"inco2"_s, u"zterm"_s, u"vstel"_s,
                             u"route"_s, u"rootSeq"_s, u"orderSeq"_s, u"matnrName"_s, u"kunweName"_s,
                             u"orderUserName"_s, u"mailList"_s};
        QStringList keys = o.keys();
        keys.sort();
        expected.sort();
        QCOMPARE(keys, expected);
        QVERIFY(!o.contains("inco1bezei"_L1));
        QVERIFY(!o.contains("orderStatus"_L1));

        for (const QString &key : std::as_const(expected)) {
            if (key != u"mailList"_s)
                QVERIFY2(o.value(key).isString(), qPrintable(key));
        }
        QCOMPARE(o.value("kwmeng"_L1).toString(), u"20.0"_s);
        QCOMPARE(o.value("kbetr"_L1).toString(), u"1250.0"_s);
        QCOMPARE(o.value("bstkd"_L1).toString(), u"卡車 早上送達"_s);
        QCOMPARE(o.value("vgbel"_L1).toString(), QString());

        // The signed-in user, not the line's own recipients.
        const QJsonArray mail = o.value("mailList"_L1).toArray();
        QCOMPARE(mail.size(), 1);
        QCOMPARE(mail[0].toObject(), (QJsonObject{{u"userID"_s, u"U100"_s}, {u"mail"_s, u"wang@example.com"_s}}));

        const QJsonArray anonymous = lineObject(line, QString(), QString()).value("mailList"_L1).toArray();
        QCOMPARE(anonymous[0].toObject(), (QJsonObject{{u"userID"_s, u""_s}, {u"mail"_s, u""_s}}));
        QVERIFY(anonymous[0].toObject().value("userID"_L1).isString());
    }
};

ZELK_TEST(RecordsOrderTest)
#include "RecordsOrderTest.moc"
