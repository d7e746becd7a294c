// Large answers are read into records on a worker thread. For each such answer: the records reach the
// main thread, the answer to a later request stays even when an earlier one arrives after it, and a
// screen that has gone when its answer arrives gets nothing.
#include "FakeUi.h"
#include "ScriptedGateway.h"
#include "TestRegistry.h"
#include "board/BoardMessageListViewController.h"
#include "history/OrderHistoryViewController.h"
#include "model/AppContext.h"
#include "order/OrderPage2ViewController.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

class AnswerWorkerTest : public QObject
{
    Q_OBJECT

    // Every request answered, every answer read and delivered.
    static bool settle(AppContext &context)
    {
        const bool idle = QTest::qWaitFor([&] {
            return context.client().network()->findChildren<QNetworkReply *>().isEmpty() &&
                   QThreadPool::globalInstance()->activeThreadCount() == 0;
        });
        QCoreApplication::processEvents();
        return idle;
    }

    template <class T, class Text> static QStringList keys(const QList<T> &records, Text T::*field)
    {
        QStringList out;
        for (const T &record : records)
            out << QStringView(record.*field).toString();
        return out;
    }

private slots:
    void newestAnswerToLiveScreen_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("key");
        QTest::newRow("customer list") << "customers" << "custList" << "kunnr";
        QTest::newRow("order query") << "orders" << "orderList" << "vbeln";
        QTest::newRow("price list") << "prices" << "matnrPriceList" << "matnr";
        QTest::newRow("board page") << "board" << "boardMsgList" << "msgID";
    }
    void newestAnswerToLiveScreen()
    {
        QFETCH(QString, path);
        QFETCH(QString, member);
        QFETCH(QString, key);
        ScriptedGateway server;
        qputenv("ZELK_GATEWAY_URL", server.url().toString().toUtf8());
        QTemporaryDir dir;
        AppContext context(AppContext::Options{dir.path(), nullptr, false});
        context.start();
        context.secureStore().setValue("userId", QString("U9"));
        context.lists().setCustomerList(QList<OrderCustomer>()); // the order query asks for none
        FakeUi ui;

        // The screen, how it asks, and the keys of the records it holds.
        std::unique_ptr<QObject> screen;
        std::function<void()> ask;
        std::function<QStringList()> shown;
        bool onMainThread = true;
        const auto place = [&](auto *page) {
            page->setEnvironment({&ui, nullptr, &context});
            screen.reset(page);
            return page;
        };
        if (path == "customers") {
            screen = std::make_unique<QObject>();
            ask = [&] {
                context.lists().clientList(screen.get(), [&](bool, auto) {
                    onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
                });
            };
            shown = [&] { return keys(*context.lists().customerList(), &OrderCustomer::kunnr); };
        } else if (path == "orders") {
            auto *history = place(new OrderHistoryViewController);
            ask = [history, first = true]() mutable {
                first ? history->viewDidLoad() : history->queryAction();
                first = false;
            };
            shown = [history] { return keys(history->tableArray(), &OrderHistroy::vbeln); };
        } else if (path == "prices") {
            context.draft().start(OrderDraft::Kind::normal, OrderCustomer()); // the order being priced
            auto *page = place(new OrderPage2ViewController);
            ask = [page] { page->viewDidAppear(false); };
            shown = [page] { return keys(page->itemsArray(), &PricedMaterial::matnr); };
        } else {
            auto *board = place(new BoardMessageListViewController);
            // The next page is asked for, then the list is pulled down: the page belongs to the list emptied.
            ask = [board, first = true]() mutable {
                (first ? board->footer() : board->header())->beginRefreshing();
                first = false;
            };
            shown = [board, &key] {
                QStringList out;
                for (int i = 0; i < board->rows()->count(); ++i)
                    out << board->rows()->value(i, key.toUtf8()).toString();
                return out;
            };
        }
        const auto answer = [&](const QStringList &ids) {
            QJsonArray list;
            for (const QString &id : ids)
                list.append(QJsonObject{{key, id}});
            return ScriptedGateway::Reply::json(
                QJsonDocument(QJsonObject{{"returnCode", "00"}, {"returnMsg", "OK"}, {member, list}}).toJson());
        };

        if (path == "board") { // a first page to page on from
            server.enqueue(answer({"P1"}));
            qobject_cast<BoardMessageListViewController *>(screen.get())->viewDidLoad();
            QVERIFY(settle(context));
            server.clearRequests();
        }

        // The earlier request's answer arrives last: the later one's records stay.
        server.enqueue(answer({"A1"}).delayed(400));
        server.enqueue(answer({"B1", "B2"}));
        ask();
        QVERIFY(server.waitForRequests(1));
        ask();
        QVERIFY(server.waitForRequests(2));
        QVERIFY(settle(context));
        QCOMPARE(shown(), QStringList({"B1", "B2"}));
        QVERIFY(onMainThread);

        // Gone before its answer: nothing reaches it (the held customer list is the store's, not the screen's),
        // and a spinner it showed goes with it.
        server.enqueue(answer({"C1"}).delayed(200));
        ask();
        QVERIFY(server.waitForRequests(3));
        QStringList calls = ui.calls();
        if (ui.isSpinnerShowing())
            calls << QStringLiteral("spinner:dismiss");
        screen.reset();
        QVERIFY(settle(context));
        QCOMPARE(ui.calls(), calls);
        if (path == "customers")
            QCOMPARE(context.lists().customerList()->first().kunnr, QStringLiteral("C1"));
    }
};

ZELK_TEST(AnswerWorkerTest)
#include "AnswerWorkerTest.moc"
