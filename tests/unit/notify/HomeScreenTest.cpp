// The home screen: greeting by the hour, the newest notification, and the menu.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "notify/HomeViewController.h"

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

    void newestNotificationOnEveryAppearanceAndTheMenu()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QVERIFY(app.signIn());
        auto *home = app.tabRoot<HomeViewController>(0);
        QTRY_VERIFY(home->pushNewsVisible());
        const QString first = home->pushNewsText();
        QCOMPARE(first, home->pushListArray().first().title);
        const int asked = int(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).size());

        const auto reappear = [&] {
            app.tabs()->setSelectedIndex(1);
            settle();
            app.tabs()->setSelectedIndex(0);
        };

        // A new notification arrives, but the next appearance's answer fails: what is shown stays, and
        // nothing reports the failure (the only alert is the pushed notification's own). The one after
        // shows it.
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("新的測試通知"));
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("html500")));
        reappear();
        QTRY_COMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).size(), asked + 1);
        settle();
        QCOMPARE(home->pushNewsText(), first);
        for (const QString &shown : app.ui.calls().filter(QStringLiteral("alert:")))
            QCOMPARE(shown, QStringLiteral("alert:收到訊息"));
        reappear();
        QTRY_COMPARE(home->pushNewsText(), QStringLiteral("新的測試通知"));

        // The newest notification without a title hides the news line.
        app.gateway.addPush(QStringLiteral("demo"), QString(), QStringLiteral("只有內容"));
        reappear();
        QTRY_VERIFY(!home->pushNewsVisible());
        QCOMPARE(home->pushNewsText(), QString());

        // The entries without a function do nothing, nor do rows out of range (the menu's screens: the
        // phone walk and the order and offline journeys).
        NavigationController *stack = home->navigationController();
        const qsizetype presented = app.navigator.presentedScreens().size(); // the tabs over the login
        for (const auto &[section, row] : {std::pair(1, 3), {1, 4}, {1, 9}, {1, -1}, {2, 0}})
            home->selectRow(section, row);
        settle();
        QCOMPARE(stack->depth(), 1);
        QCOMPARE(app.navigator.presentedScreens().size(), presented);

        // The top cell switches to the notification tab.
        home->selectRow(0, 0);
        QCOMPARE(app.tabs()->selectedIndex(), 2);
    }
};

ZELK_TEST(HomeScreenTest)
#include "HomeScreenTest.moc"
