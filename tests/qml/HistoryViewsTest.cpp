// The order query, its customer picker and the order detail drawn in the app window against the
// development gateway, with screenshots.
#include "GatewayFixture.h"
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "app/ScreenRegistry.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "model/AppContext.h"
#include "ui/Storyboard.h"
#include "ui/ZelkNavigationController.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class HistoryViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void orderQueryPickerAndDetail()
    {
        GatewayFixture gateway;
        QVERIFY2(gateway.isRunning(), qPrintable(gateway.errorString()));
        QmlHarness h;
        QVERIFY(h.load());
        QTemporaryDir dir;
        AppContext ctx({dir.path(), nullptr, false});
        ctx.start();
        ctx.secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
        ctx.userInfo().bukrs = QStringLiteral("1000");
        ctx.userInfo().vkorg = QStringLiteral("1100");
        Storyboard storyboard(&h.ui(), &ctx);
        registerScreens(storyboard);
        h.navigator().setEnvironment({&h.ui(), &storyboard, &ctx});

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
