// The typed calls of order entry against the development gateway: each sends its operation with the
// wire keys the gateway expects (the shipping point and a price-list query are checked by the normal
// order's flow, as the screens send them).
#include "ExpectedJson.h"
#include "GatewayFixture.h"
#include "TestRegistry.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"

#include <QTest>

using Call = std::function<void(Operations &, QObject *, ApiCompletion)>;
Q_DECLARE_METATYPE(Call)

class OrderOperationsTest : public QObject
{
    Q_OBJECT
private slots:
    void callsSendTheirKeys_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("operation");
        QTest::newRow("credit") << Call([](Operations &o, QObject *c, ApiCompletion done) {
            o.customerCredit("U10023", "0000100104", "1000", c, std::move(done));
        }) << "ZBAPI_GET_CUSTOMER_CREDIT";
        QTest::newRow("pricesWithoutQuery") << Call([](Operations &o, QObject *c, ApiCompletion done) {
            o.materialPrices("U10023", std::nullopt, c, std::move(done));
        }) << "ZSD_GET_MATNR_PRICE";
    }
    void callsSendTheirKeys()
    {
        QFETCH(Call, call);
        QFETCH(QString, operation);
        GatewayFixture gateway;
        QVERIFY2(gateway.isRunning(), qPrintable(gateway.errorString()));
        ServiceClient client;
        Operations operations(client);
        QObject context;
        bool done = false;
        call(operations, &context, [&](const ApiStatus &) { done = true; });
        QVERIFY(QTest::qWaitFor([&] { return done; }, 10000));
        const QList<QJsonObject> calls = gateway.gatewayCalls(operation);
        QCOMPARE(calls.size(), 1);
        ZELK_COMPARE_FIXTURE(calls.first(), QStringLiteral("order/") + QTest::currentDataTag());
    }
};

ZELK_TEST(OrderOperationsTest)
#include "OrderOperationsTest.moc"
