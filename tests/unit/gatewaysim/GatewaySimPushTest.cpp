// The development gateway as push relay: WebSocket registrations, tokens per installation, the link of a
// token to an account, and delivery of POST /__sim/push to the account's connected devices.
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QTest>
#include <QWebSocket>

#include <memory>

namespace {

// One device on the relay: its connection, the token it was given and every frame it received.
struct Device {
    QWebSocket socket;
    QStringList frames;
    QString token; // upper-case hex, as the app sends it

    bool connectTo(const GatewayFixture &gateway, const QString &installation)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket, [this](const QString &f) { frames << f; });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/zelkpush/relay").arg(gateway.baseUrl().section(':', -1))));
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 5000))
            return false;
        socket.sendTextMessage(QStringLiteral("{\"type\":\"register\",\"installation\":\"%1\"}").arg(installation));
        if (!QTest::qWaitFor([&] { return !frames.isEmpty(); }, 5000))
            return false;
        const QJsonObject answer = QJsonDocument::fromJson(frames.takeFirst().toUtf8()).object();
        const QByteArray bytes = QByteArray::fromBase64(answer.value(QLatin1String("token")).toString().toLatin1());
        token = QString::fromLatin1(bytes.toHex().toUpper());
        return answer.value(QLatin1String("type")) == QLatin1String("registered") && bytes.size() == 32;
    }
};

} // namespace

class GatewaySimPushTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayFixture> m_gateway;
    QByteArray http(const QByteArray &verb, const QString &path, const QByteArray &body = {},
                    const QByteArray &type = "application/json")
    {
        return httpCall(m_gateway->baseUrl() + path, verb, body, type).body;
    }
    void link(const QString &token, const QString &account)
    {
        const QByteArray answer = http("POST", QStringLiteral("/zelkgw/zelkapi.asmx/pushRegistration"),
                                       "token=" + token.toLatin1() + "&userId=" + account.toUtf8() + "&os=0",
                                       "application/x-www-form-urlencoded");
        QCOMPARE(QJsonDocument::fromJson(answer).object().value(QLatin1String("returnCode")).toString(), QStringLiteral("00"));
    }

private slots:
    void initTestCase()
    {
        m_gateway = std::make_unique<GatewayFixture>();
        QVERIFY(m_gateway->isRunning());
    }
    void init() { m_gateway->reset(); }

    void sameInstallationSameTokenAndBadFramesRefused()
    {
        Device first, again, other;
        QVERIFY(first.connectTo(*m_gateway, QStringLiteral("install-1")));
        first.socket.close();
        QVERIFY(again.connectTo(*m_gateway, QStringLiteral("install-1")));
        QVERIFY(other.connectTo(*m_gateway, QStringLiteral("install-2")));
        QCOMPARE(again.token, first.token);
        QVERIFY(other.token != first.token);

        // A frame that is not a registration is answered with an error; the connection stays.
        again.socket.sendTextMessage(QStringLiteral("hello"));
        QTRY_COMPARE(again.frames.size(), 1);
        QCOMPARE(QJsonDocument::fromJson(again.frames.first().toUtf8())["type"].toString(), QStringLiteral("error"));
        QCOMPARE(again.socket.state(), QAbstractSocket::ConnectedState);
        // A frame over the relay's limit ends that connection only.
        other.socket.sendTextMessage(QString(100 * 1024, QLatin1Char('x')));
        QTRY_COMPARE(other.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(again.socket.state(), QAbstractSocket::ConnectedState);
    }

    // A push (POST /__sim/push) and the frames a device linked to "demo" receives
    // (tests/data/gatewaysim/pushDelivery.json).
    void pushReachesTheAccountsConnectedDevices_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/pushDelivery"))); }
    void pushReachesTheAccountsConnectedDevices()
    {
        QFETCH(QJsonObject, row);
        Device device;
        QVERIFY(device.connectTo(*m_gateway, QStringLiteral("install-%1").arg(QTest::currentDataTag())));
        link(device.token, QStringLiteral("demo"));
        const QJsonObject devices = QJsonDocument::fromJson(http("GET", QStringLiteral("/__sim/push/devices"))).object();
        QCOMPARE(devices["accounts"].toObject(), QJsonObject({{"demo", QJsonArray{device.token}}}));
        QCOMPARE(devices["connected"].toArray(), QJsonArray{device.token});

        const QByteArray push = QJsonDocument(row["push"].toObject()).toJson();
        QCOMPARE(QJsonDocument::fromJson(http("POST", QStringLiteral("/__sim/push"), push))["returnCode"].toString(),
                 QStringLiteral("00"));
        // A push to the device's own account follows, so that a frame the device should not get has had
        // its chance to arrive first.
        http("POST", QStringLiteral("/__sim/push"), R"({"account":"demo","title":"last"})");
        QJsonArray wanted = row["frames"].toArray();
        wanted.append(QJsonObject{{"aps", QJsonObject{{"alert", "last"}}}});
        QTRY_COMPARE(device.frames.size(), wanted.size());
        QJsonArray frames;
        for (const QString &frame : std::as_const(device.frames))
            frames.append(QJsonDocument::fromJson(frame.toUtf8()).object());
        ZELK_COMPARE_JSON(frames, wanted);
    }
};

ZELK_TEST(GatewaySimPushTest)
#include "GatewaySimPushTest.moc"
