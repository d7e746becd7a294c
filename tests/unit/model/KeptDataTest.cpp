// The data kept for working offline: each kind of answer kept with its time as it arrives from the
// development gateway, kept as it was through refusals and failures, and read as nothing from a damaged,
// foreign, newer or empty document; accounts kept apart; the bound on customers; the age texts.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "model/KeptData.h"
#include "services/Operations.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString kA = u"U10023"_s, kB = u"U10045"_s;
const QString kKunnr = u"0000100101"_s, kOther = u"0000100102"_s, kVbeln = u"0040000101"_s;

// One kind of kept answer: how the app asks for it, how it is read back, and the member kept.
struct Kind {
    QString name;      // its documents are "<name>….json"
    QString operation;
    QString member;
    std::function<void(AppContext &, const QString &account, ApiCompletion)> ask;
    std::function<std::optional<KeptAnswer>(KeptData &, const QString &account, const QString &kunnr)> read;
};

const QList<Kind> &kinds()
{
    static const QList<Kind> all{
        {u"customers"_s, u"clientList"_s, u"custList"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) {
             c.operations().client().callGateway(u"clientList"_s, Operations::userParameters(a), done);
         },
         [](KeptData &k, const QString &a, const QString &) { return k.customers(a); }},
        {u"prices"_s, u"ZSD_GET_MATNR_PRICE"_s, u"matnrPriceList"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) {
             c.operations().materialPrices(a, Operations::PriceListQuery{u"1100"_s, u"N01"_s, u"DAP"_s, u"000"_s, u"ZOR"_s},
                                           nullptr, done);
         },
         [](KeptData &k, const QString &a, const QString &kunnr) { return k.prices(a, kunnr, u"DAP"_s); }},
        {u"credit"_s, u"ZBAPI_GET_CUSTOMER_CREDIT"_s, u"custCredit"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) {
             c.operations().customerCredit(a, c.customerStruct().customer().kunnr, u"1000"_s, nullptr, done);
         },
         [](KeptData &k, const QString &a, const QString &kunnr) { return k.credit(a, kunnr); }},
        {u"shippingPoint"_s, u"ZSD_GET_TVSTZ"_s, u"tvstz"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) {
             c.operations().shippingPoint(a, c.customerStruct().customer().kunnr, u"1100"_s, nullptr, done);
         },
         [](KeptData &k, const QString &a, const QString &kunnr) { return k.shippingPoint(a, kunnr); }},
        {u"contracts"_s, u"ZSD_GET_CUST_CONTRACT2"_s, u"custContract2List"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) {
             c.operations().contractLines(a, c.customerStruct().customer().kunnr, QDate::currentDate(), nullptr, done);
         },
         [](KeptData &k, const QString &a, const QString &kunnr) { return k.contracts(a, kunnr); }},
        {u"contractMaterials"_s, u"ZSD_GET_CUST_CONTRACT1"_s, u"custContract1List"_s,
         [](AppContext &c, const QString &a, ApiCompletion done) { c.operations().contractMaterials(a, kVbeln, nullptr, done); },
         [](KeptData &k, const QString &a, const QString &kunnr) { return k.contractMaterials(a, kunnr, kVbeln); }},
    };
    return all;
}

const Kind &kindNamed(const QString &name)
{
    const auto kind = std::find_if(kinds().begin(), kinds().end(), [&](const Kind &k) { return k.name == name; });
    if (kind == kinds().end())
        qFatal("no kind %s", qPrintable(name));
    return *kind;
}

OrderCustomer customer(const QString &kunnr)
{
    return OrderCustomer{.kunnr = kunnr, .bzirk = u"N01"_s, .bukrs = u"1000"_s, .vkorg = u"1100"_s};
}

struct Kept : AppHarness {
    qint64 now = 1718000000000;
    Kept()
    {
        startSignedIn();
        context->kept().setClock([this] { return now; });
        context->customerStruct().setCustomer(customer(kKunnr));
    }
    KeptData &kept() { return context->kept(); }
    // Asks as `account` and waits for the answer and for what it left on disk.
    ApiStatus ask(const Kind &kind, const QString &account = kA)
    {
        std::optional<ApiStatus> answer;
        kind.ask(*context, account, [&](const ApiStatus &status) { answer = status; });
        if (!QTest::qWaitFor([&] { return answer.has_value(); }, 10000))
            return ApiStatus::clientFailure(u"no answer"_s);
        (void)QTest::qWaitFor([&] { return kept().isSaved(); });
        return *answer;
    }
    // The one document of `kind` kept for `account`.
    QString file(const Kind &kind, const QString &account = kA)
    {
        QDirIterator it(kept().accountFolder(account), {kind.name + u"*.json"_s}, QDir::Files, QDirIterator::Subdirectories);
        return it.hasNext() ? it.next() : QString();
    }
};

bool overwrite(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray edited(const QByteArray &document, const QString &member, const QJsonValue &value)
{
    QJsonObject o = QJsonDocument::fromJson(document).object();
    o.insert(member, value);
    return QJsonDocument(o).toJson();
}

} // namespace

class KeptDataTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Localizer::instance().load({u"zh-TW"_s}); }

    // Each kind: the answer's member kept with the time it arrived; a refusal, a "00" without the member,
    // a lost connection or a broken answer keep it as it was; a damaged, foreign, newer or empty document
    // reads as nothing, with a log line.
    void eachKindKeptThroughFailures_data()
    {
        QTest::addColumn<QString>("kind");
        for (const Kind &kind : kinds())
            QTest::newRow(qPrintable(kind.name)) << kind.name;
    }
    void eachKindKeptThroughFailures()
    {
        QFETCH(QString, kind);
        const Kind &k = kindNamed(kind);
        Kept app;
        const ApiStatus status = app.ask(k);
        QVERIFY(status.isSuccess);
        const QJsonObject expected{{k.member, status.returnJson->object().value(k.member)}};
        QVERIFY(!expected.value(k.member).toVariant().isNull());
        const KeptAnswer first{expected, app.now};
        QCOMPARE(k.read(app.kept(), kA, kKunnr), first);
        QVERIFY(!k.read(app.kept(), kB, kKunnr));

        // A refusal that still carries the member, a "00" without it, a lost connection, a broken answer.
        const QJsonObject refusal{{u"returnCode"_s, u"99"_s}, {u"returnMsg"_s, u"系統忙碌"_s}, {k.member, expected[k.member]}};
        const QList<QJsonObject> failures{
            {{u"mode"_s, u"reply"_s}, {u"body"_s, QString::fromUtf8(QJsonDocument(refusal).toJson())}},
            {{u"mode"_s, u"code"_s}, {u"returnCode"_s, u"00"_s}, {u"returnMsg"_s, u"OK"_s}},
            {{u"mode"_s, u"close"_s}},
            {{u"mode"_s, u"invalidJson"_s}}};
        for (QJsonObject fault : failures) {
            app.now += 60000;
            fault.insert(u"operation"_s, k.operation);
            QVERIFY(app.gateway.setFault(fault));
            const ApiStatus failed = app.ask(k);
            const QString mode = fault[u"mode"_s].toString();
            if (mode == u"close"_s) // no answer at all: the kept one stands in, with the time it came
                // (the customer list is read into records off the main thread: its document comes empty)
                QVERIFY(failed.isSuccess && failed.unreachable && failed.keptAt == first.receivedAt && failed.returnJson
                        && ((k.name == u"customers"_s && failed.returnJson->isEmpty())
                            || failed.returnJson->object().value(k.member) == expected[k.member]));
            else
                QVERIFY2(!failed.isSuccess || (failed.returnJson && !failed.returnJson->object().contains(k.member)),
                         qPrintable(mode));
            QVERIFY2(k.read(app.kept(), kA, kKunnr) == first, qPrintable(mode));
        }

        const QString path = app.file(k);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray good = f.readAll();
        f.close();
        const QList<std::pair<const char *, QByteArray>> unreadable{
            {"damaged", good.left(good.size() / 2)},
            {"foreign", edited(good, u"account"_s, kB)},
            {"newer", edited(good, u"version"_s, 2)},
            {"empty", QByteArray()}};
        for (const auto &[what, bytes] : unreadable) {
            QVERIFY(overwrite(path, bytes));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"kept .* not read, nothing kept"_s));
            QVERIFY2(!k.read(app.kept(), kA, kKunnr), what);
        }
        QVERIFY(overwrite(path, good));
        QCOMPARE(k.read(app.kept(), kA, kKunnr), first);
    }

    // An answer is kept for the account and customer it was asked for, whoever is signed in and whichever
    // customer is open when it arrives; signing out keeps an account's data, and another never reads it.
    // The customer list fetched in the background after a sign-in is kept too.
    void accountsAndCustomersKeptApart()
    {
        Kept app;
        app.context->lists().prefetchCustomers();
        QVERIFY(QTest::qWaitFor([&] { return app.context->lists().customerList() && app.kept().isSaved(); }, 10000));
        const std::optional<KeptAnswer> customers = app.kept().customers(kA);
        QVERIFY(customers);
        QCOMPARE(customers->answer.value(u"custList"_s).toArray().size(), app.context->lists().customerList()->size());
        QVERIFY(!app.kept().customers(kB));

        // Asked as A for 0000100101; before the answers arrive A signs out, B signs in and opens 0000100102.
        for (const QString &operation : {u"ZSD_GET_MATNR_PRICE"_s, u"ZBAPI_GET_CUSTOMER_CREDIT"_s})
            QVERIFY(app.gateway.setFault(operation, u"delay"_s, 500));
        int answered = 0;
        for (const char *name : {"prices", "credit"})
            kindNamed(QLatin1String(name)).ask(*app.context, kA, [&](const ApiStatus &) { ++answered; });
        app.context->clearStoredUser(false);
        app.context->secureStore().setValue(u"userId"_s, kB);
        app.context->customerStruct().setCustomer(customer(kOther));
        QVERIFY(QTest::qWaitFor([&] { return answered == 2 && app.kept().isSaved(); }, 10000));
        for (const char *name : {"prices", "credit"}) {
            const Kind &k = kindNamed(QLatin1String(name));
            QVERIFY2(k.read(app.kept(), kA, kKunnr), name);
            QVERIFY2(!k.read(app.kept(), kA, kOther), name);
            QVERIFY2(!k.read(app.kept(), kB, kKunnr) && !k.read(app.kept(), kB, kOther), name);
        }
        QVERIFY(app.kept().customers(kA));
        QCOMPARE(app.kept().openedCustomers(kA), QStringList{kKunnr});
        QVERIFY(app.kept().openedCustomers(kB).isEmpty());
        // A's folder is A's alone; nothing of B's was written.
        QVERIFY(!QFileInfo::exists(app.kept().accountFolder(kB)));
    }

    // The answers of at most kMaxCustomers customers are kept: opening one more drops those of the customer
    // opened longest ago, and opening a kept one again makes it the newest. The index outlives the process.
    void atMostMaxCustomersKept()
    {
        Kept app;
        const auto open = [&](int i) {
            const QString kunnr = u"00001%1"_s.arg(i, 5, 10, QLatin1Char('0'));
            const ApiStatus ok{true, u"00"_s, u"OK"_s,
                               QJsonDocument(QJsonObject{{u"custCredit"_s, QJsonObject{{u"pOblig"_s, i}}}})};
            app.kept().keeper(u"ZBAPI_GET_CUSTOMER_CREDIT"_s, QJsonObject{{u"userID"_s, kA}, {u"pKunnr"_s, kunnr}}, {})(ok);
            return kunnr;
        };
        const int max = KeptData::kMaxCustomers;
        for (int i = 0; i <= max; ++i)
            open(i);
        QVERIFY(QTest::qWaitFor([&] { return app.kept().isSaved(); }));
        const auto kept = [&](int i) { return app.kept().credit(kA, u"00001%1"_s.arg(i, 5, 10, QLatin1Char('0'))).has_value(); };
        QVERIFY(!kept(0));
        QVERIFY(kept(1) && kept(max));
        open(1);
        open(max + 1);
        QVERIFY(QTest::qWaitFor([&] { return app.kept().isSaved(); }));
        QVERIFY(kept(1) && !kept(2) && kept(3) && kept(max + 1));
        const QDir folder(app.kept().accountFolder(kA));
        QCOMPARE(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), max);

        KeptData again(app.dir.filePath(u"Kept"_s));
        const QStringList opened = again.openedCustomers(kA);
        QCOMPARE(opened.size(), max);
        QCOMPARE(opened.first(), open(max + 1));
        QCOMPARE(opened.at(1), u"00001%1"_s.arg(1, 5, 10, QLatin1Char('0')));
    }

    // Each row: an age in milliseconds (negative: the clock was set back) and the text in both languages.
    void ageTexts_data() { QVERIFY(zelktest::addFixtureRows("model/keptAges")); }
    void ageTexts()
    {
        QFETCH(QJsonObject, row);
        const qint64 receivedAt = 1718000000000;
        const qint64 now = receivedAt + qint64(row["age"].toDouble());
        QCOMPARE(KeptData::ageText(receivedAt, now), row["zh"].toString());
        Localizer::instance().load({u"en"_s});
        QCOMPARE(KeptData::ageText(receivedAt, now), row["en"].toString());
    }
};

ZELK_TEST(KeptDataTest)
#include "KeptDataTest.moc"
