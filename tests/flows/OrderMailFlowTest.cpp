// The order-notice mail after a submission, headless against the development gateway, as steps: the
// requests offered, the recipient rules, the details entered, a failed send, the exact `sendMail` body,
// and the recipients and shipping points per sales organisation after switching accounts.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "order/ChoiceMailViewController.h"
#include "order/EditOrderViewController.h"
#include "order/EditSentMailViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/SendMailViewController.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>

namespace {
// The signed-in app with a confirmation presented over the tab screen.
struct MailFlow : AppHarness {
    QPointer<OrderConfirmViewController> confirm;

    NavigationController *stack() const { return confirm ? confirm->navigationController() : nullptr; }
    template <class T> T *top() const
    {
        return stack() ? qobject_cast<T *>(stack()->topViewController()) : nullptr;
    }
    // Submits `orders` through the confirmation and waits for the answer.
    bool submit(const QList<Order> &orders)
    {
        context->draft().setLines(orders);
        Screen *nav = storyboard.instantiate(Scene::OrderConfirmNavigation);
        tabs()->present(nav, false);
        settle();
        confirm = qobject_cast<OrderConfirmViewController *>(static_cast<NavigationController *>(nav)->rootViewController());
        if (!confirm)
            return false;
        confirm->orderAction();
        return QTest::qWaitFor([&] { return !ui.isSpinnerShowing(); }, 10000);
    }

    QJsonObject vars; // the identities and order numbers of the submitted lines

    // What the rep sees after a step: the top screen, an open alert, and what that screen holds.
    QJsonObject observe()
    {
        QJsonObject o{{"top", stack() ? stack()->topViewController()->className() : QString()},
                      {"mailButton", !confirm                                ? "none"
                                     : confirm->isSendMailButtonViewHidden() ? "hidden"
                                     : confirm->isSendMailButtonEnabled()    ? "enabled"
                                                                             : "disabled"},
                      {"sendMail", QJsonArray{int(gateway.gatewayCalls(QStringLiteral("sendMail")).size()),
                                              int(gateway.simulator()->sentMails().size())}}};
        if (ui.hasOpenAlert())
            o["alert"] = QJsonArray::fromStringList(
                QStringList{ui.currentAlertTitle(), ui.currentAlertMessage()} + ui.currentAlertButtons());
        if (!confirm && context->userId() && context->lists().hasList(QStringLiteral("getTvstzList")) &&
            context->lists().hasList(QStringLiteral("getNoticeGroupUserList")))
            o["lists"] = QJsonArray{
                context->lists().tvstzList()->first().tvstzName,
                mailUserFrom(context->lists().noticeGroupList()->first()).userId,
                context->documents().read(QStringLiteral("getNoticeGroupUserList"))->contains("X1")};
        if (auto *c = top<OrderConfirmViewController>())
            for (const OrderConfirm &line : c->tableArray())
                o["results"] = o["results"].toArray() << int(line.orderStatus);
        if (auto *mail = top<SendMailViewController>())
            for (const SentMailOrderConfirm &r : mail->tableArray()) {
                QStringList to;
                for (const MailUser &u : r.mailList)
                    to << u.userId;
                o["requests"] = o["requests"].toArray() << QJsonObject{{"orderNo", r.orderConfirm.sapOrderNo},
                                                                       {"to", to.join(',')},
                                                                       {"need", r.needSelectMember},
                                                                       {"want", r.wantSendMail},
                                                                       {"carNo", r.carNo}};
            }
        if (auto *edit = top<EditSentMailViewController>())
            o["details"] = QJsonObject{{"recipients", zelktest::drawnRows(edit->recipients(), {"name"})},
                                       {"carNo", edit->carNo()},
                                       {"remark", edit->remark()}};
        if (auto *choice = top<ChoiceMailViewController>())
            o["choice"] = zelktest::drawnRows(choice->rows());
        if (auto *display = top<EditOrderViewController>()) { // read-only: no row editable, no bar button
            QJsonArray rows;
            for (const EditOrderRow &r : display->tableArray())
                rows << QJsonArray{r.value, int(r.editType)};
            o["display"] = QJsonArray{display->orderConfirm()->orderSeq, display->isDisplayMode(), rows,
                                      int(display->leftBarButtons().size()), ui.hasOpenPicker()};
        }
        return o;
    }
};
} // namespace

class OrderMailFlowTest : public QObject
{
    Q_OBJECT
private slots:
    // Each row: the lines submitted, then steps "action=argument"; what the rep sees after each step is
    // compared with tests/data/mail/<row>.json. An earlier version's document of the notice group, not
    // keyed by organisation, stays readable and is never offered.
    void mailSteps_data() { QVERIFY(zelktest::addFixtureRows("mail/mailSteps")); }
    void mailSteps()
    {
        QFETCH(QJsonObject, row);
        MailFlow f;
        QVERIFY(f.launch());
        QVERIFY(f.context->documents().write(
            QStringLiteral("getNoticeGroupUserList"),
            QStringLiteral(R"({"returnCode":"00","list":[{"userID":"X1","type":"0"}]})")));
        QJsonArray seen;
        for (const QString &step : row["steps"].toVariant().toStringList()) {
            const QString action = step.section('=', 0, 0), arg = step.section('=', 1);
            auto *mail = f.top<SendMailViewController>();
            auto *edit = f.top<EditSentMailViewController>();
            auto *choice = f.top<ChoiceMailViewController>();
            if (action == "signIn") {
                QVERIFY(f.signIn(arg.section('/', 0, 0), arg.section('/', 1)));
                QTRY_VERIFY(f.context->lists().hasList(QStringLiteral("getNoticeGroupUserList")));
                QTRY_VERIFY(f.context->lists().hasList(QStringLiteral("getTvstzList")));
            } else if (action == "signOut") {
                QVERIFY(f.signOut());
            } else if (action == "submit") {
                QList<Order> orders;
                for (const QJsonValue &l : row["orders"].toArray()) { // [kunnr, vkorg, matnr, quantity]
                    orders << sampleLine(l[2].toString(), 100, float(l[3].toDouble()));
                    orders.last().orderCustomer = {.kunnr = l[0].toString(), .name1 = "客戶" + l[0].toString()};
                    orders.last().contract2.vkorg = l[1].toString();
                }
                QVERIFY(f.submit(orders));
                const QList<OrderConfirm> lines = f.confirm->tableArray();
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    f.vars["seq" + QString::number(i)] = lines[i].orderSeq;
                    if (!lines[i].sapOrderNo.isEmpty()) // a refused line has none
                        f.vars["no" + QString::number(i)] = lines[i].sapOrderNo;
                }
            } else if (action == "mail") {
                f.confirm->sentMailAction();
            } else if (action == "fault") { // the next send fails
                QVERIFY(f.gateway.setFault(QStringLiteral("sendMail"), QStringLiteral("code"), 0, true,
                                           QStringLiteral("01"), QStringLiteral("郵件伺服器忙碌")));
            } else if (action == "press") {
                QVERIFY(f.ui.pressAlertButton(arg));
            } else if (action == "pop") {
                f.stack()->pop(false);
            } else if (action == "request") { // the last mail sent, as the gateway received it
                ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("sendMail")).last(), arg,
                                     (QJsonObject{{"orderSeq", f.vars["seq0"]}, {"otVbeln", f.vars["no0"]}}));
            } else if (mail && action == "row") {
                mail->selectRow(arg.toInt());
            } else if (mail && action == "check") {
                mail->checkAction(arg.toInt());
            } else if (mail && action == "edit") {
                mail->editAction(arg.toInt());
            } else if (mail && action == "send") {
                mail->sendMailAction();
                QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
            } else if (choice && action == "select") {
                choice->selectRow(arg.toInt());
            } else if (choice && action == "save") {
                choice->saveAction();
            } else if (edit && action == "save") {
                edit->saveAction();
            } else if (edit && action == "delete") {
                edit->deleteAction(arg.toInt());
            } else if (edit && action == "carNo") {
                edit->setCarNo(arg);
            } else if (edit && action == "remark") {
                edit->setRemark(arg);
            } else if (edit && action == "info") {
                edit->showOrderInfoAction();
            } else if (auto *display = f.top<EditOrderViewController>(); display && action == "tap") {
                display->selectRow(arg.toInt()); // the line's material row, then save: nothing opens
                display->saveEditAction();
            } else {
                QFAIL(qPrintable("no screen for " + step));
            }
            QVERIFY(QTest::qWaitFor(
                [&] {
                    settle();
                    Screen *top = f.stack() ? f.stack()->topViewController() : nullptr;
                    return (!top || top->appearance() == Screen::Appearance::Appeared) &&
                           !f.ui.isSpinnerShowing();
                },
                5000));
            seen << QJsonObject{{"step", step}, {"sees", f.observe()}};
        }
        ZELK_COMPARE_FIXTURE(seen, "mail/" + QString::fromUtf8(QTest::currentDataTag()), f.vars);
    }
};

ZELK_TEST(OrderMailFlowTest)
#include "OrderMailFlowTest.moc"
