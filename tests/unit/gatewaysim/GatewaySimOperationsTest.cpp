// Each operation of the development gateway answers in the shape the client's records parse, and the
// seed holds the cases the screens are tried against.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "model/OrderStatus.h"
#include "services/Operations.h"

#include <QDate>
#include <QTest>

#include <memory>

namespace {
const QJsonObject kDemo{{"userID", "U10023"}};

QJsonObject with(QJsonObject params, const QJsonObject &extra = kDemo)
{
    for (auto it = extra.begin(); it != extra.end(); ++it)
        params.insert(it.key(), it.value());
    return params;
}
} // namespace

class GatewaySimOperationsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayCalls> m_sim;

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void cleanupTestCase() { m_sim.reset(); }

    // Every answer the screens read, with its least row count, and the refusals with what their message names.
    void answersAndRefusals()
    {
        const QString digest = Operations::md5Hex(QStringLiteral("demo123"));
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
        struct Case {
            const char *name;
            GatewayCalls::Op op;
            QJsonObject params;
            const char *listKey; // empty: a refusal whose message contains `refusal`
            int minRows;
            QString refusal;
        };
        const Case cases[] = {
            {"login", &Operations::login, {{"user_name", "demo"}, {"password", digest}}, "", -1, {}},
            {"plain password", &Operations::login, {{"user_name", "demo"}, {"password", "demo123"}}, "", 0, QStringLiteral("帳號或密碼錯誤")},
            {"upper-case digest", &Operations::login, {{"user_name", "demo"}, {"password", digest.toUpper()}}, "", 0, QStringLiteral("帳號或密碼錯誤")},
            {"inco1", &Operations::inco1List, kDemo, "inco1List", 2, {}},
            {"inco2", &Operations::inco2List, kDemo, "inco2List", 1, {}},
            {"transport", &Operations::transportList, kDemo, "transportList", 2, {}},
            {"order types", &Operations::orderTypeList, kDemo, "orderTypeList", 2, {}},
            {"points 1100", &Operations::getTvstzList, with({{"vkorg", "1100"}}), "list", 2, {}},
            {"points 2100", &Operations::getTvstzList, with({{"vkorg", "2100"}}), "list", 2, {}},
            {"customers of demo", &Operations::clientList, kDemo, "custList", 38, {}},
            {"customers without id", &Operations::clientList, {{"userID", ""}}, "", 0, QStringLiteral("查無使用者")},
            {"prices without keys", &Operations::ZSD_GET_MATNR_PRICE, {{"pVkorg", "1100"}}, "", 0, QStringLiteral("pVtweg")},
            {"unknown customer's credit", &Operations::ZBAPI_GET_CUSTOMER_CREDIT, with({{"pKunnr", "0000999999"}, {"pKkber", "1000"}}), "", 0, QStringLiteral("0000999999")},
            {"point that fails", &Operations::ZSD_GET_TVSTZ, with({{"pKunnr", "0000100112"}, {"pWerks", "1100"}}), "", 0, QStringLiteral("裝運點")},
            {"contracts", &Operations::ZSD_GET_CUST_CONTRACT2, with({{"pAuart", "*"}, {"pGueen", today}, {"pKunnr", "0000100101"}}), "custContract2List", 3, {}},
            {"contract date not yyyy/MM/dd", &Operations::ZSD_GET_CUST_CONTRACT2, with({{"pAuart", "*"}, {"pGueen", "06.12.2026"}, {"pKunnr", "0000100101"}}), "", 0, QStringLiteral("pGueen")},
            {"contract materials", &Operations::ZSD_GET_CUST_CONTRACT1, with({{"pVbeln", "0040000102"}}), "custContract1List", 2, {}},
        };
        for (const Case &c : cases) {
            const ApiStatus s = m_sim->call(c.op, c.params);
            if (c.minRows < 0) {
                QVERIFY2(s.isSuccess, c.name);
            } else if (!*c.listKey) {
                QVERIFY2(!s.isSuccess && s.message.contains(c.refusal), qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") + s.message));
            } else {
                QVERIFY2(s.isSuccess, c.name);
                QVERIFY2(answerOf(s).value(QLatin1String(c.listKey)).toArray().size() >= c.minRows, c.name);
            }
        }
    }

    // What the screens' edge cases rely on: the second organisation's customers and notice group, prices
    // per district, terms and order type, credit states, and contracts.
    void seedCases()
    {
        const auto south = parseList<OrderCustomer>(answerOf(m_sim->call(&Operations::clientList, {{"userID", "U10045"}})),
                                                     QStringLiteral("custList"));
        QVERIFY(!south.isEmpty());
        QVERIFY(std::all_of(south.begin(), south.end(), [](const OrderCustomer &c) { return c.vkorg == "2100"; }));
        const auto group = [&](const char *org) {
            return parseList<NoticeGroup>(answerOf(m_sim->call(&Operations::getNoticeGroupUserList, with({{"ngrName", org}}))),
                                          QStringLiteral("list"));
        };
        const auto required = [](const NoticeGroup &m) { return m.type == "1"; };
        const auto northGroup = group("1100");
        QVERIFY(std::any_of(northGroup.begin(), northGroup.end(), required));
        const auto southGroup = group("2100");
        QVERIFY(!southGroup.isEmpty() && std::none_of(southGroup.begin(), southGroup.end(), required));

        const auto cementPrice = [&](const char *bzirk, const char *inco1, const char *auart) {
            const auto items = parseList<OrderItem>(
                answerOf(m_sim->call(&Operations::ZSD_GET_MATNR_PRICE,
                                     with({{"pVkorg", "1100"}, {"pVtweg", "10"}, {"pBzirk", bzirk}, {"pInco1", inco1},
                                           {"pInco2", "000"}, {"pAuart", auart}}))),
                QStringLiteral("matnrPriceList"));
            const auto it = std::find_if(items.begin(), items.end(), [](const OrderItem &i) { return i.matnr == "10000101"; });
            return it == items.end() ? 0.0f : it->kbetr; // "kbetr" is read strictly: it travels as a JSON number
        };
        const float base = cementPrice("N01", "EXW", "ZOR");
        QVERIFY(base > 0);
        QVERIFY(cementPrice("S02", "EXW", "ZOR") > base);
        QVERIFY(cementPrice("N01", "DAP", "ZOR") > base);
        QVERIFY(cementPrice("N01", "EXW", "ZRU") > base);

        const auto credit = [&](const char *kunnr) {
            return readLenientNumber(answerOf(m_sim->call(&Operations::ZBAPI_GET_CUSTOMER_CREDIT,
                                                          with({{"pKunnr", kunnr}, {"pKkber", "1000"}})))
                                         .value(QStringLiteral("custCredit")).toObject(),
                                     QStringLiteral("pOblig"));
        };
        QVERIFY(credit("0000100101") > 100000);
        QVERIFY(credit("0000100104") > 0 && credit("0000100104") < 20000);
        QVERIFY(credit("0000100106") < 0);

        // Contracts: an expired one is not listed; one customer's contract type matches no order type.
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
        const auto contracts = [&](const char *kunnr) {
            return parseList<Contract2>(answerOf(m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT2,
                                                             with({{"pAuart", "*"}, {"pGueen", today}, {"pKunnr", kunnr}}))),
                                        QStringLiteral("custContract2List"));
        };
        const auto north = contracts("0000100101");
        QVERIFY(std::none_of(north.begin(), north.end(), [](const Contract2 &c) { return c.vbeln == "0040000088"; }));
        const auto odd = contracts("0000100103");
        const auto types = parseList<OrderType>(answerOf(m_sim->call(&Operations::orderTypeList, kDemo)),
                                                QStringLiteral("orderTypeList"));
        QVERIFY(!odd.isEmpty());
        QVERIFY(std::none_of(types.begin(), types.end(), [&](const OrderType &t) { return t.otCode == odd.first().auart; }));
    }
};

ZELK_TEST(GatewaySimOperationsTest)
#include "GatewaySimOperationsTest.moc"
