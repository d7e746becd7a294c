#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataSearch.h"

namespace {
OrderCustomer customer(const QString &kunnr, const QString &name1)
{
    OrderCustomer c;
    c.kunnr = kunnr;
    c.name1 = name1;
    return c;
}
const QList<OrderCustomer> kCustomers{customer(QStringLiteral("0000100101"), QStringLiteral("大安建材行")),
                                      customer(QStringLiteral("0000200202"), QStringLiteral("Zelk Build")),
                                      customer(QStringLiteral("0000100303"), QStringLiteral("信義營造"))};
} // namespace

class SelectDataSearchTest : public QObject
{
    Q_OBJECT
private slots:
    // Each row: the text searched in the customers or the materials, and the positions kept, in list order.
    void searchKeepsPositions_data() { QVERIFY(zelktest::addFixtureRows("picklist/search")); }
    void searchKeepsPositions()
    {
        QFETCH(QJsonObject, row);
        // The same numbers and names as materials.
        QList<PricedMaterial> items(kCustomers.size());
        for (int i = 0; i < items.size(); ++i)
            std::tie(items[i].matnr, items[i].maktx) = std::pair(kCustomers[i].kunnr, kCustomers[i].name1);
        const QString text = row["text"].toString();
        const QList<int> kept = row["materials"].toBool() ? searchMaterials(items, text) : searchCustomers(kCustomers, text);
        QCOMPARE(QJsonArray::fromVariantList(QVariantList(kept.begin(), kept.end())), row["kept"].toArray());
    }

    // The one customer source: rows are the customers the text selects, read as each screen lays them out.
    void customerSourceRows()
    {
        CustomerPickSource entry(CustomerPickSource::Layout::NameThenNumber);
        entry.setCustomers(kCustomers);
        entry.search(QStringLiteral("00100"));
        QCOMPARE(entry.count(), 2);
        QCOMPARE(entry.customerAt(1)->kunnr, QStringLiteral("0000100303"));
        QCOMPARE(entry.texts(1).title, QStringLiteral("信義營造"));
        QCOMPARE(entry.texts(1).detail, QStringLiteral("客戶編號:0000100303"));
        QCOMPARE(entry.customerAt(2), nullptr);
        QCOMPARE(entry.texts(2).title, std::nullopt);
        entry.showAll();
        QCOMPARE(entry.offered(), kCustomers);

        CustomerPickSource query(CustomerPickSource::Layout::NumberThenName);
        query.setCustomers(kCustomers);
        QCOMPARE(query.texts(0).title, QStringLiteral("客戶編號:0000100101"));
        QCOMPARE(query.texts(0).detail, QStringLiteral("大安建材行"));
    }
};

ZELK_TEST(SelectDataSearchTest)
#include "SelectDataSearchTest.moc"
