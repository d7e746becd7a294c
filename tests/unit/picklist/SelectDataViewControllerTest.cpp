// The searchable pick list driven as its view drives it (search, cancel, reload, choose, close), the
// searches behind it and the one customer source.
#include "ExpectedJson.h"
#include "FakeUi.h"
#include "TestRegistry.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataSearch.h"
#include "picklist/SelectDataViewController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {
const QList<OrderCustomer> kCustomers{{.kunnr = QStringLiteral("0000100101"), .name1 = QStringLiteral("大安建材行")},
                                      {.kunnr = QStringLiteral("0000200202"), .name1 = QStringLiteral("Zelk Build")},
                                      {.kunnr = QStringLiteral("0000100303"), .name1 = QStringLiteral("信義營造")}};

// An owner as the order screens are: a list of (name, number) filtered by name, else by number.
class Owner : public Screen, public SelectDataViewDelegate
{
    Q_OBJECT
public:
    QList<QPair<QString, QString>> all{{"大安營造", "0000100101"}, {"信義建設", "0000100123"},
                                       {"永大營造", "0000100105"}, {"Abc建材", "0000101230"}};
    QList<QPair<QString, QString>> shown = all;
    QStringList log;

    int selectDataCount() override { return int(shown.size()); }
    SelectDataTexts selectDataTexts(int row) override
    {
        if (shown.at(row).second.isEmpty())
            return {shown.at(row).first, std::nullopt};
        return {shown.at(row).first, QStringLiteral("客戶編號:") + shown.at(row).second};
    }
    void selectDataSearch(SelectDataViewController *pickList, const QString &text) override
    {
        log << QStringLiteral("search:") + text;
        shown.clear();
        for (const auto &entry : all) {
            if (text.isEmpty() || entry.first.contains(text) || entry.second.contains(text))
                shown << entry;
        }
        pickList->reloadData();
    }
    void selectDataCancelSearch(SelectDataViewController *pickList) override
    {
        log << QStringLiteral("cancel");
        shown = all;
        pickList->reloadData();
    }
    void selectDataReload() override { log << QStringLiteral("reload"); }
};

struct Fixture {
    FakeUi ui;
    Storyboard storyboard{&ui};
    Navigator navigator;
    Owner *owner = new Owner;
    QPointer<SelectDataViewController> pick = new SelectDataViewController;
    QList<int> chosen;
    QStringList appearing; // what the owner was asked while the pick list appeared

    explicit Fixture(bool showReload = true)
    {
        navigator.setEnvironment({&ui, &storyboard, nullptr});
        navigator.setRootScreen(owner);
        settle();
        pick->setDelegate(owner);
        pick->setShowReload(showReload);
        QObject::connect(pick, &SelectDataViewController::chosen, owner, [this](int row) { chosen << row; });
        owner->present(pick, true);
        settle();
        appearing = owner->log;
        owner->log.clear();
    }
};

} // namespace

class SelectDataViewControllerTest : public QObject
{
    Q_OBJECT
private slots:
    void rowsComeFromTheDelegate()
    {
        Fixture f(false);
        QCOMPARE(f.navigator.topScreen(), f.pick.data());
        // Without showReload the reload button leaves the toolbar before the pick list appears.
        QVERIFY(!f.pick->isReloadBarItemVisible());
        // Appearing, the pick list asks the owner for the rows its (empty) search text selects.
        QCOMPARE(f.appearing, QStringList{"search:"});
        QCOMPARE(f.pick->rowCount(), 4);
        QCOMPARE(f.pick->cellAt(1), (SelectDataCell{QStringLiteral("信義建設"), QStringLiteral("客戶編號:0000100123")}));
        QCOMPARE(f.pick->cellAt(4), SelectDataCell()); // out of range: empty, no crash
        QCOMPARE(f.pick->cellAt(-1), SelectDataCell());

        // A search changes the table row by row: rows leave or arrive at the end, the rows kept are read
        // again; the table is never reset.
        QSignalSpy reset(f.pick->rows(), &QAbstractItemModel::modelReset);
        QSignalSpy removed(f.pick->rows(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(f.pick->rows(), &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(f.pick->rows(), &QAbstractItemModel::dataChanged);
        f.pick->searchTextChangedByUser(QStringLiteral("營造"));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().mid(1), (QVariantList{2, 3})); // rows 2…3 left
        QCOMPARE(changed.size(), 1);
        QCOMPARE(f.pick->rows()->count(), 2);
        QCOMPARE(f.pick->cellAt(1).titleLabel, QStringLiteral("永大營造"));
        f.pick->searchBarCancelButtonClicked();
        QCOMPARE(f.owner->log.last(), QStringLiteral("cancel"));
        QVERIFY(!f.pick->showsCancelButton());
        QCOMPARE(f.ui.endEditingCount(), 1);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(f.pick->rows()->count(), 4);
        QCOMPARE(reset.size(), 0);

        f.owner->shown[0].second.clear();
        QCOMPARE(f.pick->cellAt(0).detailTitleLabel, QString()); // an absent text shows empty
        f.pick->clossViewAction(); // closing chooses nothing
        settle();
        QVERIFY(f.chosen.isEmpty());
        QCOMPARE(f.navigator.topScreen(), f.owner);
        QVERIFY(f.pick.isNull());

        // Once the delegate has gone the table is empty.
        SelectDataViewController lone;
        {
            Owner gone;
            lone.setDelegate(&gone);
            QCOMPARE(lone.rowCount(), 4);
        }
        QCOMPARE(lone.rowCount(), 0);
        lone.searchTextChangedByUser(QStringLiteral("x")); // nothing to tell, no crash
    }

    // A reload empties the search text and tells the owner (whose side the order query checks); the owner
    // may clear the text after new data without a search being reported. Rows out of range choose nothing;
    // the filtered row is given once the pick list has gone (the order flows check whose record it is).
    void reloadThenChooseTheFilteredRow()
    {
        Fixture f;
        QVERIFY(f.pick->isReloadBarItemVisible());
        f.pick->searchBarTextDidBeginEditing();
        QVERIFY(f.pick->showsCancelButton());
        f.pick->searchTextChangedByUser(QStringLiteral("營造"));
        f.pick->reloadActionWithSender();
        QCOMPARE(f.owner->log, QStringList({"search:營造", "reload"}));
        QCOMPARE(f.pick->searchText(), QString());
        QVERIFY(!f.pick->showsCancelButton());
        QCOMPARE(f.pick->rowCount(), 2); // a reload's rows come when the owner has new data
        QCOMPARE(f.ui.endEditingCount(), 1);

        f.pick->searchTextChangedByUser(QStringLiteral("123"));
        QSignalSpy changed(f.pick->rows(), &QAbstractItemModel::dataChanged);
        f.pick->searchBarSearchButtonClicked(); // only ends editing
        QCOMPARE(f.ui.endEditingCount(), 2);
        QCOMPARE(changed.size(), 0);
        QCOMPARE(f.pick->searchText(), QStringLiteral("123"));
        f.owner->log.clear();
        f.pick->clearSearchText();
        QCOMPARE(f.pick->searchText(), QString());
        QVERIFY(f.owner->log.isEmpty());

        f.pick->didSelectRow(2);
        f.pick->didSelectRow(-1);
        settle();
        QCOMPARE(f.navigator.topScreen(), f.pick.data());
        f.pick->didSelectRow(1);
        f.pick->didSelectRow(1); // a second tap while leaving chooses nothing more
        QVERIFY(f.chosen.isEmpty()); // only once the pick list has gone
        settle();
        QCOMPARE(f.chosen, QList<int>{1});
        QCOMPARE(f.navigator.topScreen(), f.owner);
        QVERIFY(f.pick.isNull()); // deleted after its dismissal
    }

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

ZELK_TEST(SelectDataViewControllerTest)
#include "SelectDataViewControllerTest.moc"
