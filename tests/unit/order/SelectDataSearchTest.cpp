#include "TestRegistry.h"
#include "order/SelectDataSearch.h"

#include <QTest>

namespace {
OrderCustomer customer(const QString &kunnr, const QString &name1)
{
    OrderCustomer c;
    c.kunnr = kunnr;
    c.name1 = name1;
    return c;
}
OrderItem material(const QString &matnr, const QString &maktx)
{
    OrderItem item;
    item.matnr = matnr;
    item.maktx = maktx;
    return item;
}
template <class Row> QStringList numbers(const QList<Row> &rows, QString Row::*field)
{
    QStringList out;
    for (const Row &row : rows)
        out << row.*field;
    return out;
}
} // namespace

class SelectDataSearchTest : public QObject
{
    Q_OBJECT
private slots:
    void customersByNameOrNumberInListOrder()
    {
        const QList<OrderCustomer> all{customer(QStringLiteral("0000100101"), QStringLiteral("大安建材行")),
                                       customer(QStringLiteral("0000200202"), QStringLiteral("Zelk Build")),
                                       customer(QStringLiteral("0000100303"), QStringLiteral("信義營造"))};
        QCOMPARE(searchCustomers(all, QString()).size(), 3);
        QCOMPARE(numbers(searchCustomers(all, QStringLiteral("建材")), &OrderCustomer::kunnr),
                 QStringList{QStringLiteral("0000100101")});
        QCOMPARE(numbers(searchCustomers(all, QStringLiteral("00100")), &OrderCustomer::kunnr),
                 (QStringList{QStringLiteral("0000100101"), QStringLiteral("0000100303")}));
        QVERIFY(searchCustomers(all, QStringLiteral("zelk")).isEmpty()); // case counts
        QCOMPARE(searchCustomers(all, QStringLiteral("Zelk")).size(), 1);
        QVERIFY(searchCustomers({}, QStringLiteral("x")).isEmpty());
    }

    void materialsByNumberOrName()
    {
        const QList<OrderItem> all{material(QStringLiteral("10000101"), QStringLiteral("卜特蘭水泥 散裝")),
                                   material(QStringLiteral("10000202"), QStringLiteral("袋裝水泥 50kg")),
                                   material(QStringLiteral("20000101"), QStringLiteral("碎石"))};
        QCOMPARE(searchMaterials(all, QString()).size(), 3);
        QCOMPARE(numbers(searchMaterials(all, QStringLiteral("水泥")), &OrderItem::matnr),
                 (QStringList{QStringLiteral("10000101"), QStringLiteral("10000202")}));
        QCOMPARE(numbers(searchMaterials(all, QStringLiteral("0101")), &OrderItem::matnr),
                 (QStringList{QStringLiteral("10000101"), QStringLiteral("20000101")}));
        QVERIFY(searchMaterials(all, QStringLiteral("50KG")).isEmpty());
    }
};

ZELK_TEST(SelectDataSearchTest)
#include "SelectDataSearchTest.moc"
