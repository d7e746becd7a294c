// The development gateway's own rules, which the app's flows only meet when they send what they should:
// requests it refuses and why, order lines refused one by one (credit, what is left on a contract), and a
// placed order showing in the order query with the credit it used.
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "model/Order.h"
#include "model/OrderStatus.h"
#include "services/Operations.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <memory>

namespace {
const QString kUser = QStringLiteral("U10023");

QJsonObject line(const QString &kunnr, const char *matnr, double quantity, double price, const char *contract = "")
{
    return {{"auart", "ZOR"}, {"vgbel", contract}, {"kunwe", kunnr}, {"kunag", kunnr}, {"matnr", matnr},
            {"kwmeng", QString::number(quantity, 'f', 1)}, {"kbetr", QString::number(price, 'f', 1)},
            {"orderSeq", newOrderSeq()}};
}
// The servers' calendar day (Taiwan, UTC+8).
QDate serverToday() { return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date(); }
} // namespace

class GatewaySimRulesTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayCalls> m_sim;

    double credit(const char *kunnr)
    {
        const ApiStatus s = m_sim->call(&Operations::ZBAPI_GET_CUSTOMER_CREDIT,
                                        {{"userID", kUser}, {"pKunnr", kunnr}, {"pKkber", "1000"}});
        return readLenientNumber(answerOf(s).value(QStringLiteral("custCredit")).toObject(), QStringLiteral("pOblig"));
    }
    QJsonArray submit(const QJsonArray &lines)
    {
        const ApiStatus s = m_sim->call(&Operations::ZSD_CREATE_EIP_ORDER2, {{"userID", kUser}, {"eipOrder2List", lines}});
        return answerOf(s).value(QStringLiteral("orderList")).toArray();
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init() { m_sim->gateway()->reset(); }
    void cleanupTestCase() { m_sim.reset(); }

    // Requests the gateway refuses, with a part of the message saying why (tests/data/gatewaysim/refusals.json;
    // "$today" and its kin stand for today's date as the row writes it).
    void refusals_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/refusals"))); }
    void refusals()
    {
        QFETCH(QJsonObject, row);
        const QDate today = QDate::currentDate();
        QString otherDigits = today.toString(QStringLiteral("yyyy/MM/dd"));
        for (QChar &c : otherDigits) {
            if (c.isDigit())
                c = QChar(0x0660 + c.digitValue());
        }
        QString text = QString::fromUtf8(QJsonDocument(row["params"].toObject()).toJson());
        text.replace(QStringLiteral("$todayInOtherDigits"), otherDigits)
            .replace(QStringLiteral("$taiwanToday"), QStringLiteral("%1/%2").arg(today.year() - 1911).arg(today.toString("MM/dd")))
            .replace(QStringLiteral("$today"), today.toString(QStringLiteral("yyyy/MM/dd")))
            .replace(QStringLiteral("$orderSeq"), newOrderSeq());
        const QJsonObject params = QJsonDocument::fromJson(text.toUtf8()).object();
        const QString operation = row["operation"].toString(), refusal = row["refusal"].toString();
        static const QHash<QString, GatewayCalls::Op> ops{
            {"login", &Operations::login}, {"clientList", &Operations::clientList},
            {"ZSD_GET_MATNR_PRICE", &Operations::ZSD_GET_MATNR_PRICE},
            {"ZBAPI_GET_CUSTOMER_CREDIT", &Operations::ZBAPI_GET_CUSTOMER_CREDIT},
            {"ZSD_GET_CUST_CONTRACT2", &Operations::ZSD_GET_CUST_CONTRACT2},
            {"ZSD_CREATE_EIP_ORDER2", &Operations::ZSD_CREATE_EIP_ORDER2}, {"sendMail", &Operations::sendMail}};
        const qsizetype placed = m_sim->gateway()->simulator()->placedOrders().size();
        const ApiStatus s = m_sim->call(ops.value(operation), params);
        QVERIFY(!s.isSuccess);
        QVERIFY2(s.message.contains(refusal), qPrintable(s.message));
        QCOMPARE(m_sim->gateway()->simulator()->placedOrders().size(), placed);
        QVERIFY(m_sim->gateway()->simulator()->sentMails().isEmpty());
    }

    void orderLinesAreRefusedOneByOne()
    {
        // 10000114 of contract 0040000102 has 5 left: 3 are ordered, the next 3 are past what is left; the
        // customer in debt is refused whatever it orders. The call succeeds; each line carries its result.
        const qsizetype placed = m_sim->gateway()->simulator()->placedOrders().size();
        const QJsonArray results = submit({line("0000100101", "10000114", 3, 20800, "0040000102"),
                                           line("0000100101", "10000114", 3, 20800, "0040000102"),
                                           line("0000100106", "10000101", 1, 2850)});
        QCOMPARE(results.size(), 3);
        QCOMPARE(results.at(0)["returnCode"].toString(), QStringLiteral("S"));
        for (int i : {1, 2}) {
            QCOMPARE(results.at(i)["returnCode"].toString(), QStringLiteral("E"));
            QVERIFY(results.at(i)["otVbeln"].toString().isEmpty());
        }
        QVERIFY(results.at(1)["returnMsg"].toString().contains(QStringLiteral("剩餘 2")));
        QVERIFY(results.at(2)["returnMsg"].toString().contains(QStringLiteral("信用額度")));
        QCOMPARE(m_sim->gateway()->simulator()->placedOrders().size(), placed + 1);

        const auto materials = parseList<OrderItem>(
            answerOf(m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT1, {{"userID", kUser}, {"pVbeln", "0040000102"}})),
            "custContract1List");
        QCOMPARE(materials.size(), 2);
        QCOMPARE(materials.at(0).matnr, QStringLiteral("10000114"));
        QCOMPARE(materials.at(0).zmeng, 2.0);
    }

    void placedOrderIsQueriedAndUsesCredit()
    {
        const double before = credit("0000100101");
        const QJsonArray results = submit({line("0000100101", "10000101", 20, 2997.5)});
        const QString number = results.at(0)["otVbeln"].toString();
        QCOMPARE(number.size(), 10);
        QCOMPARE(credit("0000100101"), before - 20 * 2997.5);

        // Newest first; on a device in Taiwan the order time reads as the wall-clock time there.
        const QByteArray oldTz = qgetenv("TZ");
        qputenv("TZ", "Asia/Taipei");
        const QString day = serverToday().toString(QStringLiteral("yyyyMMdd"));
        const auto rows = parseList<OrderHistroy>(
            answerOf(m_sim->call(&Operations::ZSD_QUERY_ORDER, {{"userID", kUser}, {"pBukrs", "1000"}, {"pWerks", "1100"},
                                                                {"pBegdat", day}, {"pEnddat", day}})),
            QStringLiteral("orderList"));
        oldTz.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldTz);
        QVERIFY(!rows.isEmpty());
        const OrderHistroy &row = rows.first();
        QCOMPARE(row.vbeln, number);
        QCOMPARE(row.kunnr, QStringLiteral("0000100101"));
        QCOMPARE(row.kwmeng, 20.0f);
        QCOMPARE(row.cmpre, 2997.5f);
        QCOMPARE(row.fkimg, 0.0f);
        QCOMPARE(row.fkimg1, 20.0f);
        QVERIFY(!row.arktx.isEmpty() && !row.name1.isEmpty() && !row.name3.isEmpty());
        const QDateTime shown = QDateTime::fromString(row.audat, QStringLiteral("yyyy/MM/dd HH:mm"));
        const QDateTime wall = QDateTime::currentDateTimeUtc().addSecs(8 * 3600);
        QVERIFY2(qAbs(shown.secsTo(QDateTime(wall.date(), wall.time()))) < 180, qPrintable(row.audat));
    }
};

ZELK_TEST(GatewaySimRulesTest)
#include "GatewaySimRulesTest.moc"
