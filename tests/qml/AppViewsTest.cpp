// Every registered screen drawn in the app window, and the app's own screens signed in against the
// development gateway, with screenshots (build/screenshots/).
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "history/OrderHistoryViewController.h"
#include "notify/HomeViewController.h"
#include "ui/ZelkNavigationController.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
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
// What an accessibility client reads under `node`: every element's name, description, value and text
// into `said`; each password field as "<role> <labelled> <value length>" into `passwords`.
void readTree(QAccessibleInterface *node, QStringList *said, QStringList *passwords, int depth = 0)
{
    if (!node || !node->isValid() || depth > 64)
        return;
    QAccessibleTextInterface *text = node->textInterface();
    const QString description = node->text(QAccessible::Description), value = node->text(QAccessible::Value);
    *said << node->text(QAccessible::Name) << description << value
          << (text ? text->text(0, text->characterCount()) : QString());
    if (node->state().passwordEdit)
        *passwords << u"%1 %2 %3"_s.arg(node->role()).arg(!description.isEmpty()).arg(value.size());
    for (int i = 0; i < node->childCount(); ++i)
        readTree(node->child(i), said, passwords, depth + 1);
}
} // namespace

class AppViewsTest : public QObject
{
    Q_OBJECT
private slots:

    // The password fields of the login and password-change screens give accessibility clients only the
    // masked text, while the account field reads as typed (so the walk does reach the fields).
    void passwordFieldsHideTheirTextFromAccessibility_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("login") << Scene::Login << QStringList{"userNameTextField", "passwordTextField"};
        QTest::newRow("password change")
            << Scene::ChangePassword
            << QStringList{"oldPasswordTextField", "newPasswordTextField", "confirmNewPasswordTextField"};
    }
    void passwordFieldsHideTheirTextFromAccessibility()
    {
        QFETCH(Scene, scene);
        QFETCH(QStringList, fields);
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        h.navigator().setRootScreen(app.storyboard().instantiate(scene));
        h.settle(150);
        for (const QString &field : fields)
            QVERIFY(typeInto(h, field, field == "userNameTextField"_L1 ? "demo" : "wrong"));
        QStringList said, passwords;
        readTree(QAccessible::queryAccessibleInterface(h.window()), &said, &passwords);
        QVERIFY2(!said.join(u'|').contains("wrong"_L1), qPrintable(said.join(u'|')));
        const bool accountRead = said.contains(u"demo"_s);
        QCOMPARE(accountRead, fields.contains(u"userNameTextField"_s));
        // Each an editable text with its label, one mask character per typed one.
        QCOMPARE(passwords, QStringList(fields.size() - accountRead, u"%1 1 5"_s.arg(QAccessible::EditableText)));
    }

    void everyRegisteredViewLoads()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        Storyboard &storyboard = app.storyboard();
        // A QML error in a view, or a view that cannot be loaded, is a warning naming it.
        QTest::failOnWarning(QRegularExpression(u"qrc:/Zelk/qml/|cannot load the view"_s));
        // Every scene there is: one not registered is a failure here, not a tap that does nothing.
        const QMetaEnum scenes = QMetaEnum::fromType<Scene>();
        for (int i = 0; i < scenes.keyCount(); ++i) {
            const auto scene = Scene(scenes.value(i));
            Screen *screen = storyboard.instantiate(scene);
            QVERIFY2(screen, scenes.key(i));
            h.navigator().setRootScreen(screen);
            h.settle(150);
            // What the window shows must have a view of its own, and nothing failed to load.
            Screen *shown = h.navigator().visibleScreen();
            QVERIFY2(!shown || shown->kind() != "screen"_L1 || !shown->viewUrl().isEmpty(), scenes.key(i));
            QVERIFY2(failedLoaders(h.find(u"rootScreen"_s)) == 0, scenes.key(i));
            h.ui().dismissSpinner();
        }
    }

    // Each tab signed in, About from More, and the sign-out through its alert to the empty login screen.
    void signedInScreensWithScreenshots()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        // The tab screen fades in over the sign-in in its place: seen part-way faded, never moved.
        QVERIFY(app.launch());
        bool partWay = false, moved = false;
        const auto frames = QObject::connect(h.window(), &QQuickWindow::afterAnimating, [&] {
            if (QQuickItem *cover = h.find(u"presentedScreen"_s)) {
                partWay = partWay || (cover->opacity() > 0 && cover->opacity() < 1);
                moved = moved || cover->y() != 0;
            }
        });
        QVERIFY(play(h, "signIn/demo"));
        QVERIFY(QTest::qWaitFor([&] {
            QQuickItem *cover = h.find(u"presentedScreen"_s);
            return app.tabs() && cover && cover->opacity() == 1;
        }, 10000));
        QObject::disconnect(frames);
        QVERIFY(partWay && !moved);
        auto *home = qobject_cast<HomeViewController *>(app.homeStack()->rootViewController());
        QVERIFY(QTest::qWaitFor([&] { return home->pushNewsVisible(); }, 10000));
        QVERIFY(play(h, "views/home"));
        QCOMPARE(textOf(h, "pushNewsLabel"), home->pushNewsText());
        QVERIFY(play(h, "views/notifications"));
        QCOMPARE(h.findAll(u"loadMoreFooterTitle"_s).size(), 1); // the list's footer, drawn once
        QVERIFY(play(h, "views/tabsAndSignOut"));
        QTRY_VERIFY(h.navigator().presentedScreens().isEmpty());
    }

    // The order query, its customer picker and the order detail. The customers come 3 s late, after the
    // orders, so the picker is opened before they come: it must fill once they do.
    void orderQueryPickerAndDetail()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.startSignedIn());
        app.context().lists().setCustomerList(std::nullopt);
        QVERIFY(app.gateway().setFault({{"operation", "clientList"}, {"mode", "delay"}, {"delayMs", 3000}}));
        auto *query = qobject_cast<OrderHistoryViewController *>(app.storyboard().instantiate(Scene::OrderHistory));
        QVERIFY(query);
        h.navigator().setRootScreen(new ZelkNavigationController(query));
        QVERIFY(QTest::qWaitFor([&] { return !query->tableArray().isEmpty(); }, 20000));
        QVERIFY(play(h, "views/orderQuery")); // the customer picker drawn
        QVERIFY(play(h, "views/orderQueryByCustomer"));
    }
};

ZELK_TEST(AppViewsTest)
#include "AppViewsTest.moc"
