// The order query, its customer picker and the order detail drawn in the app window against the
// development gateway, with screenshots.
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "ui/Storyboard.h"
#include "ui/ZelkNavigationController.h"

#include <QFileInfo>
#include <QTest>

class HistoryViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void orderQueryPickerAndDetail()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        Storyboard &storyboard = app.storyboard();

        auto *query = qobject_cast<OrderHistoryViewController *>(storyboard.instantiateInitial("OrderHistory"));
        QVERIFY(query);
        // The gateway keeps Taiwan's calendar day.
        query->setTodayProvider([] { return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date(); });
        auto *nav = new ZelkNavigationController(query);
        h.navigator().setRootScreen(nav);
        QVERIFY(QTest::qWaitFor([&] { return !query->tableArray().isEmpty(); }, 20000));
        h.settle();
        QVERIFY(h.find("orderHistroyCell_0"));
        QVERIFY(h.find("startDateButton"));
        QVERIFY(h.find("queryButton"));
        const QString shot = h.screenshot("order_query");
        QVERIFY(QFileInfo::exists(shot));

        // Tapping the field by customer opens the pick list over the window.
        QVERIFY(h.click("queryTypeInfoTextField"));
        h.settle();
        QVERIFY(query->selectDataViewController());
        QVERIFY(QTest::qWaitFor([&] { return h.find("selectDataCell_0") != nullptr; }, 5000));
        QVERIFY(h.find("selectDataReloadButton"));
        h.screenshot("order_query_customer_picker");
        QVERIFY(h.click("selectDataCell_1"));
        h.settle();
        QVERIFY(!query->queryTypeInfoText().isEmpty());
        QVERIFY(h.click("queryButton"));
        QVERIFY(QTest::qWaitFor([&] { return h.find("orderHistroyCell_0") != nullptr; }, 20000));
        h.settle();
        h.screenshot("order_query_by_customer");

        // A row opens the detail.
        QVERIFY(h.click("orderHistroyCell_0"));
        h.settle();
        QVERIFY(qobject_cast<OrderHistoryDetailViewController *>(nav->topViewController()));
        QVERIFY(h.find("detailCell_9"));
        h.screenshot("order_detail");
    }
};

ZELK_TEST(HistoryViewsTest)
#include "HistoryViewsTest.moc"
