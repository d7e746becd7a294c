// The typed calls of order entry against the development gateway: each sends its operation with the
// wire keys the gateway expects.
#include "GatewayFixture.h"
#include "TestRegistry.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"

#include <QJsonArray>
#include <QTest>

#include <memory>

class OrderOperationsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayFixture> m_gateway;
    std::unique_ptr<ServiceClient> m_client;
    std::unique_ptr<Operations> m_operations;

    // Runs `call` with a completion bound to a live context and waits for it.
    bool answered(const std::function<void(QObject *, ApiCompletion)> &call)
    {
        QObject context;
        bool done = false;
        call(&context, [&](const ApiStatus &) { done = true; });
        return QTest::qWaitFor([&] { return done; }, 10000);
    }

private slots:
    void init()
    {
        m_gateway = std::make_unique<GatewayFixture>();
        QVERIFY2(m_gateway->isRunning(), qPrintable(m_gateway->errorString()));
        m_client = std::make_unique<ServiceClient>();
        m_operations = std::make_unique<Operations>(*m_client);
    }

    void cleanup()
    {
        m_operations.reset();
        m_client.reset();
        m_gateway.reset();
    }

    void shippingPointAndCreditSendTheirKeys()
    {
        QVERIFY(answered([&](QObject *context, ApiCompletion done) {
            m_operations->shippingPoint("U10023", "0000100101", "1100", context, std::move(done));
        }));
        QCOMPARE(m_gateway->gatewayCalls("ZSD_GET_TVSTZ"),
                 (QList<QJsonObject>{{{"userID", "U10023"}, {"pKunnr", "0000100101"}, {"pWerks", "1100"}}}));

        QVERIFY(answered([&](QObject *context, ApiCompletion done) {
            m_operations->customerCredit("U10023", "0000100104", "1000", context, std::move(done));
        }));
        QCOMPARE(m_gateway->gatewayCalls("ZBAPI_GET_CUSTOMER_CREDIT"),
                 (QList<QJsonObject>{{{"userID", "U10023"}, {"pKunnr", "0000100104"}, {"pKkber", "1000"}}}));
    }

    void materialPricesSendTheQueryWhenThereIsOne()
    {
        const Operations::PriceListQuery query{"1100", "N01", "CIF", "000", "ZOR"};
        QVERIFY(answered([&](QObject *context, ApiCompletion done) {
            m_operations->materialPrices("U10023", query, context, std::move(done));
        }));
        QVERIFY(answered([&](QObject *context, ApiCompletion done) {
            m_operations->materialPrices("U10023", std::nullopt, context, std::move(done));
        }));
        QCOMPARE(m_gateway->gatewayCalls("ZSD_GET_MATNR_PRICE"),
                 (QList<QJsonObject>{{{"userID", "U10023"},
                                      {"pVtweg", "10"},
                                      {"pVkorg", "1100"},
                                      {"pBzirk", "N01"},
                                      {"pInco1", "CIF"},
                                      {"pInco2", "000"},
                                      {"pAuart", "ZOR"}},
                                     {{"userID", "U10023"}, {"pVtweg", "10"}}}));
    }

    void submissionParametersCarryTheLines()
    {
        const QJsonArray lines{QJsonObject{{"matnr", "M-1"}, {"kwmeng", "3.0"}}};
        QCOMPARE(Operations::orderSubmissionParameters("U10023", lines),
                 (QJsonObject{{"userID", "U10023"}, {"eipOrder2List", lines}}));
    }
};

ZELK_TEST(OrderOperationsTest)
#include "OrderOperationsTest.moc"
