// Orders placed through the development gateway: per-line results, the rules of the data, no double
// ordering of a resent line, the order query and the credit they use.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "model/Order.h"
#include "model/OrderStatus.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {
const QString kUser = QStringLiteral("U10023");
const QString kMail = QStringLiteral("chihming.chen@zelk-supply.com.tw");

// The servers' calendar day (Taiwan, UTC+8).
QDate serverToday() { return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date(); }
} // namespace

class GatewaySimOrdersTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayCalls> m_sim;
    QList<OrderCustomer> m_customers;

    OrderCustomer customer(const QString &kunnr) const
    {
        for (const OrderCustomer &c : m_customers) {
            if (c.kunnr == kunnr)
                return c;
        }
        return {};
    }
    float credit(const QString &kunnr)
    {
        const ApiStatus s = m_sim->call(&Operations::ZBAPI_GET_CUSTOMER_CREDIT,
                                        {{"userID", kUser}, {"pKunnr", kunnr}, {"pKkber", customer(kunnr).bukrs}});
        return float(readLenientNumber(answerOf(s).value(QStringLiteral("custCredit")).toObject(), QStringLiteral("pOblig")));
    }
    // A normal order as the header and item pages fill it.
    Order normalOrder(const QString &kunnr, const QString &matnr, float quantity, float price, int pages = 1)
    {
        Order order;
        order.orderCustomer = customer(kunnr);
        order.contract2.auart = order.contract2.auarth = QStringLiteral("ZOR");
        order.contract2.vkorg = order.orderCustomer.vkorg;
        order.inco1 = Inco1{QStringLiteral("DAP"), QStringLiteral("送達工地")};
        order.inco2.inco2 = QStringLiteral("000");
        order.transport = Transport{QStringLiteral("01"), QStringLiteral("散裝車")};
        order.orderItem.matnr = matnr;
        order.orderItem.werks = order.orderCustomer.vkorg;
        order.orderItem.bzirk = order.orderCustomer.bzirk;
        order.orderItem.vstel = QStringLiteral("1101");
        order.orderItem.route = QStringLiteral("R11001");
        order.orderItem.kbetr = order.orderItem.price = price;
        order.orderItem.orderNumber = quantity;
        order.orderPage = pages;
        return order;
    }
    static QJsonArray document(const QList<OrderConfirm> &lines)
    {
        QJsonArray doc;
        for (const OrderConfirm &line : lines)
            doc.append(lineObject(line, kUser, kMail));
        return doc;
    }
    ApiStatus submit(const QJsonArray &doc)
    {
        return m_sim->call(&Operations::ZSD_CREATE_EIP_ORDER2, {{"userID", kUser}, {"eipOrder2List", doc}});
    }
    QList<OrderHistroy> query(const QJsonObject &extra, const QDate &from, const QDate &to, ApiStatus *status = nullptr)
    {
        QJsonObject params{{"userID", kUser}, {"pBukrs", "1000"}, {"pWerks", "1100"},
                           {"pBegdat", from.toString(QStringLiteral("yyyyMMdd"))},
                           {"pEnddat", to.toString(QStringLiteral("yyyyMMdd"))}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            params.insert(it.key(), it.value());
        const ApiStatus s = m_sim->call(&Operations::ZSD_QUERY_ORDER, params);
        if (status)
            *status = s;
        return parseList<OrderHistroy>(answerOf(s), QStringLiteral("orderList"));
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
        m_customers = parseList<OrderCustomer>(answerOf(m_sim->call(&Operations::clientList, {{"userID", kUser}})),
                                               QStringLiteral("custList"));
        QVERIFY(!m_customers.isEmpty());
    }
    void init() { m_sim->gateway()->reset(); }
    void cleanupTestCase() { m_sim.reset(); }

    void placedOrderAppearsInTheQueryAndUsesCredit()
    {
        const QString kunnr = QStringLiteral("0000100101");
        const float before = credit(kunnr);
        const Order order = normalOrder(kunnr, QStringLiteral("10000101"), 20, 2997.5, 2);
        const QList<OrderConfirm> lines = createOrderConfirmArray(order, QStringLiteral("陳志明"));
        QCOMPARE(lines.size(), 2);

        const ApiStatus s = submit(document(lines));
        QVERIFY2(s.isSuccess, qPrintable(s.message));
        const QJsonArray results = answerOf(s).value(QStringLiteral("orderList")).toArray();
        QCOMPARE(results.size(), 2);
        QStringList numbers;
        for (int i = 0; i < 2; ++i) {
            const QJsonObject r = results.at(i).toObject();
            QCOMPARE(r.value(QStringLiteral("orderSeq")).toString(), lines.at(i).orderSeq);
            QCOMPARE(r.value(QStringLiteral("returnCode")).toString(), QStringLiteral("S"));
            QCOMPARE(r.value(QStringLiteral("otVbeln")).toString().size(), 10);
            numbers << r.value(QStringLiteral("otVbeln")).toString();
        }
        QVERIFY(numbers.at(0) != numbers.at(1));
        QCOMPARE(credit(kunnr), before - 2 * 20 * 2997.5f);

        const QList<OrderHistroy> rows = query({}, serverToday().addDays(-7), serverToday());
        for (const QString &number : numbers) {
            const auto it = std::find_if(rows.begin(), rows.end(), [&](const OrderHistroy &h) { return h.vbeln == number; });
            QVERIFY2(it != rows.end(), qPrintable(number));
            QCOMPARE(it->kunnr, kunnr);
            QCOMPARE(it->name3, customer(kunnr).name1);
            QCOMPARE(it->kwmeng, 20.0f);
            QCOMPARE(it->cmpre, 2997.5f);
            QCOMPARE(it->fkimg, 0.0f);
            QCOMPARE(it->fkimg1, 20.0f);
            QVERIFY(!it->arktx.isEmpty() && !it->name1.isEmpty() && !it->werks.isEmpty());
        }
        QCOMPARE(rows.first().vbeln, numbers.last()); // newest first

        // On a device in Taiwan the order time reads as the current wall-clock time there.
        const QByteArray oldTz = qgetenv("TZ");
        qputenv("TZ", "Asia/Taipei");
        const QList<OrderHistroy> local = query({{"pVbeln", numbers.first()}}, serverToday(), serverToday());
        if (oldTz.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", oldTz);
        QCOMPARE(local.size(), 1);
        const QDateTime shown = QDateTime::fromString(local.first().audat, QStringLiteral("yyyy/MM/dd HH:mm"));
        const QDateTime wall = QDateTime::currentDateTimeUtc().addSecs(8 * 3600);
        QVERIFY2(qAbs(shown.secsTo(QDateTime(wall.date(), wall.time()))) < 180, qPrintable(local.first().audat));
    }

    void resentLinesAreAnsweredWithoutOrderingTwice()
    {
        const QString kunnr = QStringLiteral("0000100102");
        const QJsonArray doc = document(createOrderConfirmArray(
            normalOrder(kunnr, QStringLiteral("10000102"), 100, 165, 3), QStringLiteral("陳志明")));
        const int ordersBefore = m_sim->gateway()->simulator()->placedOrders().size();
        const float creditBefore = credit(kunnr);

        const ApiStatus first = submit(doc);
        const ApiStatus again = submit(doc);
        QVERIFY(first.isSuccess && again.isSuccess);
        QCOMPARE(answerOf(again).value(QStringLiteral("orderList")), answerOf(first).value(QStringLiteral("orderList")));
        QCOMPARE(m_sim->gateway()->simulator()->placedOrders().size(), ordersBefore + 3);
        QCOMPARE(credit(kunnr), creditBefore - 3 * 100 * 165.0f);

        // Within one submission a repeated line is ordered once as well.
        QJsonObject fresh = doc.at(0).toObject();
        fresh.insert(QStringLiteral("orderSeq"), newOrderSeq());
        const ApiStatus both = submit({fresh, fresh});
        const QJsonArray results = answerOf(both).value(QStringLiteral("orderList")).toArray();
        QCOMPARE(results.size(), 2);
        QCOMPARE(results.at(0), results.at(1));
        QCOMPARE(m_sim->gateway()->simulator()->placedOrders().size(), ordersBefore + 4);
    }

    void linesBreakingARuleAreRefusedWithAMessage()
    {
        // A blocked material, a customer in debt, and a contract line over what is left.
        const Order blocked = normalOrder(QStringLiteral("0000100101"), QStringLiteral("10000122"), 1, 2650);
        const Order inDebt = normalOrder(QStringLiteral("0000100106"), QStringLiteral("10000101"), 1, 2850);
        Order contract = normalOrder(QStringLiteral("0000100101"), QStringLiteral("10000114"), 6, 20800);
        contract.contract2.vbeln = QStringLiteral("0040000102");
        QJsonArray doc;
        for (const Order &o : {blocked, inDebt, contract})
            doc.append(lineObject(createOrderConfirmArray(o, QString()).first(), kUser, kMail));
        ApiStatus s = submit(doc);
        QVERIFY2(s.isSuccess, qPrintable(s.message)); // the call succeeds; each line carries its own result
        QJsonArray results = answerOf(s).value(QStringLiteral("orderList")).toArray();
        QCOMPARE(results.size(), 3);
        for (const QJsonValue &r : results) {
            QCOMPARE(r.toObject().value(QStringLiteral("returnCode")).toString(), QStringLiteral("E"));
            QVERIFY(!r.toObject().value(QStringLiteral("returnMsg")).toString().isEmpty());
            QVERIFY(r.toObject().value(QStringLiteral("otVbeln")).toString().isEmpty());
        }
        QVERIFY(results.at(1).toObject().value(QStringLiteral("returnMsg")).toString().contains(QStringLiteral("信用額度")));
        QVERIFY(results.at(2).toObject().value(QStringLiteral("returnMsg")).toString().contains(QStringLiteral("剩餘 5")));

        // A refused line may be sent again once corrected: five are left on the contract.
        contract.orderItem.orderNumber = 5;
        s = submit({lineObject(createOrderConfirmArray(contract, QString()).first(), kUser, kMail)});
        QCOMPARE(answerOf(s).value(QStringLiteral("orderList")).toArray().at(0).toObject().value(QStringLiteral("returnCode")).toString(),
                 QStringLiteral("S"));
        s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT1, {{"userID", kUser}, {"pVbeln", "0040000102"}});
        const auto materials = parseList<OrderItem>(answerOf(s), QStringLiteral("custContract1List"));
        QCOMPARE(materials.first().matnr, QStringLiteral("10000114"));
        QCOMPARE(materials.first().zmeng, 0.0);

        // Whole-request failures: no lines, no user.
        s = submit({});
        QVERIFY(!s.isSuccess);
        s = m_sim->call(&Operations::ZSD_CREATE_EIP_ORDER2, {{"eipOrder2List", doc}});
        QVERIFY(!s.isSuccess);
        QVERIFY(s.message.contains(QStringLiteral("userID")));
    }

};

ZELK_TEST(GatewaySimOrdersTest)
#include "GatewaySimOrdersTest.moc"
