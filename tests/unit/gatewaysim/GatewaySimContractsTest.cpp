// The development gateway's contracts: the keys and date form of the contract-list request, and each
// contract line's remaining quantity, used up line by line within one submission.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "services/Operations.h"

#include <QDate>
#include <QJsonArray>
#include <QTest>

#include <memory>

namespace {
QJsonObject contractLine(const QString &orderSeq, const QString &matnr, double quantity, double price)
{
    return {{"auart", "ZOR"}, {"vgbel", "0040000102"}, {"kunwe", "0000100101"}, {"kunag", "0000100101"},
            {"matnr", matnr}, {"kwmeng", QString::number(quantity, 'f', 1)}, {"kbetr", QString::number(price, 'f', 1)},
            {"orderSeq", orderSeq}, {"rootSeq", orderSeq}};
}
} // namespace

class GatewaySimContractsTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayCalls> m_sim;

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init() { m_sim->gateway()->reset(); }
    void cleanupTestCase() { m_sim.reset(); }

    void contractListRequest_data()
    {
        const QDate today = QDate::currentDate();
        QTest::addColumn<QJsonObject>("params");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("messagePart");
        const QJsonObject client = Operations::contractLinesParameters("U10023", "0000100101", today);
        QTest::newRow("as the client sends it") << client << true << QString();
        QJsonObject roc = client;
        roc.insert("pGueen", QStringLiteral("%1/%2").arg(today.year() - 1911).arg(today.toString("MM/dd")));
        QTest::newRow("Taiwanese calendar year") << roc << false << QStringLiteral("pGueen");
        QJsonObject arabic = client;
        QString indic = client.value("pGueen").toString();
        for (QChar &c : indic) {
            if (c.isDigit())
                c = QChar(0x0660 + c.digitValue());
        }
        arabic.insert("pGueen", indic);
        QTest::newRow("other digits") << arabic << false << QStringLiteral("pGueen");
        QJsonObject noType = client;
        noType.remove("pAuart");
        QTest::newRow("without pAuart") << noType << false << QStringLiteral("pAuart");
    }
    void contractListRequest()
    {
        QFETCH(QJsonObject, params);
        QFETCH(bool, success);
        QFETCH(QString, messagePart);
        const ApiStatus s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT2, params);
        QCOMPARE(s.isSuccess, success);
        if (success)
            QVERIFY(!parseList<Contract2>(answerOf(s), "custContract2List").isEmpty());
        else
            QVERIFY2(s.message.contains(messagePart), qPrintable(s.message));
    }

    void remainingQuantityIsUsedUpLineByLine()
    {
        // 10000114 of contract 0040000102 has 5 left: 3 are ordered, the next 3 are past what is left.
        const QJsonArray doc{contractLine("A-1", "10000114", 3, 20800), contractLine("A-2", "10000114", 3, 20800)};
        const ApiStatus s = m_sim->call(&Operations::ZSD_CREATE_EIP_ORDER2, {{"userID", "U10023"}, {"eipOrder2List", doc}});
        QVERIFY2(s.isSuccess, qPrintable(s.message));
        const QJsonArray results = answerOf(s).value("orderList").toArray();
        QCOMPARE(results.size(), 2);
        QCOMPARE(results.at(0)["returnCode"].toString(), QStringLiteral("S"));
        QCOMPARE(results.at(1)["returnCode"].toString(), QStringLiteral("E"));
        QVERIFY(results.at(1)["returnMsg"].toString().contains(QStringLiteral("剩餘 2")));

        const auto materials = parseList<OrderItem>(
            answerOf(m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT1, {{"userID", "U10023"}, {"pVbeln", "0040000102"}})),
            "custContract1List");
        QCOMPARE(materials.size(), 2);
        QCOMPARE(materials.at(0).matnr, QStringLiteral("10000114"));
        QCOMPARE(materials.at(0).zmeng, 2.0);
    }
};

ZELK_TEST(GatewaySimContractsTest)
#include "GatewaySimContractsTest.moc"
