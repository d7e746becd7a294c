// Benchmarks over generated data of the sizes a large sales organisation reaches.
#include "model/MasterData.h"
#include "model/CartState.h"
#include "model/NumberText.h"
#include "model/Order.h"
#include "model/OrderResult.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataSearch.h"
#include "services/ServiceClient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "MainThreadStall.h"
#include "SimHttp.h"
#include "model/AppContext.h"
#include "model/KeptData.h"
#include "model/ListStore.h"
#include "model/Outbox.h"
#include "notify/PushRegistration.h"
#include "order/OrderPage1ViewController.h"
#include "platform/RelayPushService.h"

#include <QSignalSpy>

namespace {
constexpr int kCustomers = 5000;
constexpr int kMaterials = 2000;

QByteArray customerAnswer()
{
    static const QStringList names{QStringLiteral("建材行"), QStringLiteral("營造"), QStringLiteral("水泥"),
                                   QStringLiteral("工程"), QStringLiteral("實業")};
    QJsonArray list;
    for (int i = 0; i < kCustomers; ++i) {
        list.append(QJsonObject{{"custID", QString::number(i)},
                                {"kunnr", QStringLiteral("00%1").arg(100000 + i)},
                                {"name1", QStringLiteral("台灣%1%2").arg(i).arg(names.at(i % names.size()))},
                                {"city1", QStringLiteral("台北市")},
                                {"bzirk", QStringLiteral("TW0%1").arg(i % 5)},
                                {"bukrs", QStringLiteral("1000")},
                                {"vkorg", QStringLiteral("1100")}});
    }
    return QJsonDocument(QJsonObject{{"returnCode", "00"}, {"returnMsg", "OK"}, {"custList", list}})
        .toJson(QJsonDocument::Compact);
}

// A cart of `orders` orders of 30 copies each.
QList<Order> largeCart(int orders)
{
    QList<Order> cart;
    for (int i = 0; i < orders; ++i) {
        Order order;
        order.orderCustomer.kunnr = QStringLiteral("00100001");
        order.orderItem.matnr = QString::number(10000000 + i);
        order.orderItem.price = 1250.5f + float(i);
        order.orderItem.orderNumber = 12.5f;
        order.orderPage = 30;
        cart.append(order);
    }
    return cart;
}

PriceList materials()
{
    QJsonArray list;
    for (int i = 0; i < kMaterials; ++i) {
        list.append(QJsonObject{{"matnr", QString::number(10000000 + i)},
                                {"maktx", QStringLiteral("波特蘭水泥%1號").arg(i)},
                                {"kbetr", 1250.5 + i},
                                {"werks", QStringLiteral("1010")}});
    }
    return PriceList(QJsonObject{{"matnrPriceList", list}});
}
} // namespace

class BenchTest : public QObject
{
    Q_OBJECT
private slots:
    void readCustomerAnswer()
    {
        RawResponse response;
        response.httpStatus = 200;
        response.body = customerAnswer();
        QList<OrderCustomer> customers;
        QBENCHMARK {
            const ApiStatus status = ServiceClient::evaluate(response);
            customers = parseList<OrderCustomer>(status.returnJson->object(), QStringLiteral("custList"));
        }
        QCOMPARE(customers.size(), kCustomers);
    }

    void searchPickLists()
    {
        RawResponse response;
        response.body = customerAnswer();
        const QList<OrderCustomer> customers = parseList<OrderCustomer>(
            ServiceClient::evaluate(response).returnJson->object(), QStringLiteral("custList"));
        const PriceList items = materials();
        int found = 0;
        QBENCHMARK {
            found = int(searchCustomers(customers, QStringLiteral("建材")).size()) +
                    int(searchMaterials(items.materials(), QStringLiteral("1999")).size());
        }
        QVERIFY(found > 0);
    }

    // One keystroke in the customer pick list over 20,000 customers (a broad text: most rows match),
    // beside a plain scan of the same strings: the search keeps positions, it copies no record.
    void pickListKeystroke_data()
    {
        QTest::addColumn<bool>("plainScan");
        QTest::newRow("plain scan") << true;
        QTest::newRow("pick-list search") << false;
    }
    void pickListKeystroke()
    {
        QFETCH(bool, plainScan);
        QList<OrderCustomer> customers;
        for (int i = 0; i < 20000; ++i) {
            OrderCustomer c;
            c.kunnr = QStringLiteral("00%1").arg(100000 + i);
            c.name1 = QStringLiteral("台灣%1建材行").arg(i);
            customers.append(c);
        }
        CustomerPickSource source(CustomerPickSource::Layout::NameThenNumber);
        source.setCustomers(customers);
        const QString text = QStringLiteral("建材");
        int found = 0;
        if (plainScan) {
            QBENCHMARK {
                found = 0;
                for (const OrderCustomer &c : std::as_const(customers))
                    found += c.name1.contains(text) || c.kunnr.contains(text);
            }
        } else {
            QBENCHMARK {
                source.search(text);
                found = source.count();
            }
        }
        QCOMPARE(found, 20000);
    }

    void buildSubmissionDocument()
    {
        Order order;
        order.orderCustomer.kunnr = QStringLiteral("00100001");
        order.orderItem.matnr = QStringLiteral("10000101");
        order.orderItem.price = 2992.5f;
        order.orderItem.orderNumber = 12.5f;
        order.orderPage = 30;
        QByteArray body;
        QBENCHMARK {
            QJsonArray lines;
            for (const OrderConfirm &line : createOrderConfirmArray(order, QStringLiteral("陳志明")))
                lines.append(lineObject(line, QStringLiteral("U001"), QStringLiteral("a@b.tw")));
            body = QJsonDocument(QJsonObject{{"userID", "U001"}, {"eipOrder2List", lines}})
                       .toJson(QJsonDocument::Compact);
        }
        QVERIFY(body.contains("\"kwmeng\":\"12.5\""));
    }

    // The submission answer for 3,000 lines (100 orders × 30 copies, one line in ten refused): read,
    // every line marked, the cart rebuilt from what was not ordered.
    void handleLargeAnswer()
    {
        CartState cart;
        cart.setCartOrderArray(largeCart(100));
        const QList<OrderConfirm> sent = cart.orderConfirmArray();
        QJsonArray orderList;
        for (qsizetype i = 0; i < sent.size(); ++i) {
            const bool refused = i % 10 == 0;
            orderList.append(QJsonObject{{"orderSeq", sent.at(i).orderSeq},
                                         {"returnCode", refused ? "E" : "S"},
                                         {"returnMsg", refused ? "信用額度不足" : "訂單已建立"},
                                         {"otVbeln", refused ? "" : QString::number(10004000 + i)}});
        }
        RawResponse response;
        response.httpStatus = 200;
        response.body = QJsonDocument(QJsonObject{{"returnCode", "00"}, {"returnMsg", "OK"}, {"orderList", orderList}})
                            .toJson(QJsonDocument::Compact);
        QList<Order> left;
        QBENCHMARK {
            const ApiStatus status = ServiceClient::evaluate(response);
            QList<OrderConfirm> lines = sent;
            markOrderResults(lines, status.returnJson->object().value(QStringLiteral("orderList")).toArray());
            left = ordersLeft(lines, cart.cartOrderArray());
        }
        QCOMPARE(left.size(), 100); // each order keeps its 3 refused copies
        QCOMPARE(left.first().orderPage, 3);
    }

    // One order of a 100-order cart of 30 copies each changes: the lines and the total are derived again.
    void changeLargeCart()
    {
        CartState cart;
        cart.setCartOrderArray(largeCart(100));
        int round = 0;
        QBENCHMARK {
            Order changed = cart.cartOrderArray().at(50);
            changed.orderItem.orderNumber = float(++round % 7 + 1);
            QList<Order> lines = cart.cartOrderArray();
            lines[50] = changed;
            cart.setCartOrderArray(lines);
        }
        QCOMPARE(cart.orderConfirmArray().size(), 3000);
    }

    void numberAndMoneyTexts()
    {
        QString last;
        QBENCHMARK {
            for (int i = 0; i < 10000; ++i) {
                last = numberText(float(i) * 1.25f);
                last += moneyText(double(i) * 37.5);
            }
        }
        QVERIFY(!last.isEmpty());
    }

    // The longest main-thread stall from a tap on the header page's first picker (the car/ship kinds, not
    // stored yet) until the picker opens, against a gateway that answers in 2 s (goal: under 50 ms; the
    // blocking fetch this replaced stalled 1.92 s). A 1 ms timer on the main thread notes every tick; the
    // longest gap between ticks is the stall.
    void headerPickerStall()
    {
        GatewayFixture gateway;
        QVERIFY(gateway.isRunning());
        QTemporaryDir dir;
        AppContext context(AppContext::Options{dir.path(), nullptr, false});
        context.start();
        context.secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
        FakeUi ui;
        OrderPage1ViewController page;
        page.setEnvironment({&ui, nullptr, &context});
        qint64 longest = 0;
        QBENCHMARK_ONCE {
            QVERIFY(gateway.setFault(QStringLiteral("transportList"), QStringLiteral("delay"), 2000));
            longest = longestStall([&] { page.transTypeAction(); }, [&] { return ui.hasOpenPicker(); });
        }
        QTest::setBenchmarkResult(qreal(longest), QTest::WalltimeMilliseconds);
        qInfo("longest main-thread stall while the header page's first picker opens: %lld ms", longest);
    }

    // The longest main-thread stall while the order draft of 100 orders × 30 copies is saved (goal: under
    // one frame, 16 ms), beside what the save itself takes on the draft's writer thread. A 1 ms timer on
    // the main thread notes every tick; the longest gap between ticks is the stall.
    void draftSaveStall()
    {
        QTemporaryDir dir;
        OrderDraft draft(dir.path(), [] { return QStringLiteral("陳志明"); });
        draft.open(QStringLiteral("U10023"));
        draft.setLines(largeCart(100));
        QVERIFY(QTest::qWaitFor([&] { return draft.isSaved(); }));
        qint64 longest = 0;
        QBENCHMARK_ONCE {
            // A change that leaves the lines as they are: the whole document is written again.
            longest = longestStall([&] { draft.setFailedSubmissionAt(1700000000.0); },
                                   [&] { return draft.isSaved(); });
        }
        QElapsedTimer write;
        write.start();
        QVERIFY(DocumentStore(dir.path()).writeBytes(QStringLiteral("probe"),
                                                     OrderDraftDocument::write(draft.content(), QStringLiteral("U10023"))));
        const qint64 writeMs = write.elapsed();
        QTest::setBenchmarkResult(qreal(longest), QTest::WalltimeMilliseconds);
        qInfo("draft of 100 × 30 saved: longest main-thread stall %lld ms; the save itself %lld ms off the main thread",
              longest, writeMs);
    }

    // The longest main-thread stall while the outbox sends 20 orders of 30 lines, one after another, to
    // the development gateway (on a thread of its own); every order passes the credit check.
    void outboxSendStall()
    {
        AppHarness app;
        app.startSignedIn();
        double now = 1700000000.0;
        app.context->submissionGuard().setClock([&now] { return now += 61; }); // the guard never holds back
        Outbox &outbox = app.context->outbox();
        outbox.open(QStringLiteral("U10023"));
        for (const Order &order : largeCart(20)) {
            const QList<OrderConfirm> lines = createOrderConfirmArray(order, QStringLiteral("陳志明"));
            QVERIFY(!outbox.add(OrderDraftContent::Kind::normal, order.orderCustomer, lines).isEmpty());
        }
        QVERIFY(QTest::qWaitFor([&] { return outbox.isSaved(); }));
        qint64 longest = 0;
        QElapsedTimer all;
        all.start();
        QBENCHMARK_ONCE {
            longest = longestStall([&] { outbox.resume(); },
                                   [&] { return !outbox.isSending() && !std::any_of(outbox.orders().cbegin(), outbox.orders().cend(), [](const OutboxOrder &o) { return o.hasLinesToSend(); }) && outbox.isSaved(); });
        }
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2")).size(), 20);
        QTest::setBenchmarkResult(qreal(longest), QTest::WalltimeMilliseconds);
        qInfo("20 orders × 30 lines sent in %lld ms: longest main-thread stall %lld ms", all.elapsed(), longest);
    }

    // The longest main-thread stall from the sign-in tap until its refresh of the lists has kept the
    // 20,000 customers for working offline (written on the keeper's thread), beside its floor: the same
    // sign-in with nothing kept, until the customers are held.
    void keptAtSignInStall()
    {
        GatewaySimulator::Options options;
        options.customers = 20000;
        qint64 longest[2] = {0, 0};
        for (const bool keeping : {false, true}) {
            AppHarness app(false, options);
            QVERIFY(app.gateway.isRunning() && app.launch());
            if (!keeping)
                app.context->client().setAnswerRecorder({});
            // Nothing is read while timing: the kept list is read once it is written.
            const QString keptList = QDir(app.context->kept().accountFolder(QStringLiteral("U10023")))
                                         .filePath(QStringLiteral("customers.json"));
            const auto done = [&] {
                return keeping ? app.context->kept().isSaved() && QFile::exists(keptList)
                               : app.context->lists().customerList() && app.context->lists().customerList()->size() == 20000;
            };
            longest[keeping] = longestStall([&] { QVERIFY(app.signIn()); }, done);
            QVERIFY(done());
            if (keeping) {
                const std::optional<KeptAnswer> customers = app.context->kept().customers(QStringLiteral("U10023"));
                QVERIFY(customers && customers->answer.value(QStringLiteral("custList")).toArray().size() == 20000);
            }
        }
        QTest::setBenchmarkResult(qreal(longest[1]), QTest::WalltimeMilliseconds);
        qInfo("sign-in with 20,000 customers: longest main-thread stall %lld ms keeping them, %lld ms not", longest[1], longest[0]);
    }

    // From a push handed to the development gateway to its payload on the app's main thread, over the
    // relay's loopback WebSocket (the goal: on screen within a second).
    void pushDelivery()
    {
        GatewayFixture gateway;
        QVERIFY(gateway.isRunning());
        QTemporaryDir dir;
        AppContext context(AppContext::Options{dir.path(), nullptr, false});
        context.start();
        RelayPushService service(RelayPushService::defaultRelayUrl(), QStringLiteral("bench"));
        QSignalSpy registered(&service, &PushService::registered);
        service.registerForRemoteNotifications();
        QVERIFY(registered.wait(5000));
        bool linked = false;
        context.operations().pushRegistration(PushRegistration::tokenText(service.token()), QStringLiteral("demo"),
                                              nullptr, [&](const ApiStatus &status) { linked = status.isSuccess; });
        QTRY_VERIFY(linked);
        QSignalSpy arrived(&service, &PushService::notificationReceived);
        QBENCHMARK {
            arrived.clear();
            gateway.addPush(QStringLiteral("demo"), QStringLiteral("出貨"), QStringLiteral("您的訂單已出貨"));
            QVERIFY(QTest::qWaitFor([&] { return !arrived.isEmpty(); }, 5000));
        }
    }

    // The development gateway's decoding of a 200,000-pair form into its fields.
    void decodeLargeForm()
    {
        QByteArray form;
        for (int i = 0; i < 200000; ++i)
            form += (i ? "&k" : "k") + QByteArray::number(i) + "=v%20" + QByteArray::number(i);
        QJsonObject fields;
        QBENCHMARK {
            fields = decodeFormObject(form);
        }
        QCOMPARE(fields.size(), 200000);
    }
};

QTEST_GUILESS_MAIN(BenchTest)
#include "BenchTest.moc"
