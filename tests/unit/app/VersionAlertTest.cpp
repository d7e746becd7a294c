// The version check as the user meets it: the alert the login screen's loading brings up, and how
// often it comes back.
#include "AppHarness.h"
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
    static bool launchWith(AppHarness &app, const QString &state, const QString &url = QStringLiteral("https://apps.zelk-supply.com.tw/eip/download"))
    {
        if (!app.gateway.setVersionState(state, QStringLiteral("新版本已上架"), url))
            return false;
        app.context->versionCheck().setVersionText(QStringLiteral("UAT 1.0.0"));
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
            QVERIFY(app.ui.openedUrls().isEmpty());
            app.context->versionCheck().checkForUpdate();
            AppHarness::settle();
            QVERIFY(!app.ui.hasOpenAlert()); // offered once
            QCOMPARE(versionRequests(app), 1);
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
            AppHarness app;
            QVERIFY(launchWith(app, QStringLiteral("optional"), QStringLiteral("not an address")));
            QVERIFY(app.ui.pressAlertButton(QStringLiteral("立刻更新")));
            QVERIFY(app.ui.openedUrls().isEmpty());
        }
    }
};

ZELK_TEST(VersionAlertTest)
#include "VersionAlertTest.moc"
