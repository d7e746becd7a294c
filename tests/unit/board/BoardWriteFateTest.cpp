// Board writes whose answer is lost, headless against the development gateway: a post, a reply or a
// deletion tried again after a dropped connection or a garbled answer reaches the board once, whether the
// first try was done or not; a refusal is sent again; a board that cannot be read is said so.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"
#include "board/AddBoardMessageViewController.h"
#include "board/BoardMessageListViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "services/Operations.h"

using namespace Qt::StringLiterals;

class BoardWriteFateTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppHarness> app;
    BoardMessageListViewController *list = nullptr;

    bool idle()
    {
        settle();
        return QTest::qWaitFor([&] {
            auto *replies = openReplies();
            return !app->ui.isSpinnerShowing() && !list->header()->isRefreshing()
                   && !(replies && replies->header()->isRefreshing());
        }, 5000);
    }
    BoardMessageReplyListViewController *openReplies() const
    {
        return qobject_cast<BoardMessageReplyListViewController *>(list->navigationController()->topViewController());
    }
    AddBoardMessageViewController *composer() const
    {
        auto *stack = qobject_cast<NavigationController *>(list->presentedScreen());
        return stack ? qobject_cast<AddBoardMessageViewController *>(stack->rootViewController()) : nullptr;
    }
    // The own entries at the gateway: messages of B001's first page, or replies of `msgId`.
    QList<QJsonObject> ownEntries(const QString &msgId = {})
    {
        Operations &operations = app->context->operations();
        const ApiStatus read = waitFor([&](ApiCompletion done) {
            msgId.isEmpty() ? operations.getBoardMsgList(u"B001"_s, u"0"_s, nullptr, std::move(done))
                            : operations.getBoardReplyMsgList(msgId, nullptr, std::move(done));
        });
        QList<QJsonObject> own;
        for (const QJsonValue &e : answerOf(read).value(msgId.isEmpty() ? "boardMsgList" : "boardReplyMsgList").toArray())
            if (e["createUser"] == "U10023")
                own.append(e.toObject());
        return own;
    }

private slots:
    void cleanup() { app.reset(); }

    // Each row: an operation ("post", "reply", "delete" of an own message, "deleteReply") tried once per
    // element of "tries", each with the gateway faults set just before it ("text": what the rep has
    // written by then). Expected: the alert of every try (title, text), how many writes the gateway
    // received, the own entries with the first text left there (for a deletion: whether the entry is still
    // there), and for a post or reply the text left in the field.
    void retriedWrite_data() { QVERIFY(zelktest::addFixtureRows("board/writeFate")); }
    void retriedWrite()
    {
        QFETCH(QJsonObject, row);
        const QString operation = row["operation"].toString();
        const QJsonArray tries = row["tries"].toArray();
        const QString firstText = tries.first()["text"].toString();
        app = std::make_unique<AppHarness>();
        app->startSignedIn();
        list = BoardMessageListViewController::instantiate(&app->storyboard, u"B001"_s);
        QVERIFY(list);
        app->navigator.setRootScreen(new NavigationController(list));
        QVERIFY(idle());
        const QString answered = list->rows()->value(0, "msgID").toString(); // the message replied to

        // What is deleted: an own message on top of the board, or an own reply to it.
        QString target;
        Operations &operations = app->context->operations();
        if (operation == "delete") {
            const ApiStatus posted = waitFor([&](ApiCompletion done) {
                operations.addBoardMsg(u"B001"_s, u"U10023"_s, u"要刪除的留言"_s, QString(), nullptr, std::move(done));
            });
            target = answerOf(posted)["msgID"].toString();
            list->header()->beginRefreshing();
            QVERIFY(idle());
            QCOMPARE(list->rows()->value(0, "msgID").toString(), target);
        } else if (operation == "deleteReply") {
            const ApiStatus posted = waitFor([&](ApiCompletion done) {
                operations.addBoardReplyMsg(answered, u"U10023"_s, u"要刪除的回覆"_s, QString(), nullptr, std::move(done));
            });
            target = answerOf(posted)["msgID"].toString();
        }
        if (operation == "reply" || operation == "deleteReply") {
            list->replyMessageAction(0);
            QVERIFY(idle());
            QVERIFY(openReplies());
        } else if (operation == "post") {
            list->addMessageAction();
            settle();
            QVERIFY(composer());
        }
        app->gateway.clearRequests();
        const QString write = operation == "post" ? u"addBoardMsg"_s
                              : operation == "reply" ? u"addBoardReplyMsg"_s
                              : operation == "delete" ? u"deleteBoardMsg"_s : u"deleteBoardReplyMsg"_s;

        QJsonArray alerts;
        for (const QJsonValue &attempt : tries) {
            for (const QJsonValue fault : attempt["faults"].toArray())
                QVERIFY(app->gateway.setFault(fault.toObject()));
            const QString text = attempt["text"].toString();
            if (operation == "post") {
                QVERIFY(composer());
                composer()->setNewMessageText(text);
                composer()->sendNewMessageAction();
            } else if (operation == "reply") {
                openReplies()->setNewMessageText(text);
                openReplies()->sendNewMessageAction();
            } else {
                ListModelBase *rows = operation == "delete" ? list->rows() : openReplies()->replies();
                const int at = column(rows, target);
                QVERIFY(at >= 0);
                operation == "delete" ? list->menuAction(at) : openReplies()->menuAction(at);
                QVERIFY(app->ui.pressAlertButton(localized(u"刪除"_s)));
            }
            QVERIFY(QTest::qWaitFor([&] { return !app->ui.isSpinnerShowing() && app->ui.hasOpenAlert(); }, 10000));
            alerts.append(QJsonArray{app->ui.currentAlertTitle(), app->ui.currentAlertMessage()});
            QVERIFY(app->ui.pressAlertButton(localized(u"確定"_s)));
            QVERIFY(idle());
            app->gateway.simulator()->clearFaults();
        }

        QJsonObject seen{{"alerts", alerts}, {"writes", int(app->gateway.gatewayCalls(write).size())}};
        if (target.isEmpty()) {
            int left = 0;
            for (const QJsonObject &e : ownEntries(operation == "reply" ? answered : QString()))
                left += e["postContent"] == firstText;
            seen["left"] = left;
            seen["field"] = operation == "post" ? (composer() ? composer()->newMessageText() : u"<closed>"_s)
                                                : openReplies()->newMessageText();
        } else {
            const auto entries = ownEntries(operation == "delete" ? QString() : answered);
            const bool there = std::any_of(entries.begin(), entries.end(), [&](const QJsonObject &e) {
                return e["msgID"] == target;
            });
            ListModelBase *rows = operation == "delete" ? list->rows() : openReplies()->replies();
            seen["left"] = there;
            seen["shown"] = column(rows, target) >= 0;
        }
        ZELK_COMPARE_JSON(seen, row["expected"]);
    }

private:
    static int column(ListModelBase *rows, const QString &msgId)
    {
        for (int i = 0; i < rows->count(); ++i)
            if (rows->value(i, "msgID").toString() == msgId)
                return i;
        return -1;
    }
};

ZELK_TEST(BoardWriteFateTest)
#include "BoardWriteFateTest.moc"
