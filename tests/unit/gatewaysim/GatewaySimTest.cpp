// The development gateway's own behaviour that the app's tests do not reach, on raw connections: its fault
// modes, the requests it refuses, its HTTP framing and limits, its request log and the push relay.
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "GatewayFixture.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

namespace {

// Reads answers framed by Content-Length from `socket` until `count` arrived, the connection closed or the
// time is up; what arrived beyond them stays in `buffer`.
QList<HttpAnswer> readAnswers(QTcpSocket &socket, QByteArray &buffer, int count, int timeoutMs = 5000)
{
    QList<HttpAnswer> answers;
    QDeadlineTimer deadline(timeoutMs);
    while (answers.size() < count) {
        buffer += socket.readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        const QByteArray head = buffer.left(end).toLower();
        const qsizetype at = head.indexOf("content-length: ");
        const qsizetype length = at < 0 ? 0 : head.mid(at + 16).split('\r').first().toLongLong();
        if (end >= 0 && buffer.size() >= end + 4 + length) {
            answers.append(HttpAnswer{head.mid(9, 3).toInt(), buffer.mid(end + 4, length)});
            buffer.remove(0, end + 4 + length);
        } else if (deadline.hasExpired() ||
                   !socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            break;
        }
    }
    return answers;
}

// A part of the bytes a test writes: a text as written, or {"POST": path, "body": text or document} framed
// with its length.
QByteArray requestBytes(const QJsonValue &part)
{
    if (part.isString())
        return part.toString().toUtf8();
    const QJsonValue body = part["body"];
    const QByteArray bytes = body.isString() ? body.toString().toUtf8()
                                             : QJsonDocument(body.toObject()).toJson(QJsonDocument::Compact);
    return "POST " + part["POST"].toString().toUtf8() + " HTTP/1.1\r\nContent-Length: " +
           QByteArray::number(bytes.size()) + "\r\n\r\n" + bytes;
}

// One device on the push relay: its connection, the token it was given and every frame it received.
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

class GatewaySimTest : public QObject
{
    Q_OBJECT
private slots:
    // Exchanges on one raw connection (tests/data/gatewaysim/exchanges.json): the bytes written ("request",
    // "padding" bytes, then a GET of /after where "then") to a gateway made with "options" and holding
    // "fault"; the answers in order (status, texts the body "holds" and texts it "lacks"); whether the
    // gateway then closes the connection, answering nothing more; and its request log where given. A row with
    // "refused" instead expects the gateway not to start, with that text in its reason. Among them its fault
    // modes (once or lasting, on one operation, ended by a reset), faults it cannot apply, the requests it
    // refuses (framing it cannot read, documents it cannot serve, with a message naming what is wrong), its
    // log over HTTP, and the benchmarks' options (generated lists, the version answer).
    void rawExchanges_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/exchanges"))); }
    void rawExchanges()
    {
        QFETCH(QJsonObject, row);
        const QJsonObject given = row["options"].toObject();
        GatewaySimulator::Options options;
        options.requestLogLimit = given["requestLogLimit"].toInt(options.requestLogLimit);
        options.loggedBodyLimit = given["loggedBodyLimit"].toInt(options.loggedBodyLimit);
        options.bodyStallMs = given["bodyStallMs"].toInt(options.bodyStallMs);
        options.customers = given["customers"].toInt(options.customers);
        options.materials = given["materials"].toInt(options.materials);
        options.versionState = given["versionState"].toString();
        GatewayFixture gateway(options);
        if (row.contains("refused")) {
            QVERIFY(!gateway.isRunning());
            QVERIFY2(gateway.errorString().contains(row["refused"].toString()), qPrintable(gateway.errorString()));
            return;
        }
        QVERIFY(!row.contains("fault") || gateway.setFault(row["fault"].toObject()));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(QUrl(gateway.baseUrl()).port()));
        QVERIFY(socket.waitForConnected(5000));
        QByteArray bytes;
        for (const QJsonValue part : row["request"].toArray())
            bytes += requestBytes(part);
        socket.write(bytes + QByteArray(row["padding"].toInt(), 'a') +
                     (row["then"].toBool() ? QByteArray("GET /after HTTP/1.1\r\n\r\n") : QByteArray()));
        const QJsonArray expected = row["answers"].toArray();
        QByteArray buffer;
        const QList<HttpAnswer> answers = readAnswers(socket, buffer, int(expected.size()));
        QCOMPARE(answers.size(), expected.size());
        for (qsizetype i = 0; i < answers.size(); ++i) {
            QCOMPARE(answers[i].status, expected[i]["status"].toInt());
            for (const QJsonValue text : expected[i]["holds"].toArray())
                QVERIFY2(answers[i].body.contains(text.toString().toUtf8()), answers[i].body.constData());
            for (const QJsonValue text : expected[i]["lacks"].toArray())
                QVERIFY2(!answers[i].body.contains(text.toString().toUtf8()), answers[i].body.constData());
        }
        if (row["closes"].toBool()) {
            QVERIFY(socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(5000));
            QVERIFY(readAnswers(socket, buffer, 1, 0).isEmpty());
        }
        if (row.contains("log"))
            ZELK_COMPARE_JSON(gateway.requests(), row["log"]);
    }

    // Devices on the push relay: a token per installation (the same one again after a reconnect:
    // PushNotificationsTest's relay restart), frames it cannot use refused, and the frames a
    // device linked to "demo" gets of pushes (POST /__sim/push) to its account, by name or user id, and not
    // of one to another account; the last push is to "demo", so that a frame not wanted has had its chance.
    void pushRelay()
    {
        GatewayFixture gateway;
        Device device, other;
        QVERIFY(device.connectTo(gateway, QStringLiteral("install-1")));
        QVERIFY(other.connectTo(gateway, QStringLiteral("install-2")));
        QVERIFY(other.token != device.token);

        // A frame that is not a registration is answered with an error; the connection stays.
        device.socket.sendTextMessage(QStringLiteral("hello"));
        QTRY_COMPARE(device.frames.size(), 1);
        QCOMPARE(QJsonDocument::fromJson(device.frames.takeFirst().toUtf8())["type"].toString(),
                 QStringLiteral("error"));
        // A frame over the relay's limit ends that connection only.
        other.socket.sendTextMessage(QString(100 * 1024, QLatin1Char('x')));
        QTRY_COMPARE(other.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(device.socket.state(), QAbstractSocket::ConnectedState);

        const QString base = gateway.baseUrl();
        const QByteArray link = "token=" + device.token.toLatin1() + "&userId=demo&os=0";
        const auto form = "application/x-www-form-urlencoded";
        QCOMPARE(httpCall(base + "/zelkgw/zelkapi.asmx/pushRegistration", "POST", link, form).status, 200);
        QTRY_COMPARE(httpCall(base + "/__sim/push/devices", "GET").json(),
                     QJsonObject({{"accounts", QJsonObject{{"demo", QJsonArray{device.token}}}},
                                  {"connected", QJsonArray{device.token}}}));
        for (const QJsonObject &push :
             {QJsonObject{{"userId", "U10023"}, {"title", "出貨"}},
              QJsonObject{{"account", "lin.yating"}, {"title", "x"}},
              QJsonObject{{"account", "demo"}, {"title", "last"}}})
            QCOMPARE(httpCall(base + "/__sim/push", "POST", QJsonDocument(push).toJson()).status, 200);
        QTRY_COMPARE(device.frames.size(), 2);
        QCOMPARE(device.frames, QStringList({R"({"aps":{"alert":"出貨"}})", R"({"aps":{"alert":"last"}})"}));
    }
};

ZELK_TEST(GatewaySimTest)
#include "GatewaySimTest.moc"
