// The development gateway's HTTP handling on raw connections: pipelined requests answered in order,
// "Connection: close" honoured, a stalled request timed out, the request log capped, malformed framing
// refused.
#include "GatewayFixture.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>

namespace {

struct Answer {
    int status = 0;
    QByteArray head;
    QByteArray body;
};

// A client on one raw connection: writes bytes as given, reads answers framed by Content-Length.
class RawClient
{
public:
    explicit RawClient(const GatewayFixture &gateway)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, quint16(QUrl(gateway.baseUrl()).port()));
        m_socket.waitForConnected(5000);
    }
    void write(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(5000);
    }
    // Reads until `count` answers arrived, the connection closed or the time is up.
    QList<Answer> read(int count, int timeoutMs = 5000)
    {
        QList<Answer> answers;
        QDeadlineTimer deadline(timeoutMs);
        while (answers.size() < count) {
            m_buffer += m_socket.readAll(); // also what arrived while events ran elsewhere
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end >= 0) {
                Answer a;
                a.head = m_buffer.left(end);
                a.status = a.head.mid(9, 3).toInt();
                const qsizetype at = a.head.toLower().indexOf("content-length: ");
                const qsizetype length = at < 0 ? 0 : a.head.mid(at + 16).split('\r').first().toLongLong();
                if (m_buffer.size() >= end + 4 + length) {
                    a.body = m_buffer.mid(end + 4, length);
                    m_buffer.remove(0, end + 4 + length);
                    answers.append(a);
                    continue;
                }
            }
            if (deadline.hasExpired() || !m_socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                break;
        }
        return answers;
    }
    bool closedByServer(int timeoutMs = 5000)
    {
        return m_socket.state() == QAbstractSocket::UnconnectedState || m_socket.waitForDisconnected(timeoutMs);
    }

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

QByteArray post(const QByteArray &path, const QByteArray &body)
{
    return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
           "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray get(const QByteArray &path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

const QByteArray kLogin = "{\"ApiName\":\"login\",\"Body\":\"{\\\"user_name\\\":\\\"demo\\\",\\\"password\\\":\\\"62cc2d8b4bf2d8728120d052163a77df\\\"}\"}";
const QByteArray kGateway = "/zelkgateway/api/zelkGWService";

QStringList loggedPaths(const GatewayFixture &gateway)
{
    QStringList paths;
    for (const QJsonValue &v : gateway.requests())
        paths << v.toObject().value(QStringLiteral("path")).toString();
    return paths;
}

} // namespace

class GatewaySimHttpTest : public QObject
{
    Q_OBJECT

private slots:
    void pipelinedRequestsAreAnsweredInOrder()
    {
        GatewayFixture gateway;
        QVERIFY(gateway.isRunning());
        // The first answer is held back; the two behind it are ready at once, yet come after it.
        QVERIFY(gateway.setFault(QStringLiteral("login"), QStringLiteral("delay"), 300));
        RawClient client(gateway);
        client.write(post(kGateway, kLogin) + get("/elsewhere") + post("/clickRateGW/api/checkVersion/json", "{}"));
        const QList<Answer> answers = client.read(3);
        QCOMPARE(answers.size(), 3);
        QCOMPARE(answers.at(0).status, 200);
        QCOMPARE(QJsonDocument::fromJson(answers.at(0).body).object().value("returnMsg").toString(),
                 QStringLiteral("登入成功"));
        QCOMPARE(answers.at(1).status, 404);
        QVERIFY(QJsonDocument::fromJson(answers.at(2).body).object().contains("returnMessage"));
        QCOMPARE(loggedPaths(gateway),
                 QStringList({kGateway, "/elsewhere", "/clickRateGW/api/checkVersion/json"}));

        // The connection stays open for more.
        client.write(get("/again"));
        QCOMPARE(client.read(1).value(0).status, 404);
    }

    void stalledRequestTimesOut()
    {
        GatewaySimulator::Options options;
        options.bodyStallMs = 300;
        GatewayFixture gateway(options);
        RawClient client(gateway);
        const QByteArray request = post(kGateway, kLogin);
        client.write(request.left(request.size() - 10));
        QCOMPARE(client.read(1).value(0).status, 408);
        QVERIFY(client.closedByServer());
        QVERIFY(gateway.requests().isEmpty());

        // Bytes that keep coming within the limit are waited for.
        RawClient slow(gateway);
        for (qsizetype i = 0; i < request.size(); i += request.size() / 4 + 1) {
            slow.write(request.mid(i, request.size() / 4 + 1));
            QTest::qWait(150);
        }
        QCOMPARE(slow.read(1).value(0).status, 200);
    }

    void requestLogIsCapped()
    {
        GatewaySimulator::Options options;
        options.requestLogLimit = 3;
        options.loggedBodyLimit = 16;
        GatewayFixture gateway(options);
        RawClient client(gateway);
        client.write(get("/a1") + get("/a2") + get("/a3") + get("/a4") + post("/kept", "0123456789abcdef") +
                     post("/omitted", "0123456789abcdefg"));
        QCOMPARE(client.read(6).size(), 6);
        QCOMPARE(loggedPaths(gateway), QStringList({"/a4", "/kept", "/omitted"}));
        const QJsonObject kept = gateway.requests().at(1).toObject();
        QCOMPARE(kept.value("body").toString(), QStringLiteral("0123456789abcdef"));
        QVERIFY(!kept.contains("bodyOmitted"));
        const QJsonObject omitted = gateway.requests().at(2).toObject();
        QCOMPARE(omitted.value("body").toString(), QString());
        QCOMPARE(omitted.value("bodyOmitted").toInt(), 17);
        QVERIFY(omitted.value("note").toString().contains(QStringLiteral("17 bytes")));
    }

    // Requests after which the gateway answers once and closes the connection: one asking for it, and
    // malformed framing, which is refused and not logged (tests/data/gatewaysim/framing.json).
    void oneAnswerThenTheConnectionCloses_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/framing"))); }
    void oneAnswerThenTheConnectionCloses()
    {
        QFETCH(QJsonObject, row);
        GatewayFixture gateway;
        RawClient client(gateway);
        client.write(row["request"].toString().toLatin1() + QByteArray(row["padding"].toInt(), 'a') + get("/after"));
        const QList<Answer> answers = client.read(2, 2000);
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().status, row["status"].toInt());
        QVERIFY(client.closedByServer());
        QCOMPARE(loggedPaths(gateway), row["logged"].toVariant().toStringList());
    }
};

ZELK_TEST(GatewaySimHttpTest)
#include "GatewaySimHttpTest.moc"
