// The home screen: greeting by the hour, the newest notification, and the menu.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "notify/HomeViewController.h"

namespace {
// A stand-in for a screen another part of the app registers.
class StandInScreen : public Screen
{
    Q_OBJECT
public:
    explicit StandInScreen(const QString &title = {}) { setTitle(title); }
};
} // namespace

class HomeScreenTest : public QObject
{
    Q_OBJECT
private slots:
    // The greeting is looked up with its trailing space; the name is shown as stored.
    // (tests/data/notify/greetings.json)
    void greetingFollowsTheHour_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("notify/greetings"))); }
    void greetingFollowsTheHour()
    {
        QFETCH(QJsonObject, row);
        const QString name = row["name"].toString();
        const QTime time = QTime::fromString(row["time"].toString(), QStringLiteral("HH:mm"));
        AppHarness app;
        app.openStores();
        if (!name.isEmpty())
            app.context->secureStore().setValue(QStringLiteral("userName"), name);
        Localizer::instance().load({row["locale"].toString()});
        HomeViewController home;
        home.setEnvironment({&app.ui, &app.storyboard, app.context.get()});
        home.setClock([time] { return QDateTime(QDate(2024, 6, 1), time); });
        home.loadViewIfNeeded();
        Localizer::instance().load({QStringLiteral("zh-TW")});
        QCOMPARE(home.welcomeText(), row["greeting"].toString());
    }

    void newestNotificationIsAskedForOnEveryAppearance()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QVERIFY(app.signIn());
        auto *home = app.tabRoot<HomeViewController>(0);
        QTRY_VERIFY(home->pushNewsVisible());
        const QString first = home->pushNewsText();
        QCOMPARE(first, home->pushListArray().first().title);
        const int asked = int(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).size());

        // A new notification arrives; coming back to the tab shows it.
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("新的測試通知"));
        app.tabs()->setSelectedIndex(1);
        settle();
        app.tabs()->setSelectedIndex(0);
        QTRY_COMPARE(home->pushNewsText(), QStringLiteral("新的測試通知"));
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).size(), asked + 1);

        // A failure keeps what is shown.
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("html500")));
        app.tabs()->setSelectedIndex(1);
        settle();
        app.tabs()->setSelectedIndex(0);
        QTRY_COMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).size(), asked + 2);
        settle();
        QCOMPARE(home->pushNewsText(), QStringLiteral("新的測試通知"));
        // Nothing reports the failure; the only alert is the pushed notification's own.
        for (const Alert &shown : app.ui.shownAlerts())
            QCOMPARE(shown.title, QStringLiteral("收到訊息"));

        // The top cell switches to the notification tab.
        home->selectRow(0, 0);
        QCOMPARE(app.tabs()->selectedIndex(), 2);
    }

    void notificationWithoutTitleHidesTheNewsLine()
    {
        AppHarness app;
        app.startSignedIn();
        // The newest notification has no title.
        app.gateway.addPush(QStringLiteral("demo"), QString(), QStringLiteral("只有內容"));
        auto *home = app.showInStack<HomeViewController>(QStringLiteral("HomeViewController"));
        QTRY_VERIFY(!home->pushListArray().isEmpty());
        QCOMPARE(home->pushListArray().first().title, QString());
        QVERIFY(!home->pushNewsVisible());
        QCOMPARE(home->pushNewsText(), QString());
    }

    void menuOpensOrderEntryAndOrderQuery()
    {
        AppHarness app;
        app.openStores();
        // A storyboard of the home screen alone: the order screens are not registered yet.
        Storyboard board(&app.ui, app.context.get());
        board.add("Main", "HomeViewController", [] { return new HomeViewController; });
        auto *home = board.instantiate<HomeViewController>(QStringLiteral("Main"), QStringLiteral("HomeViewController"));
        auto *stack = new NavigationController(home);
        app.navigator.setRootScreen(stack);
        settle();
        home->selectRow(1, 0);
        home->selectRow(1, 1);
        settle();
        QCOMPARE(stack->depth(), 1);
        QVERIFY(app.navigator.presentedScreens().isEmpty());

        // Once registered: "訂單創建" shows the initial scene of "Order", titled by the sender;
        // "訂單查詢" pushes the initial scene of "OrderHistory".
        board.add("Order", "StandIn", [] { return new StandInScreen(QStringLiteral("原標題")); });
        board.add("OrderHistory", "StandIn", [] { return new StandInScreen(QStringLiteral("訂單查詢頁")); });
        home->selectRow(1, 0);
        settle();
        QCOMPARE(stack->depth(), 2);
        QCOMPARE(stack->topViewController()->title(), QStringLiteral("訂單創建"));
        QCOMPARE(stack->topViewController()->storyboardName(), QStringLiteral("Order"));
        stack->pop(false);
        settle();
        home->selectRow(1, 1);
        settle();
        QCOMPARE(stack->depth(), 2);
        QCOMPARE(stack->topViewController()->storyboardName(), QStringLiteral("OrderHistory"));
        QCOMPARE(stack->topViewController()->title(), QStringLiteral("訂單查詢頁"));
        stack->pop(false);
        // The entries without a function do nothing, nor do rows out of range.
        home->selectRow(1, 2);
        home->selectRow(1, 3);
        home->selectRow(1, 9);
        home->selectRow(2, 0);
        settle();
        QCOMPARE(stack->depth(), 1);
        QVERIFY(app.navigator.presentedScreens().isEmpty());

        // An order flow that is a container of its own is presented instead.
        board.add("Order", "Container", [] { return new NavigationController(new StandInScreen); });
        board.setInitial("Order", "Container");
        home->selectRow(1, 0);
        settle();
        QCOMPARE(stack->depth(), 1);
        QCOMPARE(app.navigator.presentedScreens().size(), 1);
        QCOMPARE(app.navigator.presentedScreens().first()->kind(), QStringLiteral("navigation"));
    }
};

ZELK_TEST(HomeScreenTest)
#include "HomeScreenTest.moc"
