// The version check as the user meets it: the alert the login screen's loading brings up, and how
// often it comes back.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

class VersionAlertTest : public QObject
{
    Q_OBJECT
    static constexpr const char *kPage = "https://apps.zelk-supply.com.tw/eip/download";

    static int versionRequests(AppHarness &app)
    {
        int count = 0;
        for (const QJsonValue &r : app.gateway.requests())
            count += r.toObject().value(QLatin1String("path")).toString().endsWith(QLatin1String("checkVersion/json"));
        return count;
    }

    // Launches with the service answering `state` (the page of an update kPage) and the check's clock
    // reading `*clock`, and waits for the answer to be applied.
    static bool launchWith(AppHarness &app, const QString &state, const double *clock)
    {
        if (!app.gateway.setVersionState(state, QStringLiteral("新版本已上架"), kPage))
            return false;
        app.context->versionCheck().setVersionText(QStringLiteral("UAT 1.0.0"));
        app.context->versionCheck().setClock([clock] { return *clock; });
        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        return app.launch() && (finished.count() > 0 || finished.wait(5000));
    }

private slots:
    // The alert the launched app shows for each answer (its first button answers it; an optional update
    // is offered once), then what the app becoming active again (twice, `minutesAway` after the first
    // check) or the login button brings up, and whether a login reaches the gateway.
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
        QVERIFY(launchWith(app, state, &now));
        const FakeUi::ShownAlert *first = app.ui.currentAlert();
        ZELK_COMPARE_JSON(first ? QJsonValue(QJsonObject{{"title", first->alert.title}, {"message", first->alert.message},
                                                         {"buttons", QJsonArray::fromStringList(app.ui.currentAlertButtons())},
                                                         {"firstCancels", first->alert.buttons[0].style == AlertButton::Style::Cancel}})
                                : QJsonValue(),
                          row["firstAlert"]);
        if (first)
            QVERIFY(app.ui.pressAlertButton(app.ui.currentAlertButtons().first()));
        QCOMPARE(app.ui.openedUrls().size(), state == "forced"_L1 ? 1 : 0);
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
        QVERIFY(launchWith(app, QStringLiteral("none"), &now));
        QVERIFY(app.signIn());
        QVERIFY(app.gateway.setVersionState(QStringLiteral("forced"), QStringLiteral("請更新"), kPage));
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
