// The order-notice mail after a submission, headless against the development gateway: the requests
// offered, the recipient rules, the exact `sendMail` body, a failed send, and the recipients per
// sales organisation after switching accounts.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "order/ChoiceMailViewController.h"
#include "order/EditOrderViewController.h"
#include "order/EditSentMailViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/SendMailViewController.h"
#include "services/ServiceClient.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>

namespace {
Order order(const QString &kunnr, const QString &vkorg, const QString &matnr, float quantity)
{
    Order o;
    o.orderCustomer.kunnr = kunnr;
    o.orderCustomer.name1 = QStringLiteral("客戶") + kunnr;
    o.contract2.auarth = QStringLiteral("ZOR");
    o.contract2.vkorg = vkorg;
    o.inco1 = Inco1{QStringLiteral("DAP"), QStringLiteral("送達工地")};
    o.orderItem.matnr = matnr;
    o.orderItem.maktx = QStringLiteral("物料") + matnr;
    o.orderItem.price = 100;
    o.orderItem.orderNumber = quantity;
    return o;
}

QStringList names(const QList<MailUser> &users)
{
    QStringList list;
    for (const MailUser &u : users)
        list << u.userId;
    return list;
}

QStringList roleTexts(ListModelBase *model, const QByteArray &role)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->value(row, role).toString();
    return texts;
}

// The signed-in app with a confirmation presented over the tab screen.
struct MailFlow : AppHarness {
    QPointer<OrderConfirmViewController> confirm;

    NavigationController *stack() const { return confirm ? confirm->navigationController() : nullptr; }
    template <class T> T *top() const { return stack() ? qobject_cast<T *>(stack()->topViewController()) : nullptr; }
    // Waits until the top of the confirmation's stack is a T with its transitions ended.
    template <class T> T *waitForTop()
    {
        if (!QTest::qWaitFor([&] { settle(); return top<T>() && top<T>()->appearance() == Screen::Appearance::Appeared; }, 5000))
            return nullptr;
        return top<T>();
    }

    // Submits `orders` through the confirmation and waits for the answer.
    bool submit(const QList<Order> &orders)
    {
        context->draft().setLines(orders);
        Screen *nav = storyboard.instantiateInitial(QStringLiteral("OrderConfirm"));
        tabs()->present(nav, false);
        settle();
        confirm = qobject_cast<OrderConfirmViewController *>(static_cast<NavigationController *>(nav)->rootViewController());
        if (!confirm)
            return false;
        confirm->orderAction();
        return QTest::qWaitFor([&] { return !ui.isSpinnerShowing(); }, 10000);
    }
    SendMailViewController *openMail()
    {
        confirm->sentMailAction();
        return waitForTop<SendMailViewController>();
    }
    bool press(const QString &alertTitle, const QString &button)
    {
        if (ui.currentAlertTitle() != alertTitle)
            return false;
        ui.pressAlertButton(button);
        settle();
        return true;
    }
};
} // namespace

class OrderMailFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void mailAfterMixedResult()
    {
        MailFlow f;
        QVERIFY(f.launch() && f.signIn());
        // The second line's material is blocked: only the first and third are ordered.
        QVERIFY(f.submit({order("0000100101", "1100", "10000101", 10), order("0000100101", "1100", "10000122", 1),
                          order("0000100102", "1100", "10000102", 5)}));
        const QList<OrderConfirm> lines = f.confirm->tableArray();
        QCOMPARE(lines.at(1).orderStatus, SapOrderStatus::fail);
        QVERIFY(!f.confirm->isSendMailButtonViewHidden());

        SendMailViewController *mail = f.openMail();
        QVERIFY(mail);
        QCOMPARE(roleTexts(mail->rows(), "orderNo"), (QStringList{lines.at(0).sapOrderNo, lines.at(2).sapOrderNo}));
        // Contact persons preset (the type "2" member is not), a required person still to be chosen.
        for (const SentMailOrderConfirm &request : mail->tableArray()) {
            QCOMPARE(names(request.mailList), (QStringList{"U20021", "U20022", "U20023"}));
            QVERIFY(request.needSelectMember && !request.wantSendMail);
        }

        // A row opens its line read-only, from the list and from the details.
        mail->selectRow(1);
        auto *display = f.waitForTop<EditOrderViewController>();
        QVERIFY(display && display->isDisplayMode());
        QCOMPARE(display->orderConfirm()->orderSeq, lines.at(2).orderSeq);
        f.stack()->pop(false);
        QCOMPARE(f.waitForTop<SendMailViewController>(), mail);

        // Nothing ticked: nothing sent.
        mail->sendMailAction();
        QVERIFY(f.press(QStringLiteral("請至少選擇一筆資料"), QStringLiteral("確定")));
        QCOMPARE(f.gateway.gatewayCalls(QStringLiteral("sendMail")).size(), 0);

        // Ticking asks for the required person; "選擇" opens the details, then the choice.
        mail->checkAction(0);
        QVERIFY(f.press(QStringLiteral("請手動選擇人員"), QStringLiteral("選擇")));
        auto *choice = f.waitForTop<ChoiceMailViewController>();
        QVERIFY(choice);
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(choice->rows()), "mail/choiceRequiredAndContacts");
        choice->selectRow(0);
        choice->selectRow(1); // a radio choice: 李美玲 replaces 張家豪
        choice->selectRow(2); // 黃俊傑 no longer
        QCOMPARE(roleTexts(choice->rows(), "selected"), (QStringList{"false", "true", "false", "true", "true"}));
        choice->saveAction();
        auto *edit = f.waitForTop<EditSentMailViewController>();
        QVERIFY(edit);
        QCOMPARE(roleTexts(edit->recipients(), "name"), (QStringList{"李美玲", "吳淑芬", "周志偉"}));

        // The required person cannot be deleted; a contact can.
        edit->deleteAction(0);
        QCOMPARE(f.ui.currentAlertButtons(), (QStringList{"取消", "前往編輯"}));
        QVERIFY(f.press(QStringLiteral("無法刪除必選人員"), QStringLiteral("取消")));
        edit->deleteAction(2);
        QCOMPARE(roleTexts(edit->recipients(), "name"), (QStringList{"李美玲", "吳淑芬"}));
        edit->setCarNo(QStringLiteral("KLA-1234"));
        edit->setRemark(QStringLiteral("請於上午送達"));
        edit->saveAction();
        QCOMPARE(f.waitForTop<SendMailViewController>(), mail);
        QVERIFY(mail->tableArray().at(0).wantSendMail);

        // The details open again with what was entered; going back saves nothing.
        mail->editAction(0);
        edit = f.waitForTop<EditSentMailViewController>();
        QVERIFY(edit);
        QCOMPARE(edit->carNo(), QStringLiteral("KLA-1234"));
        QCOMPARE(edit->remark(), QStringLiteral("請於上午送達"));
        edit->setCarNo(QStringLiteral("changed"));
        edit->showOrderInfoAction();
        display = f.waitForTop<EditOrderViewController>();
        QVERIFY(display && display->isDisplayMode());
        QCOMPARE(display->orderConfirm()->orderSeq, lines.at(0).orderSeq);
        f.stack()->pop(false);
        QCOMPARE(f.waitForTop<EditSentMailViewController>(), edit);
        f.stack()->pop(false);
        QCOMPARE(f.waitForTop<SendMailViewController>(), mail);
        QCOMPARE(mail->tableArray().at(0).carNo, QStringLiteral("KLA-1234"));

        // The second request: contacts alone do not do.
        mail->editAction(1);
        edit = f.waitForTop<EditSentMailViewController>();
        QVERIFY(edit);
        edit->saveAction();
        QVERIFY(f.press(QStringLiteral("請選擇必選人員"), QStringLiteral("取消")));
        f.stack()->pop(false);
        QCOMPARE(f.waitForTop<SendMailViewController>(), mail);
        QVERIFY(!mail->tableArray().at(1).wantSendMail);

        // A failed send keeps the rep on the screen with everything kept.
        const QList<SentMailOrderConfirm> before = mail->tableArray();
        QVERIFY(f.gateway.setFault(QStringLiteral("sendMail"), QStringLiteral("code"), 0, true, QStringLiteral("01"),
                                   QStringLiteral("郵件伺服器忙碌")));
        mail->sendMailAction();
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("郵件伺服器忙碌"));
        QVERIFY(f.press(QStringLiteral("失敗"), QStringLiteral("確定")));
        QCOMPARE(f.top<SendMailViewController>(), mail);
        QCOMPARE(mail->tableArray(), before);
        QVERIFY(f.confirm->isSendMailButtonEnabled());

        // Sent again: the one ticked request, exactly as the gateway received it.
        mail->sendMailAction();
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("sendMail")).last(), "mail/sendOneOfTwo",
                             (QJsonObject{{"orderSeq", lines.at(0).orderSeq}, {"otVbeln", lines.at(0).sapOrderNo}}));
        QCOMPARE(f.gateway.simulator()->sentMails().size(), 1); // the failed send left no mail
    }

    // The recipients and shipping points are those of the signed-in account's organisation, also after
    // switching accounts; in a group without required persons a line is ticked directly.
    void recipientsFollowTheOrganisation()
    {
        MailFlow f;
        QVERIFY(f.launch());
        // A document left by an earlier version, not keyed by organisation: still readable, never offered.
        QVERIFY(f.context->documents().write(QStringLiteral("getNoticeGroupUserList"),
                                             QStringLiteral(R"({"returnCode":"00","list":[{"userID":"X1","type":"0"}]})")));
        QVERIFY(f.signIn(QStringLiteral("wang.jh"), QStringLiteral("wang888")));
        QTRY_VERIFY(f.context->lists().hasList(QStringLiteral("getNoticeGroupUserList")));
        QCOMPARE(mailUserFrom(f.context->lists().noticeGroupList()->first()).userId, QStringLiteral("U20011"));
        QTRY_VERIFY(f.context->lists().hasList(QStringLiteral("getTvstzList")));
        QCOMPARE(f.context->lists().tvstzList()->first().tvstzName, QStringLiteral("台北倉"));

        QVERIFY(f.signOut());
        QVERIFY(f.signIn(QStringLiteral("lin.yating"), QStringLiteral("lin2024")));
        QTRY_VERIFY(f.context->lists().hasList(QStringLiteral("getTvstzList")));
        QCOMPARE(f.context->lists().tvstzList()->first().tvstzName, QStringLiteral("台中廠"));
        QVERIFY(f.context->documents().read(QStringLiteral("getNoticeGroupUserList"))->contains(QStringLiteral("X1")));

        QVERIFY(f.submit({order("0000200101", "2100", "10000101", 3)}));
        SendMailViewController *mail = f.openMail();
        QVERIFY(mail);
        const SentMailOrderConfirm request = mail->tableArray().at(0);
        QCOMPARE(names(request.mailList), (QStringList{"U30011", "U30012", "U30013"}));
        QVERIFY(!request.needSelectMember);
        mail->checkAction(0);
        QVERIFY(!f.ui.hasOpenAlert());
        QVERIFY(mail->tableArray().at(0).wantSendMail);

        // Without recipients saving stops; one contact is enough.
        mail->editAction(0);
        auto *edit = f.waitForTop<EditSentMailViewController>();
        QVERIFY(edit);
        for (int i = 0; i < 3; ++i)
            edit->deleteAction(0);
        edit->saveAction();
        QVERIFY(f.press(QStringLiteral("請選擇一定要選擇一位人員"), QStringLiteral("前往編輯")));
        auto *choice = f.waitForTop<ChoiceMailViewController>();
        QVERIFY(choice);
        QCOMPARE(roleTexts(choice->rows(), "name"), (QStringList{"蔡宗翰", "楊佩君", "鄭明哲"}));
        choice->selectRow(1);
        choice->saveAction();
        QCOMPARE(f.waitForTop<EditSentMailViewController>(), edit);
        edit->saveAction();
        QCOMPARE(f.waitForTop<SendMailViewController>(), mail);
        mail->sendMailAction();
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
        QVERIFY(f.press(QStringLiteral("成功"), QStringLiteral("確定")));
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("sendMail")).last(), "mail/sendOtherOrganisation",
                             (QJsonObject{{"orderSeq", request.orderConfirm.orderSeq}, {"otVbeln", request.orderConfirm.sapOrderNo}}));
    }
};

ZELK_TEST(OrderMailFlowTest)
#include "OrderMailFlowTest.moc"
