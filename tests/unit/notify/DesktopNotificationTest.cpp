// The desktop notification of a push that arrives while the app is in the background, against a
// notification service of the test's own on a private session bus: the body is shown as written, so a
// service that reads markup gets it escaped and one that does not gets it unchanged.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "notify/PushDelivery.h"
#include "platform/DesktopNotification.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>
#include <QVariantMap>
#include <QWindow>

class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList capabilities;
    QStringList bodies;

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString &, uint, const QString &, const QString &, const QString &body, const QStringList &,
                const QVariantMap &, int)
    {
        bodies << body;
        return uint(bodies.size());
    }
};

class DesktopNotificationTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                    QStringLiteral("--print-address")});
        QVERIFY2(m_bus.waitForReadyRead(5000), "dbus-daemon (scripts/setup installs it) runs the session bus");
        const QByteArray address = m_bus.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        QDBusConnection service = QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("service"));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                                       QDBusConnection::ExportAllSlots));
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        m_bus.kill();
        m_bus.waitForFinished();
    }

    // The body a service gets, by whether it reads markup (tests/data/notify/desktopBodies.json).
    void bodyIsShownAsWritten_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("notify/desktopBodies"))); }
    void bodyIsShownAsWritten()
    {
        QFETCH(QJsonObject, row);
        m_service.capabilities = row["capabilities"].toVariant().toStringList();
        m_service.bodies.clear();
        DesktopNotification::show(QStringLiteral("收到訊息"),
                                  QStringLiteral("<img src=\"http://127.0.0.1:9/p.png\">到貨 & 出貨"));
        QTRY_COMPARE(m_service.bodies, QStringList{row["body"].toString()});
    }

    // A push shows on the desktop only while the app's window is not the active one: in front, the rep
    // sees the alert in the window and a second banner would only repeat it.
    void pushReachesTheDesktopOnlyInTheBackground()
    {
        AppHarness app;
        app.startSignedIn();
        PushDelivery delivery(*app.context, app.ui, app.navigator);
        const auto push = [](const char *text) { return QJsonObject{{"aps", QJsonObject{{"alert", text}}}}; };
        m_service.capabilities.clear();
        m_service.bodies.clear();
        QVERIFY(QGuiApplication::applicationState() != Qt::ApplicationActive); // no window activated yet
        delivery.didReceiveRemoteNotification(push("背景"));
        QTRY_COMPARE(m_service.bodies, QStringList{u"背景"_qs});

        QWindow window;
        window.show();
        window.requestActivate();
        QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
        delivery.didReceiveRemoteNotification(push("前景"));
        // Calls on one connection arrive in order: had the push gone out, it would come before this one.
        DesktopNotification::show(u"收到訊息"_qs, u"之後"_qs);
        QTRY_COMPARE(m_service.bodies, (QStringList{u"背景"_qs, u"之後"_qs}));
        QCOMPARE(app.ui.openAlertCount(), 2);
    }

private:
    QProcess m_bus;
    FakeNotifications m_service;
};

ZELK_TEST(DesktopNotificationTest)
#include "DesktopNotificationTest.moc"
