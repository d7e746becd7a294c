// Start-up, sign-in and sign-out, driven through the screens against the development gateway.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "app/MoreViewController.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {
// Who the app holds as signed in (the push token aside).
QJsonObject session(AppContext &context)
{
    const auto text = [](const std::optional<QString> &value) { return value ? QJsonValue(*value) : QJsonValue(); };
    const UserInfo &user = context.userInfo();
    return {{"userId", text(context.userId())}, {"userName", text(context.userName())},
            {"userAccount", text(context.userAccount())}, {"bukrs", text(user.bukrs)}, {"bukrsName", text(user.bukrsName)},
            {"vkorg", text(user.vkorg)}, {"vkorgName", text(user.vkorgName)}, {"email", text(user.email)}};
}
} // namespace

class AppSignInFlowTest : public QObject
{
    Q_OBJECT
private slots:
    // The login screen is up before the keychain has opened: a sign-in tapped that early is sent once the
    // start-up clearing has run, so that what it stores stays.
    void signInTappedBeforeTheStoresOpenWaitsForThem()
    {
        AppHarness app;
        app.navigator.setRootScreen(app.storyboard.instantiate(Scene::Login));
        LoginViewController *login = app.login();
        QVERIFY(login);
        login->setUserName(QStringLiteral("demo"));
        login->setPassword(QStringLiteral("demo123"));
        login->loginAction();
        QTRY_VERIFY(app.context->client().network()->findChildren<QNetworkReply *>().isEmpty());
        QVERIFY(app.gateway.gatewayCalls(QStringLiteral("login")).isEmpty());
        app.openStores();
        QTRY_VERIFY(app.tabs() != nullptr);
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("login")).size(), 1);
        QCOMPARE(app.context->userId(), std::optional<QString>(QStringLiteral("U10023")));
    }

    void signInFillsTheSessionAndPresentsTheTabScreen()
    {
        AppHarness app;
        QVERIFY(app.launch());
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        LoginViewController *login = app.login();
        login->setUserName(QStringLiteral("demo"));
        login->setPassword(QStringLiteral("demo123"));
        login->loginAction();
        QVERIFY(app.ui.isSpinnerShowing());
        QCOMPARE(app.ui.spinnerMask(), SpinnerMask::Clear);
        QTRY_VERIFY(app.tabs() != nullptr);
        settle();

        // The password left only as its lower-case MD5 digest.
        const auto calls = app.gateway.gatewayCalls(QStringLiteral("login"));
        QCOMPARE(calls.size(), 1);
        ZELK_COMPARE_FIXTURE(calls[0], "signIn/login");

        ZELK_COMPARE_FIXTURE(session(*app.context), "signIn/session-demo");

        // The home tab shows over the login screen (drawn: the window journeys); the fields are empty again.
        QCOMPARE(app.navigator.visibleScreen()->className(), QStringLiteral("HomeViewController"));
        QCOMPARE(login->userName(), QString());
        QCOMPARE(login->password(), QString());
        QVERIFY(!app.ui.isSpinnerShowing());

        // The home screen asked for the newest notification of the signed-in user (what it draws of the
        // answer: HomeScreenTest).
        QTRY_VERIFY(!app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).isEmpty());
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")).first(),
                 QJsonObject({{"userId", "U10023"}, {"lastNewsId", ""}}));

        // Signing in registered the device: the token the relay handed out replaced the stored one.
        QTRY_VERIFY(app.context->pushToken() != std::optional<QString>(QStringLiteral("0AFF")));
        const std::optional<QString> pushToken = app.context->pushToken();
        app.context->lists().setCustomerList(QList<OrderCustomer>{});
        app.tabs()->setSelectedIndex(3);
        settle();
        auto *more = app.tabRoot<MoreViewController>(3);
        QVERIFY(more);
        more->selectRow(4); // 登出, and "取消" leaves the user signed in
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("取消")));
        settle();
        QVERIFY(app.tabs());
        QCOMPARE(app.context->userId(), std::optional<QString>(QStringLiteral("U10023")));
        QVERIFY(app.signOut()); // to the login screen (drawn empty: the window journeys)
        // The keychain's sign-in values go; the session record keeps its last values until the next sign-in.
        ZELK_COMPARE_FIXTURE(session(*app.context), "signIn/session-afterSignOut");
        QCOMPARE(app.context->pushToken(), pushToken);
        QVERIFY(!app.context->lists().customerList().has_value());

        // Another account signs in on the same login screen; the keychain holds the new account.
        QVERIFY(app.signIn(QStringLiteral("lin.yating"), QStringLiteral("lin2024")));
        ZELK_COMPARE_FIXTURE(session(*app.context), "signIn/session-lin.yating");
    }

    // After every sign-in each stored list is asked for again: an answer "00" holding its list replaces
    // the document and the list held in memory; any other answer keeps both.
    // Each row: the stored document ("old": one list member "OLD"), the gateway's answer (null: its own
    // list; "body" a reply with status 200), and whether the document was replaced.
    void signInRefreshesTheStoredLists_data() { QVERIFY(zelktest::addFixtureRows("signIn/storedListRefresh")); }
    void signInRefreshesTheStoredLists()
    {
        QFETCH(QJsonObject, row);
        const auto text = [](const QJsonValue &document) { return QString::fromUtf8(QJsonDocument(document.toObject()).toJson()); };
        const QString stored = row["stored"] == QJsonValue("old")
            ? QStringLiteral(R"({"returnCode":"00","returnMsg":"OK","inco1List":[{"inco1":"OLD","bezei":"舊"}]})")
            : text(row["stored"]);
        QJsonObject fault = row["answer"].toObject();
        if (fault.contains("body"))
            fault = QJsonObject{{"mode", "reply"}, {"status", 200}, {"contentType", "application/json"}, {"body", text(fault["body"])}};
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
        QCOMPARE(after != stored, row["replaced"].toBool());
        // The held list is the stored one's, never an older one.
        QCOMPARE(*lists.inco1List(), parseList<Inco1>(QJsonDocument::fromJson(after.toUtf8()).object(),
                                                       QStringLiteral("inco1List")));
        QVERIFY(!lists.inco1List()->isEmpty());
    }

    // A refusal (a wrong password, a scripted refusal of empty fields, a broken answer): its message, or
    // the client's own text, under 登入失敗; nothing stored; what was typed stays for a second try. Of an
    // earlier session the start-up keeps nothing but the push token.
    void failedSignInShowsTheMessageAndStoresNothing_data()
    {
        QVERIFY(zelktest::addFixtureRows("signIn/failedSignIn"));
    }
    void failedSignInShowsTheMessageAndStoresNothing()
    {
        QFETCH(QJsonObject, row);
        const QString account = row["account"].toString(), password = row["password"].toString();
        const QString message = row["message"].toString(); // null: any message of the client's own
        QJsonObject fault = row["fault"].toObject();
        AppHarness app;
        app.context->userDefaults().setValue(QStringLiteral("open"), QStringLiteral("open"));
        app.context->secureStore().openFile();
        app.context->secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U99999"));
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        QVERIFY(app.launch());
        QCOMPARE(app.navigator.describe(), QStringLiteral("LoginViewController"));
        QCOMPARE(app.ui.defaultSpinnerMask(), SpinnerMask::Clear);
        if (!fault.isEmpty()) {
            fault.insert(QStringLiteral("operation"), QStringLiteral("login"));
            QVERIFY(app.gateway.setFault(fault));
        }
        LoginViewController *login = app.login();
        login->setUserName(account);
        login->setPassword(password);
        login->loginAction();
        QTRY_VERIFY(app.ui.hasOpenAlert());
        QCOMPARE(app.ui.openAlertCount(), 1);
        QCOMPARE(app.ui.currentAlertTitle(), QStringLiteral("登入失敗"));
        if (message.isNull())
            QVERIFY(!app.ui.currentAlertMessage().isEmpty());
        else
            QCOMPARE(app.ui.currentAlertMessage(), message);
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"確定"}));
        QCOMPARE(app.ui.currentAlert()->alert.buttons[0].style, AlertButton::Style::Cancel);
        QVERIFY(!app.ui.isSpinnerShowing());
        if (account.isEmpty())
            ZELK_COMPARE_FIXTURE(app.gateway.gatewayCalls(QStringLiteral("login")).last(), "signIn/login-emptyFields");
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("確定")));
        settle();
        QCOMPARE(app.tabs(), nullptr);
        ZELK_COMPARE_FIXTURE(session(*app.context), "signIn/session-none");
        QCOMPARE(app.context->pushToken(), std::optional<QString>(QStringLiteral("0AFF")));
        QCOMPARE(login->userName(), account);
    }

    void answerArrivingAfterTheLoginScreenWentIsDropped()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QVERIFY(app.gateway.setFault(QStringLiteral("login"), QStringLiteral("delay"), 300));
        bool answered = false; // the gateway's answer has reached the app
        QObject scope;
        QObject::connect(app.context->client().network(), &QNetworkAccessManager::finished, &scope,
                         [&](QNetworkReply *r) {
                             answered = answered || r->url().path().endsWith(QLatin1String("zelkGWService"));
                         });
        app.login()->setUserName(QStringLiteral("demo"));
        app.login()->setPassword(QStringLiteral("demo123"));
        app.login()->loginAction();
        QTRY_COMPARE(app.gateway.gatewayCalls(QStringLiteral("login")).size(), 1);
        app.navigator.setRootScreen(nullptr);
        settle();
        QTRY_VERIFY(answered);
        settle();
        QCOMPARE(app.context->userId(), std::nullopt);
        QVERIFY(!app.ui.hasOpenAlert());
        QVERIFY(app.navigator.presentedScreens().isEmpty());
    }
};

ZELK_TEST(AppSignInFlowTest)
#include "AppSignInFlowTest.moc"
