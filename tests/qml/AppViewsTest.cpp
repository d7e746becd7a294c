// Every registered screen drawn in the app window, and the app's own screens signed in against the
// development gateway, with screenshots (build/screenshots/).
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "app/AppDelegate.h"
#include "app/LoginViewController.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "notify/HomeViewController.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"
#include "ui/ZelkNavigationController.h"

#include <QAccessible>
#include <QFileInfo>
#include <QQmlComponent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Warnings while a test runs: QML errors and views that failed to load show up here.
QStringList *g_warnings = nullptr;
QtMessageHandler g_previous = nullptr;

void captureWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_warnings && (type == QtWarningMsg || type == QtCriticalMsg))
        g_warnings->append(message);
    if (g_previous)
        g_previous(type, context, message);
}

// Loaders under `item` whose source failed.
int failedLoaders(QQuickItem *item)
{
    if (!item)
        return 0;
    int failed = 0;
    if (QByteArray(item->metaObject()->className()) == "QQuickLoader" && item->property("status").toInt() == 3)
        ++failed;
    for (QQuickItem *child : item->childItems())
        failed += failedLoaders(child);
    return failed;
}
// Clicks `button` (when given), waits until `item` is drawn, lets the transition end and saves the
// window as `shot` (when given).
bool drawn(QmlHarness &h, const char *button, const char *item, const char *shot = nullptr)
{
    if (button && !h.click(QString::fromUtf8(button)))
        return false;
    const bool found = QTest::qWaitFor([&] { return h.find(QString::fromUtf8(item)) != nullptr; }, 10000);
    h.settle();
    return found && (!shot || QFileInfo::exists(h.screenshot(QString::fromUtf8(shot))));
}
// What an accessibility client reads of every element under `node`: role, name, value and text content.
struct Spoken {
    QAccessible::Role role;
    QString name, description, value, content;
    bool password;
};
void readTree(QAccessibleInterface *node, QList<Spoken> *out, int depth = 0)
{
    if (!node || !node->isValid() || depth > 64)
        return;
    QAccessibleTextInterface *text = node->textInterface();
    out->append({node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description),
                 node->text(QAccessible::Value),
                 text ? text->text(0, text->characterCount()) : QString(), bool(node->state().passwordEdit)});
    for (int i = 0; i < node->childCount(); ++i)
        readTree(node->child(i), out, depth + 1);
}
} // namespace

class AppViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({u"zh-TW"_s}); }

    // The password fields of the login and password-change screens give accessibility clients only the
    // masked text, while the account field reads as typed (so the walk does reach the fields).
    void passwordFieldsHideTheirTextFromAccessibility_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("login") << u"LoginViewController"_s << QStringList{"userNameTextField", "passwordTextField"};
        QTest::newRow("password change")
            << u"ChangePasswordViewController"_s
            << QStringList{"oldPasswordTextField", "newPasswordTextField", "confirmNewPasswordTextField"};
    }
    void passwordFieldsHideTheirTextFromAccessibility()
    {
        QFETCH(QString, scene);
        QFETCH(QStringList, fields);
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        h.navigator().setRootScreen(app.storyboard().instantiate(u"Main"_s, scene));
        h.settle(150);
        for (const QString &field : fields)
            QVERIFY(typeInto(h, field, field == "userNameTextField"_L1 ? "demo" : "wrong"));
        QList<Spoken> tree;
        readTree(QAccessible::queryAccessibleInterface(h.window()), &tree);
        int passwordFields = 0;
        bool accountRead = false;
        for (const Spoken &element : std::as_const(tree)) {
            for (const QString &said : {element.name, element.description, element.value, element.content})
                QVERIFY2(!said.contains("wrong"_L1), qPrintable(said));
            accountRead = accountRead || element.value == "demo"_L1;
            if (element.password) {
                ++passwordFields;
                QCOMPARE(element.role, QAccessible::EditableText);
                QVERIFY(!element.description.isEmpty()); // the field's label
                QCOMPARE(element.value.size(), 5);       // one mask character per typed one
            }
        }
        QCOMPARE(passwordFields, int(fields.size()) - (accountRead ? 1 : 0));
        QCOMPARE(accountRead, fields.contains(u"userNameTextField"_s));
        h.navigator().setRootScreen(nullptr);
        h.settle(100);
    }

    void everyRegisteredViewLoads()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        Storyboard &storyboard = app.storyboard();

        QStringList warnings;
        g_warnings = &warnings;
        g_previous = qInstallMessageHandler(captureWarnings);
        int scenes = 0;
        QStringList problems;
        for (const QString &board : storyboard.storyboards()) {
            for (const QString &identifier : storyboard.identifiers(board)) {
                const QString scene = board + u'/' + identifier;
                Screen *screen = storyboard.instantiate(board, identifier);
                QVERIFY2(screen, qPrintable(scene));
                warnings.clear();
                h.navigator().setRootScreen(screen);
                h.settle(150);
                // What the window shows must have a view of its own, and nothing failed to load.
                Screen *shown = h.navigator().visibleScreen();
                if (shown && shown->kind() == "screen"_L1 && shown->viewUrl().isEmpty())
                    problems << scene + u": no view for "_s + shown->className();
                if (failedLoaders(h.find(u"rootScreen"_s)) > 0)
                    problems << scene + u": a view failed to load"_s;
                for (const QString &w : warnings) {
                    if (w.contains("qrc:/Zelk/qml/"_L1) || w.contains("cannot load the view"_L1))
                        problems << scene + u": "_s + w;
                }
                h.ui().dismissSpinner();
                ++scenes;
            }
        }
        qInstallMessageHandler(g_previous);
        g_warnings = nullptr;
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QVERIFY(scenes >= 17);
        h.navigator().setRootScreen(nullptr);
        h.settle(100);
    }

    void signedInScreensWithScreenshots()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.launchAndSignIn());
        auto *home = qobject_cast<HomeViewController *>(app.homeStack()->rootViewController());
        QVERIFY(QTest::qWaitFor([&] { return home->pushNewsVisible(); }, 10000));
        QVERIFY(drawn(h, nullptr, "tab_3", "home"));
        QCOMPARE(textOf(h, "navigationTitle"), u"澤勒中國"_s);
        QVERIFY(textOf(h, "welcomeLabel").endsWith(u"陳志明"_s));
        QCOMPARE(textOf(h, "pushNewsLabel"), home->pushNewsText());
        QVERIFY(h.find(u"homeMenuCell_3"_s));

        // Notifications: a page of cards, ending in the load-more footer.
        QVERIFY(drawn(h, "tab_2", "pushListCell_0", "notifications"));
        QCOMPARE(textOf(h, "navigationTitle"), u"通知"_s);
        const QList<QQuickItem *> footers = h.findAll(u"loadMoreFooterTitle"_s);
        QCOMPARE(footers.size(), 1);
        QCOMPARE(footers.first()->property("text").toString(), u"上滑繼續載入"_s);
        // Boards; More, and About from it.
        QVERIFY(drawn(h, "tab_1", "boardCell_0", "boards"));
        QCOMPARE(textOf(h, "boardCell_0"), u"公司公告"_s);
        QVERIFY(drawn(h, "tab_3", "moreCell_4", "more"));
        QVERIFY(drawn(h, "moreCell_0", "textView", "about"));
        QVERIFY(textOf(h, "textView").contains(u"澤勒"_s));
        QVERIFY(drawn(h, "backButton", "moreCell_4"));

        // Sign out through the alert: the login screen again, empty.
        QVERIFY(drawn(h, "moreCell_4", "alertTitle", "sign_out_alert"));
        QCOMPARE(textOf(h, "alertTitle"), u"即將登出"_s);
        QVERIFY(h.click(u"alertButton_登出"_s));
        h.settle(800);
        QVERIFY(h.navigator().presentedScreens().isEmpty());
        QVERIFY(drawn(h, nullptr, "loginButton", "login"));
        QCOMPARE(textOf(h, "userNameTextField"), QString());
        h.navigator().setRootScreen(nullptr);
        h.settle(100);
    }

    // The order query, its customer picker and the order detail.
    void orderQueryPickerAndDetail()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        auto *query = qobject_cast<OrderHistoryViewController *>(app.storyboard().instantiateInitial("OrderHistory"));
        QVERIFY(query);
        // The gateway keeps Taiwan's calendar day.
        query->setTodayProvider([] { return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date(); });
        auto *nav = new ZelkNavigationController(query);
        h.navigator().setRootScreen(nav);
        QVERIFY(QTest::qWaitFor([&] { return !query->tableArray().isEmpty(); }, 20000));
        QVERIFY(drawn(h, nullptr, "orderHistroyCell_0", "order_query"));
        QVERIFY(h.find("startDateButton") && h.find("queryButton"));

        // Tapping the field by customer opens the pick list over the window.
        QVERIFY(drawn(h, "queryTypeInfoTextField", "selectDataCell_0", "order_query_customer_picker"));
        QVERIFY(query->selectDataViewController());
        QVERIFY(h.find("selectDataReloadButton"));
        QVERIFY(h.click("selectDataCell_1"));
        h.settle();
        QVERIFY(!query->queryTypeInfoText().isEmpty());
        QVERIFY(drawn(h, "queryButton", "orderHistroyCell_0", "order_query_by_customer"));

        // A row opens the detail.
        QVERIFY(drawn(h, "orderHistroyCell_0", "detailCell_9", "order_detail"));
        QVERIFY(qobject_cast<OrderHistoryDetailViewController *>(nav->topViewController()));
    }
};

ZELK_TEST(AppViewsTest)
#include "AppViewsTest.moc"
