// Start-up, sign-in and sign-out, driven through the screens against the development gateway.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "app/MoreViewController.h"
#include "notify/HomeViewController.h"

#include <QLoggingCategory>

namespace {
// Debug lines of the app's category, captured while a test runs.
QStringList *g_appLog = nullptr;
QtMessageHandler g_previousHandler = nullptr;

void captureAppLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_appLog && context.category && qstrcmp(context.category, "zelk.app") == 0)
        g_appLog->append(message);
    else if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

class AppSignInFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void launchShowsLoginAfterStartupAndChecksTheVersion()
    {
        AppHarness app;
        QVERIFY(app.gateway.isRunning());
        // A value of an earlier session survives nothing but the push token.
        app.context->userDefaults().setValue(QStringLiteral("open"), QStringLiteral("open"));
        app.context->secureStore().openFile();
        app.context->secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U99999"));
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));

        QVERIFY(app.launch());
        QCOMPARE(app.navigator.describe(), QStringLiteral("LoginViewController"));
        QCOMPARE(app.ui.defaultSpinnerMask(), SpinnerMask::Clear);
        QCOMPARE(app.context->userId(), std::nullopt);
        QCOMPARE(app.context->pushToken(), std::optional<QString>(QStringLiteral("0AFF")));
        // Loading the login screen asked the version-check service once.
        QSignalSpy checked(&app.context->versionCheck(), &VersionCheck::checkFinished);
        QVERIFY(checked.wait(5000));
        int versionRequests = 0;
        for (const QJsonValue &r : app.gateway.requests())
            versionRequests += r.toObject().value(QLatin1String("path")).toString().endsWith(QLatin1String("checkVersion/json"));
        QCOMPARE(versionRequests, 1);
        QVERIFY(!app.ui.hasOpenAlert()); // the seeded version is current
    }

    void signInFillsTheSessionAndPresentsTheTabScreen()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QStringList log;
        g_appLog = &log;
        QLoggingCategory::setFilterRules(QStringLiteral("zelk.app.debug=true"));
        g_previousHandler = qInstallMessageHandler(captureAppLog);

        LoginViewController *login = app.login();
        login->setUserName(QStringLiteral("demo"));
        login->setPassword(QStringLiteral("demo123"));
        login->loginAction();
        QVERIFY(app.ui.isSpinnerShowing());
        QCOMPARE(app.ui.spinnerMask(), SpinnerMask::Clear);
        QTRY_VERIFY(app.tabs() != nullptr);
        settle();

        qInstallMessageHandler(g_previousHandler);
        QLoggingCategory::setFilterRules(QString());
        g_appLog = nullptr;

        // The password left only as its lower-case MD5 digest.
        const auto calls = app.gateway.gatewayCalls(QStringLiteral("login"));
        QCOMPARE(calls.size(), 1);
        ZELK_COMPARE_FIXTURE(calls[0], "signIn/login");

        QCOMPARE(app.context->userId(), std::optional<QString>(QStringLiteral("U10023")));
        QCOMPARE(app.context->userName(), std::optional<QString>(QStringLiteral("陳志明")));
        QCOMPARE(app.context->userAccount(), std::optional<QString>(QStringLiteral("demo")));
        const UserInfo &session = app.context->userInfo();
        QCOMPARE(session.bukrs, std::optional<QString>(QStringLiteral("1000")));
        QCOMPARE(session.vkorg, std::optional<QString>(QStringLiteral("1100")));
        QCOMPARE(session.bukrsName, std::optional<QString>(QStringLiteral("澤勒建材股份有限公司")));
        QCOMPARE(session.vkorgName, std::optional<QString>(QStringLiteral("北區營業處")));
        QCOMPARE(session.email, std::optional<QString>(QStringLiteral("chihming.chen@zelk-supply.com.tw")));

        // The lists were reloaded in their order, each from its document or fetched in the background.
        QStringList labels;
        for (const QString &line : log)
            labels << line.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(labels, QStringList({"info1List:", "info2List:", "transportList:", "orderTypeList:", "tvstzList:"}));
        for (const char *api : {"getNoticeGroupUserList", "inco1List", "inco2List", "transportList", "orderTypeList",
                                "getTvstzList"})
            QTRY_VERIFY2(!app.gateway.gatewayCalls(QLatin1String(api)).isEmpty(), api);
        QTRY_VERIFY(app.context->documents().read(QStringLiteral("inco1List")).has_value());

        // The tab screen over the login screen, its four tabs styled; the fields are empty again.
        QCOMPARE(app.navigator.presentationChain().size(), 2);
        TabBarController *tabs = app.tabs();
        QCOMPARE(tabs->className(), QStringLiteral("Tabbar2ViewController"));
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabItem(1).title, QStringLiteral("留言板"));
        QCOMPARE(tabs->selectedIndex(), 0);
        QVERIFY(app.tabRoot<HomeViewController>(0));
        QCOMPARE(app.navigator.visibleScreen()->className(), QStringLiteral("HomeViewController"));
        QCOMPARE(login->userName(), QString());
        QCOMPARE(login->password(), QString());
        QVERIFY(!app.ui.isSpinnerShowing());

        // The home screen asked for the newest notification of the signed-in user.
        QTRY_VERIFY(!app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).isEmpty());
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).first(),
                 QJsonObject({{"userId", "U10023"}, {"lastNewsId", ""}}));
        auto *home = app.tabRoot<HomeViewController>(0);
        QTRY_VERIFY(home->pushNewsVisible());
        QCOMPARE(home->pushNewsText(), home->pushListArray().first().title);
        QVERIFY(home->welcomeText().endsWith(QStringLiteral("陳志明")));
    }

    // After every sign-in each stored list is asked for again: an answer "00" holding its list replaces
    // the document and the list held in memory; any other answer keeps both.
    void signInRefreshesTheStoredLists_data()
    {
        const QString old = QStringLiteral(R"({"returnCode":"00","returnMsg":"OK","inco1List":[{"inco1":"OLD","bezei":"舊"}]})");
        const auto reply = [](const char *body) {
            return QJsonObject{{"mode", "reply"}, {"status", 200}, {"contentType", "application/json"}, {"body", body}};
        };
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QJsonObject>("fault"); // on inco1List; none: the gateway's own list
        QTest::addColumn<bool>("replaced");
        QTest::newRow("00 with its list") << old << QJsonObject() << true;
        QTest::newRow("stored list empty") << QStringLiteral(R"({"returnCode":"00","inco1List":[]})") << QJsonObject() << true;
        QTest::newRow("error code") << old << QJsonObject{{"mode", "code"}, {"returnCode", "01"}, {"returnMsg", "無資料"}} << false;
        QTest::newRow("00 without its list") << old << reply(R"({"returnCode":"00","returnMsg":"OK"})") << false;
        QTest::newRow("list not an array") << old << reply(R"({"returnCode":"00","returnMsg":"OK","inco1List":{}})") << false;
        QTest::newRow("invalid JSON") << old << QJsonObject{{"mode", "invalidJson"}} << false;
        QTest::newRow("connection dropped") << old << QJsonObject{{"mode", "close"}} << false;
    }
    void signInRefreshesTheStoredLists()
    {
        QFETCH(QString, stored);
        QFETCH(QJsonObject, fault);
        QFETCH(bool, replaced);
        AppHarness app;
        QVERIFY(app.launch());
        ListStore &lists = app.context->lists();
        QVERIFY(app.context->documents().write(QStringLiteral("inco1List"), stored));
        QVERIFY(lists.inco1List()); // held from now on
        if (!fault.isEmpty()) {
            fault.insert(QStringLiteral("operation"), QStringLiteral("inco1List"));
            QVERIFY(app.gateway.setFault(fault));
        }
        QVERIFY(app.signIn());
        QTRY_VERIFY(!lists.isFetching(QStringLiteral("inco1List")));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("inco1List")).size(), 1);
        const QString after = app.context->documents().read(QStringLiteral("inco1List")).value_or(QString());
        QCOMPARE(after != stored, replaced);
        // The held list is the stored one's, never an older one.
        QCOMPARE(*lists.inco1List(), parseList<Inco1>(QJsonDocument::fromJson(after.toUtf8()).object(),
                                                       QStringLiteral("inco1List")));
        QVERIFY(!lists.inco1List()->isEmpty());
    }

    void failedSignInShowsTheServersMessageAndStoresNothing()
    {
        AppHarness app;
        QVERIFY(app.launch());
        LoginViewController *login = app.login();

        login->setUserName(QStringLiteral("demo"));
        login->setPassword(QStringLiteral("wrong"));
        login->loginAction();
        QTRY_VERIFY(app.ui.hasOpenAlert());
        QCOMPARE(app.ui.currentAlertTitle(), QStringLiteral("登入失敗"));
        QCOMPARE(app.ui.currentAlertMessage(), QStringLiteral("帳號或密碼錯誤"));
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"確定"}));
        QCOMPARE(app.ui.currentAlert()->alert.buttons[0].style, AlertButton::Style::Cancel);
        QVERIFY(!app.ui.isSpinnerShowing());
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("確定")));
        settle();
        QCOMPARE(app.tabs(), nullptr);
        QCOMPARE(app.context->userId(), std::nullopt);
        QCOMPARE(app.context->userAccount(), std::nullopt);
        QCOMPARE(app.context->userInfo().vkorg, std::nullopt);
        // What was typed stays for a second try.
        QCOMPARE(login->userName(), QStringLiteral("demo"));

        // A scripted refusal: its message as sent. Empty fields are sent as they are.
        QVERIFY(app.gateway.setFault(QStringLiteral("login"), QStringLiteral("code"), 0, true, QStringLiteral("07"),
                                     QStringLiteral("帳號已停用，請洽管理員")));
        login->setUserName(QString());
        login->setPassword(QString());
        login->loginAction();
        QTRY_COMPARE(app.ui.openAlertCount(), 1);
        QCOMPARE(app.ui.currentAlertMessage(), QStringLiteral("帳號已停用，請洽管理員"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("login")).last(),
                 QJsonObject({{"user_name", ""}, {"password", "d41d8cd98f00b204e9800998ecf8427e"}}));
        app.ui.pressAlertButton(QStringLiteral("確定"));

        // A broken answer is a failure too, with the client's own text.
        QVERIFY(app.gateway.setFault(QStringLiteral("login"), QStringLiteral("html500")));
        login->loginAction();
        QTRY_COMPARE(app.ui.openAlertCount(), 1);
        QCOMPARE(app.ui.currentAlertTitle(), QStringLiteral("登入失敗"));
        QVERIFY(!app.ui.currentAlertMessage().isEmpty());
        QCOMPARE(app.tabs(), nullptr);
    }

    void answerArrivingAfterTheLoginScreenWentIsDropped()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QVERIFY(app.gateway.setFault(QStringLiteral("login"), QStringLiteral("delay"), 300));
        app.login()->setUserName(QStringLiteral("demo"));
        app.login()->setPassword(QStringLiteral("demo123"));
        app.login()->loginAction();
        QTRY_COMPARE(app.gateway.gatewayCalls(QStringLiteral("login")).size(), 1);
        app.navigator.setRootScreen(nullptr);
        settle();
        QTest::qWait(600);
        QCOMPARE(app.context->userId(), std::nullopt);
        QVERIFY(!app.ui.hasOpenAlert());
        QVERIFY(app.navigator.presentedScreens().isEmpty());
    }

    void signOutReturnsToAnEmptyLoginKeepingThePushToken()
    {
        AppHarness app;
        QVERIFY(app.launch());
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        QVERIFY(app.signIn());
        // Signing in registered the device: the token the relay handed out replaced the stored one.
        QTRY_VERIFY(app.context->pushToken() != std::optional<QString>(QStringLiteral("0AFF")));
        const std::optional<QString> pushToken = app.context->pushToken();
        app.context->lists().setCustomerList(QList<OrderCustomer>{});

        app.tabs()->setSelectedIndex(3);
        auto *more = app.tabRoot<MoreViewController>(3);
        QVERIFY(more);
        settle();
        more->selectRow(4); // 登出
        QCOMPARE(app.ui.currentAlertTitle(), QStringLiteral("即將登出"));

        // "取消" leaves the user signed in.
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("取消")));
        settle();
        QVERIFY(app.tabs());
        QCOMPARE(app.context->userId(), std::optional<QString>(QStringLiteral("U10023")));

        more->selectRow(4);
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("登出")));
        QTRY_COMPARE(app.navigator.presentedScreens().size(), 0);
        settle();
        QCOMPARE(app.navigator.describe(), QStringLiteral("LoginViewController"));
        QVERIFY(app.login()->isVisible());
        QCOMPARE(app.login()->userName(), QString());
        QCOMPARE(app.context->userId(), std::nullopt);
        QCOMPARE(app.context->userName(), std::nullopt);
        QCOMPARE(app.context->userAccount(), std::nullopt);
        QCOMPARE(app.context->pushToken(), pushToken);
        QVERIFY(!app.context->lists().customerList().has_value());

        // Another account signs in on the same login screen; the keychain holds the new account.
        QVERIFY(app.signIn(QStringLiteral("lin.yating"), QStringLiteral("lin2024")));
        QCOMPARE(app.context->userAccount(), std::optional<QString>(QStringLiteral("lin.yating")));
        QCOMPARE(app.context->userInfo().vkorg, std::optional<QString>(QStringLiteral("2100")));
    }
};

ZELK_TEST(AppSignInFlowTest)
#include "AppSignInFlowTest.moc"
