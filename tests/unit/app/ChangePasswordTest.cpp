// The password change: the client's rules, the request it sends, and both answers of the server.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "app/ChangePasswordViewController.h"
#include "app/MoreViewController.h"

class ChangePasswordTest : public QObject
{
    Q_OBJECT

    static void fill(ChangePasswordViewController *screen, const QString &oldPassword, const QString &newPassword,
                     const QString &confirm)
    {
        screen->setOldPassword(oldPassword);
        screen->setNewPassword(newPassword);
        screen->setConfirmNewPassword(confirm);
    }

private slots:
    // An empty field or a confirmation that differs: an alert, the fields kept, nothing sent
    // (tests/data/app/passwordRefusedLocally.json).
    void incompleteOrMismatchedInputIsRefusedLocally_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("app/passwordRefusedLocally"))); }
    void incompleteOrMismatchedInputIsRefusedLocally()
    {
        QFETCH(QJsonObject, row);
        AppHarness app;
        auto *screen = app.showInStack<ChangePasswordViewController>(Scene::ChangePassword);
        QVERIFY(screen);
        QCOMPARE(screen->title(), QStringLiteral("修改密碼"));
        const QStringList fields = row["fields"].toVariant().toStringList();
        fill(screen, fields[0], fields[1], fields[2]);
        screen->changePasswordAction();
        const QString message = app.ui.currentAlertMessage();
        ZELK_COMPARE_JSON((QJsonObject{{"title", app.ui.currentAlertTitle()},
                                       {"message", message.isNull() ? QJsonValue() : QJsonValue(message)},
                                       {"buttons", QJsonArray::fromStringList(app.ui.currentAlertButtons())}}), row["alert"]);
        app.ui.pressAlertButton(QStringLiteral("確定"));
        QCOMPARE(QStringList({screen->oldPassword(), screen->newPassword(), screen->confirmNewPassword()}), fields);
        settle();
        QCOMPARE(app.ui.spinnerShowCount(), 0);
        QVERIFY(app.gateway.gatewayCalls(QStringLiteral("modAppPwd")).isEmpty());
    }

    void successReturnsToMoreAndFailureStays()
    {
        AppHarness app;
        auto *screen = app.openPasswordChange();
        QVERIFY(screen);
        auto *more = app.tabRoot<MoreViewController>(3);
        NavigationController *stack = more->navigationController();
        QCOMPARE(stack->depth(), 2);
        const auto alertSays = [&] { return app.ui.currentAlertTitle() + u'|' + app.ui.currentAlertMessage(); };

        // A wrong old password: "修改失敗" with the server's message; the screen stays.
        fill(screen, QStringLiteral("wrong"), QStringLiteral("secret9"), QStringLiteral("secret9"));
        screen->changePasswordAction();
        QVERIFY(app.ui.isSpinnerShowing());
        QTRY_COMPARE(alertSays(), QStringLiteral("修改失敗|舊密碼錯誤"));
        QVERIFY(!app.ui.isSpinnerShowing());
        app.ui.pressAlertButton(QStringLiteral("確定"));
        settle();
        QCOMPARE(stack->depth(), 2);

        // The right one: both passwords as lower-case digests, then back to More.
        fill(screen, QStringLiteral("demo123"), QStringLiteral("secret9"), QStringLiteral("secret9"));
        screen->changePasswordAction();
        QTRY_COMPARE(alertSays(), QStringLiteral("修改成功|密碼修改成功"));
        ZELK_COMPARE_FIXTURE(app.gateway.gatewayCalls(QStringLiteral("modAppPwd")).last(), "app/passwordChange");
        QCOMPARE(stack->depth(), 2); // the alert's button goes back, not the answer
        app.ui.pressAlertButton(QStringLiteral("確定"));
        settle();
        QCOMPARE(stack->depth(), 1);
        QCOMPARE(stack->topViewController(), more);

        // The new password signs in; the old one no longer does.
        QVERIFY(app.signOut());
        settle();
        app.login()->setUserName(QStringLiteral("demo"));
        app.login()->setPassword(QStringLiteral("demo123"));
        app.login()->loginAction();
        QTRY_COMPARE(app.ui.currentAlertTitle(), QStringLiteral("登入失敗"));
        app.ui.pressAlertButton(QStringLiteral("確定"));
        QVERIFY(app.signIn(QStringLiteral("demo"), QStringLiteral("secret9")));
    }

    void withoutStoredUserTheIdIsLeftOut()
    {
        AppHarness app;
        auto *screen = app.showInStack<ChangePasswordViewController>(Scene::ChangePassword);
        fill(screen, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("b"));
        screen->changePasswordAction();
        QTRY_COMPARE(app.ui.currentAlertTitle(), QStringLiteral("修改失敗"));
        const QList<QJsonObject> sent = app.gateway.gatewayCalls(QStringLiteral("modAppPwd"));
        QCOMPARE(sent.size(), 1);
        ZELK_COMPARE_FIXTURE(sent.first(), "ui/passwordChangeWithoutUser"); // the digests, no user
    }
};

ZELK_TEST(ChangePasswordTest)
#include "ChangePasswordTest.moc"
