// The confirmation screen against a scripted gateway on loopback: per-line results, the cart rebuilt
// from what was not ordered, the button states, the 60-second guard and the closing callbacks.
#include "ExpectedJson.h"
#include "FakeUi.h"
#include "ScriptedGateway.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "order/OrderConfirmViewController.h"
#include "model/DocumentStore.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

Order order(const QString &matnr, float price, float quantity, int pages)
{
    Order o;
    o.orderCustomer.kunnr = QStringLiteral("0000100101");
    o.orderCustomer.name1 = QStringLiteral("大安營造股份有限公司");
    o.contract2.auarth = QStringLiteral("ZOR");
    o.contract2.vkorg = QStringLiteral("1100");
    o.inco1 = Inco1{QStringLiteral("DAP"), QStringLiteral("送達工地")};
    o.orderItem.matnr = matnr;
    o.orderItem.maktx = QStringLiteral("物料") + matnr;
    o.orderItem.price = price;
    o.orderItem.orderNumber = quantity;
    o.orderPage = pages;
    return o;
}

QJsonObject answerLine(const QString &seq, const QString &code, const QString &message, const QString &vbeln)
{
    return QJsonObject{{"orderSeq", seq}, {"returnCode", code}, {"returnMsg", message}, {"otVbeln", vbeln}};
}

QByteArray answer(const QJsonArray &lines)
{
    return QJsonDocument(QJsonObject{{"returnCode", "00"}, {"returnMsg", "處理完成"}, {"orderList", lines}}).toJson();
}

// The notice-mail screen as the confirmation sees it: takes the lines, reports a sent mail.
class MailScreen : public OrderConfirmMailScreen
{
    Q_OBJECT
public:
    QList<OrderConfirm> lines;
    void setOrderConfirmLines(const QList<OrderConfirm> &confirmLines) override { lines = confirmLines; }
};

// A fresh context, a Ui and a window with a root screen from which the confirmation is presented.
struct Harness {
    ScriptedGateway server;
    QByteArray previousUrl = qgetenv("ZELK_GATEWAY_URL");
    QTemporaryDir dir;
    FakeUi ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<Storyboard> storyboard;
    Navigator navigator;
    Screen *root = nullptr;
    double clock = 1700000000.0;
    QList<QList<bool>> successCalls;
    int orderQueryCalls = 0;

    Harness()
    {
        qputenv("ZELK_GATEWAY_URL", server.url().toString().toUtf8());
        context = std::make_unique<AppContext>(AppContext::Options{dir.path(), nullptr, false});
        context->start();
        context->secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
        context->secureStore().setValue(QStringLiteral("userName"), QStringLiteral("陳志明"));
        context->userInfo().email = QStringLiteral("chihming.chen@zelk-supply.com.tw");
        context->submissionGuard().setClock([this] { return clock; });
        storyboard = std::make_unique<Storyboard>(&ui, context.get());
        navigator.setEnvironment({&ui, storyboard.get(), context.get()});
        root = new Screen;
        navigator.setRootScreen(root);
        settle();
    }
    ~Harness() { qputenv("ZELK_GATEWAY_URL", previousUrl); }

    // Presents a new confirmation screen over the root for the current cart.
    OrderConfirmViewController *open()
    {
        auto *confirm = new OrderConfirmViewController;
        QObject::connect(confirm, &OrderConfirmViewController::successClosure, root,
                         [this](bool failed, bool edit, bool close) { successCalls.append({failed, edit, close}); });
        QObject::connect(confirm, &OrderConfirmViewController::orderQueryClosure, root, [this] { ++orderQueryCalls; });
        root->present(new ZelkNavigationController(confirm), true);
        settle();
        return confirm;
    }
    // The submissions the server received (the credit query that follows an ordered line aside).
    QList<ScriptedGateway::Request> submissions() const
    {
        QList<ScriptedGateway::Request> found;
        for (const ScriptedGateway::Request &r : server.requests()) {
            if (r.json().value(QStringLiteral("ApiName")).toString() == QLatin1String("ZSD_CREATE_EIP_ORDER2"))
                found.append(r);
        }
        return found;
    }
    // Submits and waits for the answer to be handled.
    bool submit(OrderConfirmViewController *confirm)
    {
        confirm->orderAction();
        return QTest::qWaitFor([&] { return !ui.isSpinnerShowing(); }, 5000);
    }
};

// What the view draws: the button row and the sections (a line's cart cell and its result row).
QJsonObject drawn(OrderConfirmViewController *confirm)
{
    return {{"buttons", zelktest::drawnRows(confirm->buttonsModel())}, {"sections", zelktest::drawnRows(confirm->sections())}};
}

} // namespace

class OrderConfirmTest : public QObject
{
    Q_OBJECT
private slots:
    void mixedAnswerMarksLinesAndKeepsWhatFailed()
    {
        Harness h;
        const Order first = order(QStringLiteral("10000101"), 2992.5f, 10, 1);
        const Order second = order(QStringLiteral("10000122"), 2782.5f, 4, 2);
        h.context->draft().setLines({first, second});
        const QList<OrderConfirm> lines = h.context->draft().cart().orderConfirmArray();
        QCOMPARE(lines.size(), 3);
        auto *confirm = h.open();
        QCOMPARE(confirm->buttonIds(), QStringList{"confirmButton"});
        QCOMPARE(confirm->amountText(), QStringLiteral("¥52,185.00"));
        QCOMPARE(confirm->numberOfRows(0), 1);
        ZELK_COMPARE_FIXTURE(drawn(confirm), "order/confirmBeforeSending");

        // First line ordered, the second order's first copy refused, its second copy not answered.
        const QString message = QStringLiteral("物料 10000122 輕質骨材已停止銷售，請改選其他品項");
        h.server.enqueue(ScriptedGateway::Reply::json(answer(
            {answerLine(lines[0].orderSeq, "S", "訂單 0010004653 已建立", "0010004653"),
             answerLine(lines[1].orderSeq, "E", message, ""), answerLine("unknown-seq", "S", "", "0010009999")})));
        QVERIFY(h.submit(confirm));
        QCOMPARE(int(h.submissions().size()), 1);
        QVERIFY(confirm->isAmountViewHidden());
        // The envelope carries the parameters as compact JSON text, lines in cart order.
        const QString body = h.submissions().first().json().value(QStringLiteral("Body")).toString();
        QVERIFY(!body.contains(QLatin1Char('\n')) && !body.contains(QStringLiteral(": ")));
        const QJsonObject sent = QJsonDocument::fromJson(body.toUtf8()).object();
        QCOMPARE(sent.value(QStringLiteral("userID")).toString(), QStringLiteral("U10023"));
        const QJsonArray sentLines = sent.value(QStringLiteral("eipOrder2List")).toArray();
        QCOMPARE(sentLines.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(sentLines.at(i).toObject().value(QStringLiteral("orderSeq")).toString(), lines[i].orderSeq);
        QCOMPARE(sentLines.at(2).toObject().value(QStringLiteral("rootSeq")).toString(), second.orderSeq);

        QCOMPARE(confirm->tableArray().at(0).orderStatus, SapOrderStatus::success);
        QCOMPARE(confirm->tableArray().at(1).orderStatus, SapOrderStatus::fail);
        QCOMPARE(confirm->numberOfRows(2), 1); // not answered: still waiting
        QCOMPARE(confirm->orderQueryButtonColor(), QColor::fromRgbF(0, 0.5603183f, 0));
        // Ordered, refused with the gateway's message, still waiting; 訂單查詢 and 修改訂單 offered.
        ZELK_COMPARE_FIXTURE(drawn(confirm), "order/confirmMixedAnswer");
        QVERIFY(confirm->isSendMailButtonViewHidden()); // no notice-mail screen registered
        QVERIFY(!h.ui.hasOpenAlert());

        // The cart keeps the second order once, with a page per line not ordered: the refused line
        // under a new identity, the unanswered one under its own.
        const QList<Order> cart = h.context->draft().lines();
        QCOMPARE(cart.size(), 1);
        QVERIFY(cart.at(0).orderSeq != second.orderSeq);
        QCOMPARE(cart.at(0).orderPage, 2);
        QCOMPARE(h.context->draft().cart().orderConfirmArray().size(), 2);
        QCOMPARE(h.context->draft().cart().orderConfirmArray().at(1).orderSeq, lines[2].orderSeq);

        // A button the row does not show does nothing; the edit button closes, asking to edit.
        confirm->buttonTapped(QStringLiteral("closeButton"));
        confirm->buttonTapped(QStringLiteral("confirmButton"));
        settle();
        QVERIFY(h.successCalls.isEmpty());
        QCOMPARE(int(h.submissions().size()), 1);
        confirm->buttonTapped(QStringLiteral("editOrderButton"));
        settle();
        QCOMPARE(h.successCalls, (QList<QList<bool>>{{true, true, false}}));
        QCOMPARE(h.navigator.presentedScreens().size(), 0);
    }

    void lowerCaseAndMissingListCountAsNotOrdered()
    {
        Harness h;
        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        const QList<OrderConfirm> lines = h.context->draft().cart().orderConfirmArray();
        auto *confirm = h.open();
        h.server.enqueue(ScriptedGateway::Reply::json(answer({answerLine(lines[0].orderSeq, "s", "", "0010000001")})));
        QVERIFY(h.submit(confirm));
        QCOMPARE(confirm->tableArray().at(0).orderStatus, SapOrderStatus::fail);
        QCOMPARE(confirm->buttonIds(), (QStringList{"orderQueryButton", "editOrderButton"}));
        QCOMPARE(h.context->draft().lines().size(), 1);

        // "00" without "orderList": nothing is marked, every line stays in the cart.
        Harness g;
        g.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 2)});
        auto *second = g.open();
        g.server.enqueue(ScriptedGateway::Reply::json(QByteArrayLiteral("{\"returnCode\":\"00\",\"returnMsg\":\"OK\"}")));
        QVERIFY(g.submit(second));
        QCOMPARE(second->numberOfRows(0), 1);
        QCOMPARE(second->numberOfRows(1), 1);
        QCOMPARE(second->buttonIds(), (QStringList{"orderQueryButton", "editOrderButton"}));
        QCOMPARE(g.context->draft().lines().size(), 1);
        QCOMPARE(g.context->draft().lines().at(0).orderPage, 2);
        QVERIFY(!g.ui.hasOpenAlert());
    }

    void guardRefusesWithinSixtySecondsOfAFailure()
    {
        Harness h;
        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        auto *confirm = h.open();
        // A failed answer at T.
        h.server.enqueue(ScriptedGateway::Reply::json(
            QJsonDocument(QJsonObject{{"returnCode", "99"}, {"returnMsg", "系統忙碌中"}}).toJson()));
        QVERIFY(h.submit(confirm));
        QCOMPARE(int(h.submissions().size()), 1);
        QCOMPARE(h.ui.currentAlertTitle(), QStringLiteral("下單失敗"));
        QCOMPARE(h.ui.currentAlertMessage(), QStringLiteral("系統忙碌中"));
        QCOMPARE(h.ui.currentAlertButtons(), QStringList{"確定"});
        QVERIFY(h.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(confirm->buttonIds(), (QStringList{"orderQueryButton", "editOrderButton"}));
        QCOMPARE(confirm->numberOfRows(0), 1);
        QCOMPARE(h.context->draft().lines().size(), 1);
        QVERIFY(h.context->submissionGuard().orderTimeLimitActive());
        confirm->closeAction(QStringLiteral("editOrderButton"));
        settle();

        // T + 30 s: refused locally, nothing sent; "訂單查詢" closes and calls the order-query callback.
        h.clock += 30;
        confirm = h.open();
        QVERIFY(h.submit(confirm));
        QCOMPARE(int(h.submissions().size()), 1);
        QCOMPARE(h.ui.currentAlertTitle(), QStringLiteral("下單失敗"));
        QCOMPARE(h.ui.currentAlertMessage(),
                 QStringLiteral("下單時間過於靠近，之前的下單正在處理中，請稍待片刻並確認本次下單是否成功。"));
        QCOMPARE(h.ui.currentAlertButtons(), (QStringList{"確定", "訂單查詢"}));
        QVERIFY(h.ui.pressAlertButton(QStringLiteral("訂單查詢")));
        settle();
        QCOMPARE(h.orderQueryCalls, 1);
        QCOMPARE(h.navigator.presentedScreens().size(), 0);

        // T + 61 s: sent; a success resets the guard, so an immediate new submission is sent too.
        h.clock += 31;
        const QList<OrderConfirm> lines = h.context->draft().cart().orderConfirmArray();
        h.server.enqueue(ScriptedGateway::Reply::json(answer({answerLine(lines[0].orderSeq, "S", "", "0010000002")})));
        confirm = h.open();
        QVERIFY(h.submit(confirm));
        QCOMPARE(int(h.submissions().size()), 2);
        QVERIFY(!h.context->submissionGuard().orderTimeLimitActive());
        QCOMPARE(confirm->buttonIds(), (QStringList{"orderQueryButton", "closeButton"}));
        QCOMPARE(confirm->orderQueryButtonColor(), QColor(236, 60, 26));
        QVERIFY(h.context->draft().lines().isEmpty());
        confirm->closeAction(QStringLiteral("closeButton"));
        settle();
        QCOMPARE(h.successCalls.last(), (QList<bool>{false, false, true}));

        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        h.server.enqueue(ScriptedGateway::Reply::json(answer({})));
        confirm = h.open();
        QVERIFY(h.submit(confirm));
        QCOMPARE(int(h.submissions().size()), 3);

        // The line ordered at T + 61 s made the credit be asked for again: three submissions and one query.
        QTRY_COMPARE(h.server.requestCount(), 4);
        // An unreadable answer counts as unsuccessful too.
        h.clock += 1;
        h.server.enqueue(ScriptedGateway::Reply::text(500, "text/html", "<html>Internal Server Error</html>"));
        confirm->closeAction(QStringLiteral("editOrderButton"));
        settle();
        confirm = h.open();
        QVERIFY(h.submit(confirm));
        QVERIFY(h.context->submissionGuard().orderTimeLimitActive());
    }

    // With an ordered line and recipients the notice mail is offered; its screen gets the lines, and a
    // sent mail turns the button into a disabled "sent" notice.
    void noticeMailAfterAnOrderedLine()
    {
        Harness h;
        QPointer<MailScreen> mail;
        h.storyboard->add(QStringLiteral("OrderConfirm"), QStringLiteral("SendMailViewController"), [&] {
            mail = new MailScreen;
            return mail.data();
        });
        h.context->documents().write(QStringLiteral("getNoticeGroupUserList"),
                                     QStringLiteral(R"({"list":[{"userID":"U10045","nachn":"林","vorna":"雅婷"}]})"));
        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        const QList<OrderConfirm> lines = h.context->draft().cart().orderConfirmArray();
        auto *confirm = h.open();
        QVERIFY(confirm->isSendMailButtonViewHidden());
        h.server.enqueue(ScriptedGateway::Reply::json(answer({answerLine(lines[0].orderSeq, "S", "", "0010000007")})));
        QVERIFY(h.submit(confirm));
        QVERIFY(!confirm->isSendMailButtonViewHidden());
        QCOMPARE(confirm->sendMailButtonTitle(), QStringLiteral("發送通知"));
        QVERIFY(confirm->isSendMailButtonEnabled());

        confirm->sentMailAction();
        settle();
        QVERIFY(mail);
        QCOMPARE(confirm->navigationController()->topViewController(), mail.data());
        QCOMPARE(mail->lines, confirm->tableArray());
        QCOMPARE(mail->lines.first().sapOrderNo, QStringLiteral("0010000007"));

        emit mail->sentSuccessClosure();
        QCOMPARE(confirm->sendMailButtonTitle(), QStringLiteral("已成功發送通知"));
        QVERIFY(!confirm->isSendMailButtonEnabled());
    }

    void cancelBeforeSubmittingCallsBack()
    {
        Harness h;
        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        auto *confirm = h.open();
        QCOMPARE(confirm->title(), QStringLiteral("確認下單"));
        QVERIFY(confirm->triggerBarButton(QStringLiteral("left"), 0));
        settle();
        QCOMPARE(h.successCalls, (QList<QList<bool>>{{false, false, false}}));
        QCOMPARE(int(h.submissions().size()), 0);
        QCOMPARE(h.navigator.presentedScreens().size(), 0);
    }
};

ZELK_TEST(OrderConfirmTest)
#include "OrderConfirmTest.moc"
