// The order detail: ten labelled rows in their order, money and decimal texts.
#include "TestRegistry.h"
#include "history/OrderHistoryDetailViewController.h"

#include <QJsonObject>
#include <QTest>

#include <limits>

namespace {
QStringList labels(const QList<OrderHistoryDetailRow> &rows)
{
    QStringList list;
    for (const OrderHistoryDetailRow &row : rows)
        list << row.label;
    return list;
}
QStringList values(const QList<OrderHistoryDetailRow> &rows)
{
    QStringList list;
    for (const OrderHistoryDetailRow &row : rows)
        list << row.value;
    return list;
}
} // namespace

class OrderHistoryDetailViewControllerTest : public QObject
{
    Q_OBJECT
private slots:
    void rowsShowEveryFieldOfTheRecord()
    {
        const OrderHistroy record = OrderHistroy::fromJson(QJsonObject{
            {"bukrs", "1000"}, {"name1", "澤勒建材"}, {"werks", "1100"}, {"name2", "北區營業處"},
            {"kunnr", "0000100101"}, {"name3", "大安營造股份有限公司"}, {"vbeln", "0010004408"},
            {"audat", 1704067200000.0}, {"erzet", 0}, {"arktx", "卜特蘭I型水泥 散裝(噸)"},
            {"cmpre", 1234.5}, {"kwmeng", 12}, {"fkimg", 7.5}, {"fkimg1", 4.5}});
        OrderHistoryDetailViewController detail;
        detail.setOrderHistory(record);
        detail.loadViewIfNeeded();
        QCOMPARE(detail.title(), QStringLiteral("訂單查詢"));
        QCOMPARE(labels(detail.tableArray()),
                 QStringList({"開單日期", "訂單編號", "營業所名稱", "客戶名稱", "客戶代號", "品項", "單價",
                              "開單數量", "已發數量", "剩餘數量"}));
        QCOMPARE(values(detail.tableArray()),
                 QStringList({record.audat, "0010004408", "北區營業處", "大安營造股份有限公司", "0000100101",
                              "卜特蘭I型水泥 散裝(噸)", "¥1,234.50", "12.0", "7.5", "4.5"}));
        QVERIFY(!record.audat.isEmpty());
        for (const OrderHistoryDetailRow &row : detail.tableArray())
            QVERIFY(!row.extra.has_value());
        // The view reads the same rows.
        QCOMPARE(detail.rows()->count(), 10);
        QCOMPARE(detail.rows()->value(6, "label").toString(), QStringLiteral("單價"));
        QCOMPARE(detail.rows()->value(6, "value").toString(), QStringLiteral("¥1,234.50"));

        // Loading again does not add rows.
        detail.viewDidLoad();
        QCOMPARE(detail.tableArray().size(), 10);
    }

    void emptyRecordAndOddPrices()
    {
        OrderHistoryDetailViewController detail;
        detail.loadViewIfNeeded();
        QCOMPARE(values(detail.tableArray()),
                 QStringList({"", "", "", "", "", "", "¥0.00", "0.0", "0.0", "0.0"}));

        QCOMPARE(OrderHistoryDetailViewController::priceText(1234567.0f), QStringLiteral("¥1,234,567.00"));
        QCOMPARE(OrderHistoryDetailViewController::priceText(-12.5f), QStringLiteral("-¥12.50"));
        // No money text for a value that is not a number: the plain decimal form instead.
        QCOMPARE(OrderHistoryDetailViewController::priceText(std::numeric_limits<float>::infinity()),
                 QStringLiteral("inf"));
    }
};

ZELK_TEST(OrderHistoryDetailViewControllerTest)
#include "OrderHistoryDetailViewControllerTest.moc"
