// The confirmation screen against the development gateway answering as each case scripts: per-line
// results, the cart rebuilt from what was not ordered, the button states, the 60-second guard and the
// closing callbacks.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "order/OrderConfirmViewController.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>
#include <QJsonDocument>

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

// The signed-in app with a root screen from which the confirmation is presented.
struct Harness : AppHarness {
    Screen *root = new Screen;
    double clock = 1700000000.0;
    QJsonArray successCalls; // [failed, edit, close] per call
    int orderQueryCalls = 0;

    Harness()
    {
        startSignedIn();
        context->submissionGuard().setClock([this] { return clock; });
        navigator.setRootScreen(root);
        settle();
    }

    // Presents a new confirmation screen over the root for the current cart.
    OrderConfirmViewController *open()
    {
        auto *confirm = new OrderConfirmViewController;
        QObject::connect(confirm, &OrderConfirmViewController::successClosure, root,
                         [this](bool failed, bool edit, bool close) {
                             successCalls.append(QJsonArray{failed, edit, close});
                         });
        QObject::connect(confirm, &OrderConfirmViewController::orderQueryClosure, root, [this] { ++orderQueryCalls; });
        root->present(new ZelkNavigationController(confirm), true);
        settle();
        return confirm;
    }
    // The gateway answers the next submission with `body`.
    bool answerNext(const QByteArray &body)
    {
        return gateway.setFault(
            QJsonObject{{"operation", "ZSD_CREATE_EIP_ORDER2"}, {"mode", "reply"}, {"body", QString::fromUtf8(body)}});
    }
    int submissions() const { return int(gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2")).size()); }
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
        QCOMPARE(confirm->amountText(), QStringLiteral("¥52,185.00"));
        ZELK_COMPARE_FIXTURE(drawn(confirm), "order/confirmBeforeSending");
        QVERIFY(confirm->isSendMailButtonViewHidden()); // the notice mail once a line is ordered

        // First line ordered, the second order's first copy refused, its second copy not answered.
        QVERIFY(h.answerNext(QStringLiteral(R"({"returnCode": "00", "returnMsg": "處理完成", "orderList": [
            {"orderSeq": "%1", "returnCode": "S", "returnMsg": "訂單 0010004653 已建立", "otVbeln": "0010004653"},
            {"orderSeq": "%2", "returnCode": "E", "returnMsg": "物料 10000122 輕質骨材已停止銷售，請改選其他品項", "otVbeln": ""},
            {"orderSeq": "unknown-seq", "returnCode": "S", "returnMsg": "", "otVbeln": "0010009999"}]})")
                                 .arg(lines[0].orderSeq, lines[1].orderSeq)
                                 .toUtf8()));
        QVERIFY(h.submit(confirm));
        QCOMPARE(h.submissions(), 1);
        QVERIFY(confirm->isAmountViewHidden());
        // Ordered, refused with the gateway's message, still waiting; 訂單查詢 and 修改訂單 offered.
        ZELK_COMPARE_FIXTURE(drawn(confirm), "order/confirmMixedAnswer");
        QVERIFY(!h.ui.hasOpenAlert());
        QTRY_VERIFY(!confirm->isSendMailButtonViewHidden() && confirm->isSendMailButtonEnabled());

        // The cart keeps the second order once, with a page per line not ordered: the refused line
        // under a new identity, the unanswered one under its own.
        const QList<Order> cart = h.context->draft().lines();
        QCOMPARE(cart.size(), 1);
        QVERIFY(cart.at(0).orderSeq != second.orderSeq);
        QCOMPARE(cart.at(0).orderPage, 2);
        QCOMPARE(h.context->draft().cart().orderConfirmArray().size(), 2);
        QCOMPARE(h.context->draft().cart().orderConfirmArray().at(1).orderSeq, lines[2].orderSeq);
        // The unanswered line may have been ordered: the draft holds it as of unknown fate.
        QCOMPARE(h.context->draft().fate(lines[2].orderSeq), LineFate::unknown);

        // A button the row does not show does nothing; the edit button closes, asking to edit.
        confirm->buttonTapped(QStringLiteral("closeButton"));
        confirm->buttonTapped(QStringLiteral("confirmButton"));
        settle();
        QVERIFY(h.successCalls.isEmpty());
        QCOMPARE(h.submissions(), 1);
        confirm->buttonTapped(QStringLiteral("editOrderButton"));
        settle();
        QCOMPARE(h.successCalls, (QJsonArray{QJsonArray{true, true, false}}));
        QCOMPARE(h.navigator.presentedScreens().size(), 0);
    }

    // One line submitted at T + `at` seconds (or the screen cancelled first), the gateway answering as
    // `answer` says (a lower-case "s" is no success); the last unsuccessful answer holds further
    // submissions back for 60 seconds.
    void guardRefusesWithinSixtySecondsOfAFailure_data()
    {
        QVERIFY(zelktest::addFixtureRows("order/submissionGuard"));
    }
    void guardRefusesWithinSixtySecondsOfAFailure()
    {
        QFETCH(QJsonObject, row);
        Harness h;
        const double T = h.clock;
        h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, 1)});
        for (const QJsonValue &value : row["steps"].toArray()) {
            const QJsonObject step = value.toObject();
            h.clock = T + step["at"].toDouble();
            if (step.contains("cart"))
                h.context->draft().setLines({order(QStringLiteral("10000101"), 100, 1, step["cart"].toInt())});
            // The gateway's next answer ("$seq": the line's identity), or a fault mode by name.
            const QString seq = h.context->draft().cart().orderConfirmArray().value(0).orderSeq;
            if (step["answer"].isString())
                QVERIFY(
                    h.gateway.setFault(QStringLiteral("ZSD_CREATE_EIP_ORDER2"), step["answer"].toString()));
            else if (step.contains("answer"))
                QVERIFY(h.answerNext(
                    QJsonDocument(step["answer"].toObject()).toJson().replace("$seq", seq.toUtf8())));
            auto *confirm = h.open();
            if (step.contains("cancel")) { // the bar button, before submitting
                QVERIFY(confirm->triggerBarButton(QStringLiteral("left"), 0));
                settle();
            } else {
                QVERIFY(h.submit(confirm));
            }
            QCOMPARE(h.submissions(), step["sent"].toInt());
            if (step.contains("status")) // of the line sent
                QCOMPARE(int(confirm->tableArray().at(0).orderStatus), step["status"].toInt());
            if (step["alert"].toArray().isEmpty() && step.contains("alert")) {
                QVERIFY(!h.ui.hasOpenAlert());
            } else if (step.contains("alert")) {
                const QStringList alert{h.ui.currentAlertTitle(), h.ui.currentAlertMessage()};
                QCOMPARE(alert + h.ui.currentAlertButtons(), step["alert"].toVariant().toStringList());
                QVERIFY(h.ui.pressAlertButton(step.contains("press") ? step["press"].toString() : QStringLiteral("確定")));
                settle();
            }
            if (step.contains("guard"))
                QCOMPARE(h.context->submissionGuard().orderTimeLimitActive(), step["guard"].toBool());
            if (step.contains("buttons"))
                ZELK_COMPARE_JSON(zelktest::drawnRows(confirm->buttonsModel()), step["buttons"]);
            if (step.contains("lines"))
                QCOMPARE(h.context->draft().lines().size(), step["lines"].toInt());
            if (step.contains("pages")) // the order kept, with all its copies
                QCOMPARE(h.context->draft().lines().value(0).orderPage, step["pages"].toInt());
            if (step.contains("queried")) { // the confirmation closed and called the order query
                QCOMPARE(h.orderQueryCalls, step["queried"].toInt());
                QCOMPARE(h.navigator.presentedScreens().size(), 0);
            }
            if (step.contains("leave")) {
                confirm->closeAction(step["leave"].toString());
                settle();
            }
            if (step.contains("closed")) {
                QCOMPARE(h.successCalls.last(), step["closed"]);
                QCOMPARE(h.navigator.presentedScreens().size(), 0);
            }
        }
        // The one line ordered made the credit be asked for again.
        QTRY_COMPARE(h.gateway.gatewayCalls(QStringLiteral("ZBAPI_GET_CUSTOMER_CREDIT")).size(), 1);
    }
};

ZELK_TEST(OrderConfirmTest)
#include "OrderConfirmTest.moc"
