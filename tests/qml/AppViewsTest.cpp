// Every registered screen drawn in the app window, and the app's own screens signed in against the
// development gateway, with screenshots (build/screenshots/).
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "app/AppDelegate.h"
#include "app/LoginViewController.h"
#include "notify/HomeViewController.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"

#include <QAccessible>
#include <QFileInfo>
#include <QQmlComponent>
#include <QTest>

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
// Waits until the item is drawn, then lets the transition end.
bool drawn(QmlHarness &h, const char *name)
{
    const bool found = QTest::qWaitFor([&] { return h.find(QLatin1String(name)) != nullptr; }, 10000);
    h.settle();
    return found;
}
bool shot(QmlHarness &h, const char *name) { return QFileInfo::exists(h.screenshot(QString::fromLatin1(name))); }
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
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    // The password fields of the login and password-change screens give accessibility clients only the
    // masked text, while the account field reads as typed (so the walk does reach the fields).
    void passwordFieldsHideTheirTextFromAccessibility()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        const struct {
            const char *scene;
            QStringList fields;
        } screens[] = {{"LoginViewController", {"userNameTextField", "passwordTextField"}},
                       {"ChangePasswordViewController",
                        {"oldPasswordTextField", "newPasswordTextField", "confirmNewPasswordTextField"}}};
        for (const auto &screen : screens) {
            h.navigator().setRootScreen(app.storyboard().instantiate(QStringLiteral("Main"), QLatin1String(screen.scene)));
            h.settle(150);
            for (const QString &field : screen.fields) {
                QVERIFY2(h.click(field), qPrintable(field));
                typeText(h.window(), field == QLatin1String("userNameTextField") ? "demo" : "wrong");
            }
            QList<Spoken> tree;
            readTree(QAccessible::queryAccessibleInterface(h.window()), &tree);
            int passwordFields = 0;
            bool accountRead = false;
            for (const Spoken &element : std::as_const(tree)) {
                for (const QString &said : {element.name, element.description, element.value, element.content})
                    QVERIFY2(!said.contains(QLatin1String("wrong")), qPrintable(said));
                accountRead = accountRead || element.value == QLatin1String("demo");
                if (element.password) {
                    ++passwordFields;
                    QCOMPARE(element.role, QAccessible::EditableText);
                    QVERIFY(!element.description.isEmpty()); // the field's label
                    QCOMPARE(element.value.size(), 5); // one mask character per typed one
                }
            }
            QCOMPARE(passwordFields, int(screen.fields.size()) - (accountRead ? 1 : 0));
            QCOMPARE(accountRead, screen.fields.contains(QStringLiteral("userNameTextField")));
        }
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
                const QString scene = board + QLatin1Char('/') + identifier;
                Screen *screen = storyboard.instantiate(board, identifier);
                QVERIFY2(screen, qPrintable(scene));
                warnings.clear();
                h.navigator().setRootScreen(screen);
                h.settle(150);
                // What the window shows must have a view of its own, and nothing failed to load.
                Screen *shown = h.navigator().visibleScreen();
                if (shown && shown->kind() == QLatin1String("screen") && shown->viewUrl().isEmpty())
                    problems << scene + QStringLiteral(": no view for ") + shown->className();
                if (failedLoaders(h.find(QStringLiteral("rootScreen"))) > 0)
                    problems << scene + QStringLiteral(": a view failed to load");
                for (const QString &w : warnings) {
                    if (w.contains(QLatin1String("qrc:/Zelk/qml/")) || w.contains(QLatin1String("cannot load the view")))
                        problems << scene + QStringLiteral(": ") + w;
                }
                h.ui().dismissSpinner();
                ++scenes;
            }
        }
        qInstallMessageHandler(g_previous);
        g_warnings = nullptr;
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        QVERIFY(scenes >= 17);
        h.navigator().setRootScreen(nullptr);
        h.settle(100);
    }

    void signedInScreensWithScreenshots()
    {
        QmlApp qmlApp;
        QmlHarness &h = qmlApp.harness();
        QVERIFY(qmlApp.launchAndSignIn());
        NavigationController *homeStack = qmlApp.homeStack();
        auto *home = qobject_cast<HomeViewController *>(homeStack->rootViewController());
        QVERIFY(QTest::qWaitFor([&] { return home->pushNewsVisible(); }, 10000));
        h.settle();
        QVERIFY(h.find(QStringLiteral("tab_3")));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("澤勒中國"));
        QVERIFY(textOf(h, QStringLiteral("welcomeLabel")).endsWith(QStringLiteral("陳志明")));
        QCOMPARE(textOf(h, QStringLiteral("pushNewsLabel")), home->pushNewsText());
        QVERIFY(h.find(QStringLiteral("homeMenuCell_3")));
        QVERIFY(shot(h, "home"));

        // Notifications: a page of cards.
        QVERIFY(h.click(QStringLiteral("tab_2")));
        QVERIFY(drawn(h, "pushListCell_0"));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("通知"));
        QVERIFY(shot(h, "notifications"));
        // The list ends in the load-more footer.
        const QList<QQuickItem *> footers = h.findAll(QStringLiteral("loadMoreFooterTitle"));
        QCOMPARE(footers.size(), 1);
        QCOMPARE(footers.first()->property("text").toString(), QStringLiteral("上滑繼續載入"));

        // Boards.
        QVERIFY(h.click(QStringLiteral("tab_1")));
        QVERIFY(drawn(h, "boardCell_0"));
        QCOMPARE(textOf(h, QStringLiteral("boardCell_0")), QStringLiteral("公司公告"));
        QVERIFY(shot(h, "boards"));

        // More, and About from it.
        QVERIFY(h.click(QStringLiteral("tab_3")));
        QVERIFY(drawn(h, "moreCell_4"));
        QVERIFY(shot(h, "more"));
        QVERIFY(h.click(QStringLiteral("moreCell_0")));
        h.settle();
        QVERIFY(textOf(h, QStringLiteral("textView")).contains(QStringLiteral("澤勒")));
        QVERIFY(shot(h, "about"));
        QVERIFY(h.click(QStringLiteral("backButton")));
        h.settle();

        // Sign out through the alert: the login screen again, empty.
        QVERIFY(h.click(QStringLiteral("moreCell_4")));
        h.settle();
        QCOMPARE(textOf(h, QStringLiteral("alertTitle")), QStringLiteral("即將登出"));
        QVERIFY(shot(h, "sign_out_alert"));
        QVERIFY(h.click(QStringLiteral("alertButton_登出")));
        h.settle(800);
        QVERIFY(h.navigator().presentedScreens().isEmpty());
        QVERIFY(h.find(QStringLiteral("loginButton")));
        QCOMPARE(textOf(h, QStringLiteral("userNameTextField")), QString());
        QVERIFY(shot(h, "login"));

        h.navigator().setRootScreen(nullptr);
        h.settle(100);
    }
};

ZELK_TEST(AppViewsTest)
#include "AppViewsTest.moc"
