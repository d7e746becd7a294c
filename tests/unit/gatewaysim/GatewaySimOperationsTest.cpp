// Each operation of the development gateway answers in the shape the client's records parse.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "model/OrderStatus.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"

#include <QDate>
#include <QSet>
#include <QTest>

#include <memory>

class GatewaySimOperationsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayCalls> m_sim;

    static QJsonObject user(QJsonObject params = {})
    {
        params.insert(QStringLiteral("userID"), QStringLiteral("U10023"));
        return params;
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init() { m_sim->gateway()->reset(); }
    void cleanupTestCase() { m_sim.reset(); }

    void loginChecksTheDigestAndPasswordChangeReplacesIt()
    {
        const QString digest = Operations::md5Hex(QStringLiteral("demo123"));
        ApiStatus s = m_sim->call(&Operations::login, {{"user_name", "demo"}, {"password", digest}});
        QVERIFY2(s.isSuccess, qPrintable(s.message));
        const QJsonObject answer = answerOf(s);
        const QJsonObject info = answer.value(QStringLiteral("appUserInfo")).toObject();
        QCOMPARE(info.value(QStringLiteral("userID")).toString(), QStringLiteral("U10023"));
        QVERIFY(!info.value(QStringLiteral("userName")).toString().isEmpty());
        QVERIFY(info.value(QStringLiteral("email")).toString().contains(QLatin1Char('@')));
        for (const char *key : {"bukrs", "vkorg", "bukrsName", "vkorgName"})
            QVERIFY2(!answer.value(QLatin1String(key)).toString().isEmpty(), key);

        // The plain password, an upper-case digest and an unknown account are all refused with a message.
        for (const QJsonObject &wrong : {QJsonObject{{"user_name", "demo"}, {"password", "demo123"}},
                                         QJsonObject{{"user_name", "demo"}, {"password", digest.toUpper()}},
                                         QJsonObject{{"user_name", "nobody"}, {"password", digest}}}) {
            s = m_sim->call(&Operations::login, wrong);
            QVERIFY(!s.isSuccess);
            QCOMPARE(s.returnCode, QStringLiteral("01"));
            QCOMPARE(s.message, QStringLiteral("帳號或密碼錯誤"));
        }

        const QString next = Operations::md5Hex(QStringLiteral("new-secret"));
        s = m_sim->call(&Operations::modAppPwd, Operations::modAppPwdParameters(QStringLiteral("U10023"),
                                                                               Operations::md5Hex(QStringLiteral("bad")), next));
        QVERIFY(!s.isSuccess);
        QCOMPARE(s.message, QStringLiteral("舊密碼錯誤"));
        // Without a stored user id the client leaves "userID" out: the answer names the missing key.
        s = m_sim->call(&Operations::modAppPwd, Operations::modAppPwdParameters(std::nullopt, digest, next));
        QVERIFY(!s.isSuccess);
        QVERIFY2(s.message.contains(QStringLiteral("userID")), qPrintable(s.message));

        s = m_sim->call(&Operations::modAppPwd, Operations::modAppPwdParameters(QStringLiteral("U10023"), digest, next));
        QVERIFY2(s.isSuccess, qPrintable(s.message));
        QVERIFY(!m_sim->call(&Operations::login, {{"user_name", "demo"}, {"password", digest}}).isSuccess);
        QVERIFY(m_sim->call(&Operations::login, {{"user_name", "demo"}, {"password", next}}).isSuccess);

        m_sim->gateway()->reset(); // the seed's password again
        QVERIFY(m_sim->call(&Operations::login, {{"user_name", "demo"}, {"password", digest}}).isSuccess);
    }

    void informationListsParseIntoRecords()
    {
        ApiStatus s = m_sim->call(&Operations::inco1List, user());
        QVERIFY(s.isSuccess);
        const auto inco1 = parseList<Inco1>(answerOf(s), QStringLiteral("inco1List"));
        QVERIFY(inco1.size() >= 2);
        for (const Inco1 &i : inco1)
            QVERIFY(!i.inco1.isEmpty() && !i.bezei.isEmpty());

        // The blocking list fetch waits on this thread while the gateway, in its own thread, answers.
        QString stored;
        m_sim->client()->setListFetchSession({[] { return QStringLiteral("U10023"); }, [] { return QStringLiteral("1100"); },
                                              [&](const QString &, const QString &text) { stored = text; }});
        const std::optional<QString> text = m_sim->client()->fetchList(QStringLiteral("getTvstzList"), true);
        QVERIFY(text.has_value());
        QCOMPARE(stored, *text);
        QCOMPARE(parseList<Tvstz>(QJsonDocument::fromJson(text->toUtf8()).object(), QStringLiteral("list")).size(), 3);

        s = m_sim->call(&Operations::inco2List, user());
        QVERIFY(s.isSuccess);
        const QJsonArray inco2 = answerOf(s).value(QStringLiteral("inco2List")).toArray();
        QVERIFY(std::any_of(inco2.begin(), inco2.end(), [](const QJsonValue &v) {
            return v.toObject().value(QStringLiteral("inco2")).toString() == QLatin1String("000");
        }));

        s = m_sim->call(&Operations::transportList, user());
        const auto transports = parseList<Transport>(answerOf(s), QStringLiteral("transportList"));
        QVERIFY(transports.size() >= 2);
        QVERIFY(!transports.first().transName.isEmpty());

        s = m_sim->call(&Operations::orderTypeList, user());
        const auto types = parseList<OrderType>(answerOf(s), QStringLiteral("orderTypeList"));
        QVERIFY(std::any_of(types.begin(), types.end(), [](const OrderType &t) { return t.orderType == "1"; }));
        QVERIFY(std::any_of(types.begin(), types.end(), [](const OrderType &t) { return t.orderType != "1"; }));

        // Shipping points follow the sales organisation asked for.
        for (const QString vkorg : {QStringLiteral("1100"), QStringLiteral("2100")}) {
            s = m_sim->call(&Operations::getTvstzList, user({{"vkorg", vkorg}}));
            const auto points = parseList<Tvstz>(answerOf(s), QStringLiteral("list"));
            QVERIFY(points.size() >= 2);
            for (const Tvstz &t : points) {
                QCOMPARE(t.vkorg, vkorg);
                QVERIFY(!t.tvstzId.isEmpty() && !t.tvstzName.isEmpty());
            }
        }

        // Notice groups: 1100 has required, contact and other members; 2100 has no required person.
        s = m_sim->call(&Operations::getNoticeGroupUserList, user({{"ngrName", "1100"}}));
        const auto north = parseList<NoticeGroup>(answerOf(s), QStringLiteral("list"));
        QSet<QString> kinds;
        for (const NoticeGroup &m : north) {
            kinds.insert(m.type);
            QVERIFY(!m.userName.isEmpty() && m.email.contains(QLatin1Char('@')));
        }
        QCOMPARE(kinds, (QSet<QString>{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("2")}));
        s = m_sim->call(&Operations::getNoticeGroupUserList, user({{"ngrName", "2100"}}));
        const auto south = parseList<NoticeGroup>(answerOf(s), QStringLiteral("list"));
        QVERIFY(!south.isEmpty());
        QVERIFY(std::none_of(south.begin(), south.end(), [](const NoticeGroup &m) { return m.type == "1"; }));
    }

    void customersFollowTheAccount()
    {
        ApiStatus s = m_sim->call(&Operations::clientList, user());
        QVERIFY(s.isSuccess);
        const auto all = parseList<OrderCustomer>(answerOf(s), QStringLiteral("custList"));
        QVERIFY2(all.size() >= 38, qPrintable(QString::number(all.size())));
        QSet<QString> numbers, orgs;
        int sharing = 0;
        for (const OrderCustomer &c : all) {
            QVERIFY(!c.kunnr.isEmpty() && !c.name1.isEmpty() && !c.bzirk.isEmpty() && !c.bukrs.isEmpty());
            numbers.insert(c.kunnr);
            orgs.insert(c.vkorg);
            if (c.name1.contains(QStringLiteral("大安")))
                ++sharing;
        }
        QCOMPARE(numbers.size(), all.size());
        QVERIFY(orgs.size() >= 2);
        QVERIFY(sharing >= 3); // searching "大安" finds several customers

        // Another account sees only its own organisation; an unknown id is refused with a message.
        s = m_sim->call(&Operations::clientList, {{"userID", "U10045"}});
        const auto south = parseList<OrderCustomer>(answerOf(s), QStringLiteral("custList"));
        QVERIFY(!south.isEmpty() && south.size() < all.size());
        QVERIFY(std::all_of(south.begin(), south.end(), [](const OrderCustomer &c) { return c.vkorg == "2100"; }));
        s = m_sim->call(&Operations::clientList, {{"userID", ""}});
        QVERIFY(!s.isSuccess);
        QVERIFY(!s.message.isEmpty());
    }

    void pricesDependOnDistrictTermsAndOrderType()
    {
        auto prices = [&](const QString &bzirk, const QString &inco1, const QString &auart) {
            const ApiStatus s = m_sim->call(&Operations::ZSD_GET_MATNR_PRICE,
                                            user({{"pVkorg", "1100"}, {"pVtweg", "10"}, {"pBzirk", bzirk},
                                                  {"pInco1", inco1}, {"pInco2", "000"}, {"pAuart", auart}}));
            QMap<QString, float> map;
            for (const OrderItem &item : parseList<OrderItem>(answerOf(s), QStringLiteral("matnrPriceList"))) {
                map.insert(item.matnr, item.kbetr);
                // "kbetr" is read with the strict number rule: it must travel as a JSON number.
                if (item.kbetr <= 0 || item.price != item.kbetr || item.maktx.isEmpty())
                    map.insert(QStringLiteral("bad"), 0);
            }
            return map;
        };
        const auto base = prices(QStringLiteral("N01"), QStringLiteral("EXW"), QStringLiteral("ZOR"));
        QVERIFY(base.size() >= 20);
        QVERIFY(!base.contains(QStringLiteral("bad")));
        const QString cement = QStringLiteral("10000101");
        QVERIFY(prices(QStringLiteral("S02"), QStringLiteral("EXW"), QStringLiteral("ZOR")).value(cement) > base.value(cement));
        QVERIFY(prices(QStringLiteral("N01"), QStringLiteral("DAP"), QStringLiteral("ZOR")).value(cement) > base.value(cement));
        QVERIFY(prices(QStringLiteral("N01"), QStringLiteral("EXW"), QStringLiteral("ZRU")).value(cement) > base.value(cement));

        // Missing required keys are named in the message.
        const ApiStatus s = m_sim->call(&Operations::ZSD_GET_MATNR_PRICE, {{"pVkorg", "1100"}});
        QVERIFY(!s.isSuccess);
        QVERIFY2(s.message.contains(QStringLiteral("userID")) && s.message.contains(QStringLiteral("pVtweg")),
                 qPrintable(s.message));
    }

    void creditAndShippingPointsFollowTheCustomer()
    {
        auto credit = [&](const QString &kunnr) {
            const ApiStatus s = m_sim->call(&Operations::ZBAPI_GET_CUSTOMER_CREDIT, user({{"pKunnr", kunnr}, {"pKkber", "1000"}}));
            return std::make_pair(s, readLenientNumber(answerOf(s).value(QStringLiteral("custCredit")).toObject(),
                                                       QStringLiteral("pOblig")));
        };
        auto [ok, normal] = credit(QStringLiteral("0000100101"));
        QVERIFY(ok.isSuccess);
        QVERIFY(normal > 100000);
        const double nearLimit = credit(QStringLiteral("0000100104")).second;
        QVERIFY(nearLimit > 0 && nearLimit < 20000);
        QVERIFY(credit(QStringLiteral("0000100106")).second < 0);
        QVERIFY(!credit(QStringLiteral("0000999999")).first.isSuccess);

        auto tvstz = [&](const QString &kunnr) {
            return m_sim->call(&Operations::ZSD_GET_TVSTZ, user({{"pKunnr", kunnr}, {"pWerks", "1100"}}));
        };
        const QJsonObject point = answerOf(tvstz(QStringLiteral("0000100101"))).value(QStringLiteral("tvstz")).toObject();
        QCOMPARE(readText(point, QStringLiteral("vstel")), QStringLiteral("1101"));
        QVERIFY(!readText(point, QStringLiteral("route")).isEmpty());
        // One customer ships from a point that is not in the stored list; another has none.
        const ApiStatus unlisted = tvstz(QStringLiteral("0000100110"));
        QVERIFY(unlisted.isSuccess);
        const ApiStatus listAnswer = m_sim->call(&Operations::getTvstzList, user({{"vkorg", "1100"}}));
        const QString vstel = answerOf(unlisted).value(QStringLiteral("tvstz")).toObject().value(QStringLiteral("vstel")).toString();
        const auto points = parseList<Tvstz>(answerOf(listAnswer), QStringLiteral("list"));
        QVERIFY(!vstel.isEmpty());
        QVERIFY(std::none_of(points.begin(), points.end(), [&](const Tvstz &t) { return t.tvstzId == vstel; }));
        const ApiStatus failing = tvstz(QStringLiteral("0000100112"));
        QVERIFY(!failing.isSuccess);
        QVERIFY(failing.message.contains(QStringLiteral("裝運點")));
    }

    void contractsListLinesAndRemainingQuantities()
    {
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
        ApiStatus s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT2,
                                  user({{"pAuart", "*"}, {"pGueen", today}, {"pKunnr", "0000100101"}}));
        QVERIFY(s.isSuccess);
        const auto lines = parseList<Contract2>(answerOf(s), QStringLiteral("custContract2List"));
        QMap<QString, int> perContract;
        for (const Contract2 &line : lines) {
            ++perContract[line.vbeln];
            QVERIFY(line.kbetr > 0 && !line.maktx.isEmpty() && line.kunnr == "0000100101");
            QVERIFY(line.guebg > 20000000 && line.guebg <= line.gueen);
        }
        QVERIFY(perContract.value(QStringLiteral("0040000101")) >= 3);
        QVERIFY(!perContract.contains(QStringLiteral("0040000088"))); // expired

        // One contract's type matches no order type.
        s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT2, user({{"pAuart", "*"}, {"pGueen", today}, {"pKunnr", "0000100103"}}));
        const auto odd = parseList<Contract2>(answerOf(s), QStringLiteral("custContract2List"));
        const auto types = parseList<OrderType>(answerOf(m_sim->call(&Operations::orderTypeList, user())),
                                                QStringLiteral("orderTypeList"));
        QVERIFY(!odd.isEmpty());
        QVERIFY(std::none_of(types.begin(), types.end(), [&](const OrderType &t) { return t.otCode == odd.first().auart; }));

        s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT1, user({{"pVbeln", "0040000102"}}));
        const auto materials = parseList<OrderItem>(answerOf(s), QStringLiteral("custContract1List"));
        QCOMPARE(materials.size(), 2);
        for (const OrderItem &m : materials) // strict numbers: zmeng and kbetr travel as JSON numbers
            QVERIFY(m.zmeng > 0 && m.kbetr > 0 && !m.inco1.isEmpty() && !m.werks.isEmpty());

        s = m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT2, user({{"pAuart", "*"}, {"pGueen", "06.12.2026"}, {"pKunnr", "0000100101"}}));
        QVERIFY(!s.isSuccess);
        QVERIFY(s.message.contains(QStringLiteral("pGueen")));
        QVERIFY(!m_sim->call(&Operations::ZSD_GET_CUST_CONTRACT1, user({{"pVbeln", "0049999999"}})).isSuccess);
    }
};

ZELK_TEST(GatewaySimOperationsTest)
#include "GatewaySimOperationsTest.moc"
