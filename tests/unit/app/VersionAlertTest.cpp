// The version check as the user meets it: the alert the login screen's loading brings up, and how
// often it comes back.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include <QSignalSpy>

class VersionAlertTest : public QObject
{
    Q_OBJECT

    static int versionRequests(AppHarness &app)
    {
        int count = 0;
        for (const QJsonValue &r : app.gateway.requests())
            count += r.toObject().value(QLatin1String("path")).toString().endsWith(QLatin1String("checkVersion/json"));
        return count;
    }

    // Launches with the service answering `state`, and waits for the answer to be applied.
    static bool launchWith(AppHarness &app, const QString &state, const QString &url = QStringLiteral("https://apps.zelk-supply.com.tw/eip/download"),
                           const double *clock = nullptr)
    {
        if (!app.gateway.setVersionState(state, QStringLiteral("新版本已上架"), url))
            return false;
        app.context->versionCheck().setVersionText(QStringLiteral("UAT 1.0.0"));
        if (clock)
            app.context->versionCheck().setClock([clock] { return *clock; });
        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        return app.launch() && (finished.count() > 0 || finished.wait(5000));
    }

private slots:
    // How often the service is asked and when the alert comes back is the version check's own rule;
    // here, what the launched app shows and opens for each answer.
    void alertsAsTheAppShowsThem()
    {
        {
            AppHarness app;
            QVERIFY(launchWith(app, QStringLiteral("none")));
            QVERIFY(!app.ui.hasOpenAlert());
            // "UAT " is not part of the version sent.
            const QJsonObject body = QJsonDocument::fromJson(app.gateway.requests()
                                                                 .at(0).toObject().value("body").toString().toUtf8()).object();
            QCOMPARE(body.value("versionNo").toString(), QStringLiteral("1.0.0"));
        }
        {
            AppHarness app;
            QVERIFY(launchWith(app, QStringLiteral("optional")));
            QCOMPARE(app.ui.openAlertCount(), 1);
            QCOMPARE(app.ui.currentAlertTitle(), QStringLiteral("有新版本"));
            QCOMPARE(app.ui.currentAlertMessage(), QStringLiteral("新版本已上架"));
            QCOMPARE(app.ui.currentAlertButtons(), QStringList({"取消", "立刻更新"}));
            QCOMPARE(app.ui.currentAlert()->alert.buttons[0].style, AlertButton::Style::Cancel);
            QVERIFY(app.ui.pressAlertButton(QStringLiteral("取消")));
            QVERIFY(app.ui.openedUrls().isEmpty()); // offered once: see the table below
        }
        {
            AppHarness app;
            QVERIFY(launchWith(app, QStringLiteral("forced")));
            for (int trigger = 0; trigger < 2; ++trigger) {
                QCOMPARE(app.ui.currentAlertButtons(), QStringList({"立刻更新"}));
                QVERIFY(app.ui.pressAlertButton(QStringLiteral("立刻更新")));
                QVERIFY(!app.ui.hasOpenAlert());
                app.context->versionCheck().checkForUpdate();
            }
            QCOMPARE(app.ui.openedUrls(), QList<QUrl>(2, QUrl("https://apps.zelk-supply.com.tw/eip/download")));
        }
        {
            // A forced update leaves the app only for its page: not opened, the alert stays.
            AppHarness app;
            QVERIFY(launchWith(app, QStringLiteral("forced"), QStringLiteral("javascript:alert(1)")));
            QVERIFY(app.ui.pressAlertButton(QStringLiteral("立刻更新")));
            QCOMPARE(app.ui.currentAlertButtons(), QStringList({"立刻更新"}));
            QVERIFY(app.ui.openedUrls().isEmpty());
        }
    }

    // After the first alert has been answered: what the app becoming active again (twice, `minutesAway`
    // after the first check) or the login button brings up, and whether a login reaches the gateway.
    // (tests/data/app/versionAgainstActivationAndLogin.json)
    void stateAgainstActivationAndLogin_data()
    {
        QVERIFY(zelktest::addFixtureRows(QStringLiteral("app/versionAgainstActivationAndLogin")));
    }
    void stateAgainstActivationAndLogin()
    {
        QFETCH(QJsonObject, row);
        const QString state = row["state"].toString();
        const bool loginSent = row["loginSent"].toBool();
        const int requests = row["requests"].toInt();
        double now = 1.7e9;
        AppHarness app;
        QVERIFY(launchWith(app, state, QStringLiteral("https://apps.zelk-supply.com.tw/eip/download"), &now));
        if (app.ui.hasOpenAlert())
            QVERIFY(app.ui.pressAlertButton(app.ui.currentAlertButtons().first()));
        QVERIFY(!app.ui.hasOpenAlert());
        now += row["minutesAway"].toInt() * 60;

        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        if (row["action"] == QLatin1String("active")) {
            for (int i = 0; i < 2; ++i) {
                app.ui.setApplicationState(Qt::ApplicationInactive);
                app.ui.setApplicationState(Qt::ApplicationActive);
            }
        } else {
            app.login()->setUserName(QStringLiteral("demo"));
            app.login()->setPassword(QStringLiteral("demo123"));
            app.login()->loginAction();
            QCOMPARE(app.ui.isSpinnerShowing(), loginSent); // a login goes out behind the spinner
            if (loginSent)
                QTRY_VERIFY(app.tabs());
        }
        if (requests > 1)
            QVERIFY(finished.wait(5000));
        settle();
        const QStringList alertButtons = row["alertButtons"].toVariant().toStringList();
        QCOMPARE(app.ui.openAlertCount(), alertButtons.isEmpty() ? 0 : 1); // never stacked
        QCOMPARE(app.ui.currentAlertButtons(), alertButtons);
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("login")).size(), loginSent ? 1 : 0);
        QCOMPARE(versionRequests(app), requests);
    }

    // Signed in when the update becomes forced: coming back after 31 minutes shows it over the tabs, and
    // it cannot be answered into using the app while the page cannot be opened.
    void forcedWhileSignedIn()
    {
        double now = 1.7e9;
        AppHarness app;
        QVERIFY(launchWith(app, QStringLiteral("none"), QString(), &now));
        QVERIFY(app.signIn());
        QVERIFY(app.gateway.setVersionState(QStringLiteral("forced"), QStringLiteral("請更新"),
                                            QStringLiteral("https://apps.zelk-supply.com.tw/eip/download")));
        now += 31 * 60;
        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        app.ui.setApplicationState(Qt::ApplicationHidden);
        app.ui.setApplicationState(Qt::ApplicationActive);
        QVERIFY(finished.wait(5000));
        QVERIFY(app.tabs());
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"立刻更新"}));
        app.ui.setOpenUrlResult(false);
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("立刻更新")));
        QCOMPARE(app.ui.currentAlertMessage(), QStringLiteral("請更新"));
        QCOMPARE(app.ui.openAlertCount(), 1);
    }
};

ZELK_TEST(VersionAlertTest)
#include "VersionAlertTest.moc"
