#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "model/Order.h"

#include <QJsonArray>
#include <QRegularExpression>
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

class RecordsOrderTest : public QObject
{
    Q_OBJECT
private slots:
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

ZELK_TEST(RecordsOrderTest)
#include "RecordsOrderTest.moc"
