// The notice mail at the development gateway: recorded when its recipients are members of the sender's
// notice group and include a required person where the group has one; refused otherwise.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "services/Operations.h"

#include <QJsonArray>
#include <QTest>

#include <memory>

namespace {
QJsonObject recipient(const char *userId, const char *mail) { return QJsonObject{{"userId", userId}, {"mail", mail}}; }
const QJsonObject kChang = recipient("U20011", "chiahao.chang@zelk-supply.com.tw"); // 1100, required
const QJsonObject kHuang = recipient("U20021", "chunchieh.huang@zelk-supply.com.tw"); // 1100, contact
const QJsonObject kTsai = recipient("U30011", "tsunghan.tsai@zelk-supply.com.tw");    // 2100, contact
} // namespace

class GatewaySimMailTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayCalls> m_sim;

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY(m_sim->gateway()->isRunning());
    }

    void mailRules_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QJsonArray>("recipients");
        QTest::addColumn<QString>("refusal"); // empty: recorded
        QTest::newRow("required person and contact") << "U10023" << QJsonArray{kChang, kHuang} << "";
        QTest::newRow("no required person") << "U10023" << QJsonArray{kHuang} << "沒有必選人員";
        QTest::newRow("group without required persons") << "U10045" << QJsonArray{kTsai} << "";
        QTest::newRow("member of another organisation") << "U10045" << QJsonArray{kTsai, kChang} << "不是 2100 通知群組的成員";
        QTest::newRow("member at another address")
            << "U10023" << QJsonArray{recipient("U20011", "someone@example.com")} << "不是 1100 通知群組的成員";
        QTest::newRow("type 2 member alone") << "U10023" << QJsonArray{recipient("U20031", "wenpin.hsu@zelk-supply.com.tw")}
                                             << "沒有必選人員";
        QTest::newRow("unknown sender") << "U99999" << QJsonArray{kTsai} << "發送人不存在";
    }
    void mailRules()
    {
        QFETCH(QString, sender);
        QFETCH(QJsonArray, recipients);
        QFETCH(QString, refusal);
        m_sim->gateway()->reset();
        const QJsonObject item{{"userId", sender}, {"orderSeq", "S-1"}, {"otVbeln", "0010004660"}, {"carNo", ""},
                               {"remark", ""}, {"kunweName", "大安營造股份有限公司"}, {"kunwe", "0000100101"},
                               {"userName", "陳志明"}, {"matnrName", "卜特蘭I型水泥 散裝(噸)"}, {"kwmeng", "20.0"},
                               {"vkorg", "1100"}, {"mailList", recipients}};
        const ApiStatus s = m_sim->call(&Operations::sendMail, {{"sendMailList", QJsonArray{item}}});
        const QJsonArray sent = m_sim->gateway()->simulator()->sentMails();
        if (refusal.isEmpty()) {
            QVERIFY2(s.isSuccess, qPrintable(s.message));
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent.at(0).toObject().value("sendMailList").toArray(), QJsonArray{item});
        } else {
            QVERIFY(!s.isSuccess);
            QVERIFY2(s.message.contains(refusal), qPrintable(s.message));
            QCOMPARE(sent.size(), 0);
        }
    }
};

ZELK_TEST(GatewaySimMailTest)
#include "GatewaySimMailTest.moc"
