#include "ScriptedGateway.h"
#include "TestRegistry.h"
#include "model/AppContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

class StoresTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedGateway> m_server;

    std::unique_ptr<AppContext> makeContext()
    {
        auto context = std::make_unique<AppContext>(AppContext::Options{m_dir->path(), nullptr, false});
        context->start();
        return context;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<ScriptedGateway>();
        qputenv("ZELK_GATEWAY_URL", m_server->url().toString().toUtf8());
    }

    // A first launch clears everything, so a reinstall (no marker, keychain kept) drops the push token too;
    // later launches and sign-out keep it (the sign-in flows check that). An empty value reads as absent.
    void firstLaunchKeychainListsAndDocuments()
    {
        {
            auto context = makeContext();
            QCOMPARE(context->userDefaults().value("open"), std::optional<QString>("open"));
            context->secureStore().setValue("userName", QString(""));
            QVERIFY(!context->userName());
            context->secureStore().setValue("pushToken", QString("ABCDEF01"));
            context->userInfo().orderHistoryArray.append(1);
            context->clearStoredUser(false);
            QVERIFY(context->userInfo().orderHistoryArray.isEmpty());
        }
        QFile::remove(m_dir->filePath("defaults.ini"));
        auto context = makeContext();
        QVERIFY(!context->pushToken());
        auto &lists = context->lists();
        auto &documents = context->documents();

        // Readers never ask the server: nothing stored gives no list, an empty or cut document an empty one.
        QVERIFY(!lists.inco1List());
        documents.write("transportList", "");
        QCOMPARE(lists.transportList()->size(), 0);
        const QString cut = QString::fromUtf8(R"({"returnCode":"00","orderTypeList":[{"otCode":"ZOR"}]})").left(35);
        documents.write("orderTypeList", cut);
        QCOMPARE(lists.orderTypeList()->size(), 0);
        QCOMPARE(m_server->requestCount(), 0);

        // A missing list is fetched for the session's organisation, stored whole under its name and built.
        context->userInfo().vkorg = QStringLiteral("1000");
        const QByteArray tvstz =
            R"({"returnCode":"00","returnMsg":"OK","list":[{"vkorg":"1000","tvstzId":"1010","tvstzName":"台北"}]})";
        m_server->enqueue(ScriptedGateway::Reply::json(tvstz));
        std::optional<ApiStatus> result;
        lists.withList("getTvstzList", nullptr, [&](const ApiStatus &status) { result = status; });
        QVERIFY(!result);
        QTRY_VERIFY(result);
        QVERIFY(result->isSuccess);
        QCOMPARE(documents.read("getTvstzList_1000"), std::optional<QString>(QString::fromUtf8(tvstz)));
        QCOMPARE(lists.tvstzList()->first().tvstzName, QStringLiteral("台北"));
        // Had now: at once, without a request.
        result.reset();
        lists.withList("getTvstzList", nullptr, [&](const ApiStatus &status) { result = status; });
        QVERIFY(result && result->isSuccess);
        QCOMPARE(m_server->requestCount(), 1);

        // Documents are replaced atomically: no temporary files are left beside them.
        QVERIFY(documents.write("inco2List", R"({"returnCode":"00","inco2List":["A"]})"));
        const QStringList files = QDir(QFileInfo(documents.path("inco2List")).absolutePath()).entryList(QDir::Files);
        for (const QString &file : files)
            QVERIFY2(file.endsWith(".txt"), qPrintable(file));
        QCOMPARE(lists.inco2List()->toArray().size(), 1);
    }

    // The customer list asked for at sign-in: signed out before the answer, it is dropped whenever it
    // arrives; after another account's sign-in, a screen asking while its list is on its way joins that request.
    void customerListAcrossSignIns()
    {
        auto context = makeContext();
        context->secureStore().setValue("userId", QString("U9"));
        auto &lists = context->lists();
        QList<std::optional<QList<OrderCustomer>>> answers;
        const auto done = [&](bool ok, std::optional<QList<OrderCustomer>> customers) {
            answers.append(ok ? customers : std::nullopt);
        };
        const auto custList = [](const char *kunnr) {
            return ScriptedGateway::Reply::json("{\"returnCode\":\"00\",\"returnMsg\":\"OK\",\"custList\":[{\"kunnr\":\""
                                                + QByteArray(kunnr) + "\"}]}")
                .delayed(200);
        };
        m_server->enqueue(custList("OLD"));
        lists.prefetchCustomers();
        QVERIFY(!lists.customerList());
        QVERIFY(m_server->waitForRequests(1));
        lists.setCustomerList(std::nullopt);
        QTRY_VERIFY(context->client().network()->findChildren<QNetworkReply *>().isEmpty()
                    && QThreadPool::globalInstance()->activeThreadCount() == 0);
        QCoreApplication::processEvents(); // the records handed back from the worker
        QVERIFY(!lists.customerList());

        m_server->enqueue(custList("NEW"));
        lists.prefetchCustomers();
        lists.joinClientList(nullptr, done);
        QTRY_COMPARE(answers.size(), 1);
        QCOMPARE(answers[0]->first().kunnr, QStringLiteral("NEW"));
        QCOMPARE(m_server->requestCount(), 2);
    }

    // The background refresh after a sign-in: low priority, at most two fetches at once, the rest in turn;
    // a kind a screen asks for meanwhile goes at once.
    void backgroundRefresh()
    {
        auto context = makeContext();
        auto &lists = context->lists();
        m_server->setDefaultReply(ScriptedGateway::Reply::json(R"({"returnCode":"99","returnMsg":"x"})").delayed(100));
        const QStringList kinds = ListStore::kinds();
        const auto fetching = [&] {
            QStringList out;
            for (const QString &kind : kinds)
                if (lists.isFetching(kind))
                    out << kind;
            return out;
        };
        lists.refreshStoredLists();
        QCOMPARE(fetching(), kinds.mid(0, 2));
        for (QNetworkReply *reply : context->client().network()->findChildren<QNetworkReply *>())
            QCOMPARE(reply->request().priority(), QNetworkRequest::LowPriority);
        bool ready = false;
        lists.withList(kinds.last(), nullptr, [&](const ApiStatus &) { ready = true; });
        QCOMPARE(fetching(), kinds.mid(0, 2) << kinds.last());
        QTRY_VERIFY(ready);
        QTRY_VERIFY(fetching().isEmpty());
        QCOMPARE(m_server->requestCount(), kinds.size());
    }

    // Everything the app writes is owner-only: folders 0700, files 0600, also where an older version (or
    // a restored backup) left looser modes; those are tightened on the next write.
    void privateFiles()
    {
        const QString data = m_dir->filePath("data/Zelk");
        const QString documents = data + "/Documents";
        QVERIFY(QDir().mkpath(documents));
        QVERIFY(QFile::setPermissions(data, QFile::Permissions(0x7755))); // 0755
        QVERIFY(QFile::setPermissions(documents, QFile::Permissions(0x7755)));
        QFile loose(documents + "/getNoticeGroupUserList.txt");
        QVERIFY(loose.open(QIODevice::WriteOnly));
        loose.write(R"({"returnCode":"00","list":[]})");
        loose.close();
        QVERIFY(loose.setPermissions(QFile::Permissions(0x6644))); // 0644

        // Owner, group and other bits only.
        const auto mode = [](const QString &path) { return int(QFileInfo(path).permissions()) & 0x7077; };
        const int folderMode = 0x7000, fileMode = 0x6000;

        AppContext context(AppContext::Options{data, nullptr, false});
        context.start(); // writes the first-launch marker and the keychain file
        context.secureStore().setValue("userId", QString("U001"));
        QTRY_VERIFY(QFileInfo::exists(data + "/keychain.json")); // written on a worker thread
        QVERIFY(context.documents().write("inco1List", R"({"returnCode":"00","inco1List":[]})"));
        QVERIFY(context.documents().write("getNoticeGroupUserList", R"({"returnCode":"00","list":[{"email":"a@b"}]})"));

        QCOMPARE(mode(data), folderMode);
        QCOMPARE(mode(documents), folderMode);
        for (const QString &file : {data + "/keychain.json", data + "/defaults.ini", documents + "/inco1List.txt",
                                    documents + "/getNoticeGroupUserList.txt"})
            QVERIFY2(mode(file) == fileMode, qPrintable(file));

        // A folder made for the first time, with parents that did not exist yet.
        const QString fresh = m_dir->filePath("new/a/b");
        AppContext second(AppContext::Options{fresh, nullptr, false});
        QVERIFY(second.documents().write("transportList", "{}"));
        for (const QString &folder : {m_dir->filePath("new"), m_dir->filePath("new/a"), fresh, fresh + "/Documents"})
            QCOMPARE(mode(folder), folderMode);
    }
};

ZELK_TEST(StoresTest)
#include "StoresTest.moc"
