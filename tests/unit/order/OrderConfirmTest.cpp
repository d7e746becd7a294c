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
};

// What the view draws: the total (or none), the button row and the sections (a line's cart cell and its
// result row).
QJsonObject drawn(OrderConfirmViewController *confirm)
{
    return {{"amount", confirm->isAmountViewHidden() ? QString() : confirm->amountText()},
            {"buttons", zelktest::drawnRows(confirm->buttonsModel())},
            {"sections", zelktest::drawnRows(confirm->sections())}};
}

} // namespace

class OrderConfirmTest : public QObject
{
    Q_OBJECT
private slots:
    // The cart (`cart`: orders of matnr/price/quantity/copies) submitted at T + `at` seconds (or the screen
    // cancelled first), the gateway answering as `answer` says ("$seq<i>": line i's identity; a lower-case
    // "s" is no success); the last unsuccessful answer holds further submissions back for 60 seconds. A
    // mixed answer marks each line and keeps in the cart what was not ordered.
    void answersAndTheGuard_data()
    {
        QVERIFY(zelktest::addFixtureRows("order/submissionGuard"));
    }
    void answersAndTheGuard()
    {
        QFETCH(QJsonObject, row);
        Harness h;
        const double T = h.clock;
        const QHash<QChar, LineFate> named{
            {'O', LineFate::ordered}, {'R', LineFate::refused}, {'U', LineFate::unknown}};
        for (const QJsonValue &value : row["steps"].toArray()) {
            const QJsonObject step = value.toObject();
            h.clock = T + step["at"].toDouble();
            h.successCalls = {};
            QList<Order> cart;
            for (const QJsonValue &o : step["cart"].toArray())
                cart << sampleLine(o[0].toString(), float(o[1].toDouble()), float(o[2].toDouble()), o[3].toInt());
            if (!cart.isEmpty())
                h.context->draft().setLines(cart);
            const QList<OrderConfirm> sent = h.context->draft().cart().orderConfirmArray();
            QByteArray answer = QJsonDocument(step["answer"].toObject()).toJson();
            for (qsizetype i = 0; i < sent.size(); ++i)
                answer.replace("$seq" + QByteArray::number(i), sent[i].orderSeq.toUtf8());
            if (step["answer"].isString()) // a fault mode by name
                QVERIFY(
                    h.gateway.setFault(QStringLiteral("ZSD_CREATE_EIP_ORDER2"), step["answer"].toString()));
            else if (step.contains("answer")) // the next submission answered with this body
                QVERIFY(h.gateway.setFault(QJsonObject{
                    {"operation", "ZSD_CREATE_EIP_ORDER2"}, {"mode", "reply"}, {"body", QString::fromUtf8(answer)}}));
            auto *confirm = h.open();
            if (step.contains("before"))
                ZELK_COMPARE_FIXTURE(drawn(confirm), step["before"].toString());
            if (step.contains("cancel")) { // the bar button, before submitting
                QVERIFY(confirm->triggerBarButton(QStringLiteral("left"), 0));
                settle();
            } else { // submitted, and the answer handled
                confirm->orderAction();
                QVERIFY(QTest::qWaitFor([&] { return !h.ui.isSpinnerShowing(); }, 5000));
            }
            QCOMPARE(h.gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2")).size(), step["sent"].toInt());
            if (step.contains("drawn"))
                ZELK_COMPARE_FIXTURE(drawn(confirm), step["drawn"].toString());
            if (step.contains("mailButton")) // the notice mail, once a line is ordered
                QTRY_COMPARE(!confirm->isSendMailButtonViewHidden() && confirm->isSendMailButtonEnabled(),
                             step["mailButton"].toBool());
            const QString fates = step["fates"].toString(); // per line sent: O ordered, R refused, U unknown
            for (qsizetype i = 0; i < fates.size(); ++i)
                QCOMPARE(h.context->draft().fate(sent[i].orderSeq), named.value(fates[i]));
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
            if (step.contains("leave")) { // the buttons tapped: one the row does not show does nothing
                for (const QString &button : step["leave"].toVariant().toStringList())
                    confirm->buttonTapped(button);
                settle();
            }
            if (step.contains("closed")) {
                QCOMPARE(h.successCalls, step["closed"]);
                QCOMPARE(h.navigator.presentedScreens().size(), 0);
            }
        }
        // The one line ordered made the credit be asked for again.
        QTRY_COMPARE(h.gateway.gatewayCalls(QStringLiteral("ZBAPI_GET_CUSTOMER_CREDIT")).size(), 1);
    }
};

ZELK_TEST(OrderConfirmTest)
#include "OrderConfirmTest.moc"
