// The order detail: ten labelled rows in their order, money and decimal texts.
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "history/OrderHistoryDetailViewController.h"

#include <limits>

class OrderHistoryDetailViewControllerTest : public QObject
{
    Q_OBJECT
private slots:
    void rowsShowEveryFieldOfTheRecord_data()
    {
        QTest::addColumn<QJsonObject>("record");
        QTest::newRow("full") << QJsonObject{
            {"bukrs", "1000"}, {"name1", "澤勒建材"}, {"werks", "1100"}, {"name2", "北區營業處"},
            {"kunnr", "0000100101"}, {"name3", "大安營造股份有限公司"}, {"vbeln", "0010004408"},
            {"audat", 1704067200000.0}, {"erzet", 0}, {"arktx", "卜特蘭I型水泥 散裝(噸)"},
            {"cmpre", 1234.5}, {"kwmeng", 12}, {"fkimg", 7.5}, {"fkimg1", 4.5}};
        QTest::newRow("empty") << QJsonObject();
    }
    void rowsShowEveryFieldOfTheRecord()
    {
        QFETCH(QJsonObject, record);
        const OrderHistroy history = OrderHistroy::fromJson(record);
        OrderHistoryDetailViewController detail;
        detail.setOrderHistory(history);
        detail.loadViewIfNeeded();
        detail.viewDidLoad(); // loading again adds no rows
        QCOMPARE(detail.title(), QStringLiteral("訂單查詢"));
        QCOMPARE(history.audat.isEmpty(), record.isEmpty());
        // The date text follows the device's time zone: the fixture names it "$audat".
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(detail.rows()), "history/detail-" + QString::fromLatin1(QTest::currentDataTag()),
                             (QJsonObject{{"audat", history.audat}}));
        for (const OrderHistoryDetailRow &row : detail.tableArray())
            QVERIFY(!row.extra.has_value());
    }

    void oddPrices()
    {
        QCOMPARE(OrderHistoryDetailViewController::priceText(1234567.0f), QStringLiteral("¥1,234,567.00"));
        QCOMPARE(OrderHistoryDetailViewController::priceText(-12.5f), QStringLiteral("-¥12.50"));
        // No money text for a value that is not a number: the plain decimal form instead.
        QCOMPARE(OrderHistoryDetailViewController::priceText(std::numeric_limits<float>::infinity()),
                 QStringLiteral("inf"));
    }
};

ZELK_TEST(OrderHistoryDetailViewControllerTest)
#include "OrderHistoryDetailViewControllerTest.moc"
