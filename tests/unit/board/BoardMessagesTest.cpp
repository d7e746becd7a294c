// The board list, and a board's messages, replies and composer, headless against the development gateway:
// paging, deletion by identity, the own-message rule, posting with and without a photo, and writes whose
// answer is lost (a post, a reply or a deletion tried again after a dropped connection or a garbled answer
// reaches the board once, whether the first try was done or not). (A refresh racing a page: AnswerWorkerTest.)
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"
#include "board/AddBoardMessageViewController.h"
#include "board/BoardCell.h"
#include "board/BoardListViewController.h"
#include "board/BoardMessageListViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "board/BoardPhoto.h"
#include "services/Operations.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {
QStringList column(ListModelBase *rows, const char *role)
{
    QStringList values;
    for (int i = 0; i < rows->count(); ++i)
        values << rows->value(i, role).toString();
    return values;
}

} // namespace

class BoardMessagesTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<AppHarness> app;
    BoardMessageListViewController *list = nullptr;
    QPointer<BoardMessageReplyListViewController> replies;
    QJsonObject seen; // the board step by step: compared with tests/data/board/messages/<function>.json
    QJsonObject vars; // values the fixture names ("$photo")

    // Takes the board once nothing loads: its messages and the open replies by identity, the first row's
    // reply texts, the footer and the paging cursor, an open composer's text, the board requests sent
    // since the last step, and an open alert, then answered with `button` (left open when null).
    void took(const QString &step, const QString &button = QStringLiteral("確定"))
    {
        QVERIFY2(idle(), qPrintable(step));
        QJsonObject now{{"messages", column(list->rows(), "msgID").join(' ')},
                        {"footer", QVariant::fromValue(list->footer()->state()).toString()},
                        {"cursor", list->pagingCursor()},
                        {"top", QJsonArray{list->rows()->value(0, "replyCount").toString(),
                                           list->rows()->value(0, "newestReplyTitle").toString(),
                                           list->rows()->value(0, "newestReply").toString()}}};
        if (AddBoardMessageViewController *c = composer())
            now["composer"] = c->newMessageText();
        if (replies)
            now["replies"] = replies->rows()->value(0, "replyCount").toString() + ": "
                             + column(replies->replies(), "msgID").join(' ');
        for (const QString api : {"getBoardMsgList", "addBoardMsg", "deleteBoardMsg", "getBoardReplyMsgList",
                                  "addBoardReplyMsg", "deleteBoardReplyMsg"})
            for (const QJsonObject &call : app->gateway.gatewayCalls(api))
                now[api] = now[api].toArray() + call;
        if (app->ui.hasOpenAlert()) {
            now["alert"] = QJsonArray{app->ui.currentAlertTitle(), app->ui.currentAlertMessage(),
                                      QJsonArray::fromStringList(app->ui.currentAlertButtons())};
            QVERIFY(button.isNull() || app->ui.pressAlertButton(button));
        }
        seen.insert(step, now);
        app->gateway.clearRequests();
    }
    // Nothing loads: no spinner, and neither the list nor the open replies refresh.
    bool idle()
    {
        settle();
        return QTest::qWaitFor([&] {
            return !app->ui.isSpinnerShowing() && !list->header()->isRefreshing() && !list->footer()->isRefreshing()
                   && !(openReplies() && openReplies()->header()->isRefreshing());
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
    // The board B001 in a navigation stack, its first page loaded, signed in as U10023.
    bool opened()
    {
        app = std::make_unique<AppHarness>();
        app->startSignedIn();
        list = BoardMessageListViewController::instantiate(&app->storyboard, QStringLiteral("B001"));
        if (!list)
            return false;
        app->navigator.setRootScreen(new NavigationController(list));
        settle();
        return QTest::qWaitFor([&] { return !list->header()->isRefreshing(); }, 5000);
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
    void init() { seen = vars = {}; }
    void cleanup()
    {
        QString name = QLatin1String(QTest::currentTestFunction());
        if (QTest::currentDataTag())
            name += "-" + QLatin1String(QTest::currentDataTag());
        if (!seen.isEmpty() && !QTest::currentTestFailed())
            ZELK_COMPARE_FIXTURE(seen, "board/messages/" + name, vars);
        app.reset();
    }

    // The board list: rows from getBoardsList, refreshing, and opening a board.
    void listsTheBoardsRefreshesAndOpensOne()
    {
        AppHarness app;
        app.startSignedIn();
        NavigationController *stack = nullptr;
        auto *boards = app.showInStack<BoardListViewController>(Scene::BoardList, &stack);
        QCOMPARE(boards->header()->state(), RefreshControl::Refreshing);
        QCOMPARE(boards->header()->title(), QStringLiteral("更新資料中"));
        QTRY_COMPARE(boards->header()->state(), RefreshControl::Idle);
        QCOMPARE(boards->rows()->value(0, "boardName").toString(), QStringLiteral("公司公告"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("getBoardsList")).first(), QJsonObject({{"userID", "U10023"}}));

        // A row opens its own board; a row out of range goes nowhere.
        boards->selectRow(99);
        boards->selectRow(-1);
        settle();
        QCOMPARE(stack->depth(), 1);
        boards->selectRow(1);
        settle();
        auto *messages = qobject_cast<BoardMessageListViewController *>(stack->topViewController());
        QVERIFY(messages);
        QCOMPARE(messages->boardId(), boards->tableViewArray().at(1).toObject().value("boardID").toString());
        QVERIFY(!messages->boardId().isEmpty());
        stack->pop(false);
        settle();

        // A failed refresh empties the list without an alert; the next one fills it again.
        QVERIFY(app.gateway.setFault(QStringLiteral("getBoardsList"), QStringLiteral("close")));
        boards->header()->setPulledFarEnough(true);
        boards->header()->release();
        QCOMPARE(boards->rows()->count(), 0); // emptied at once
        QTRY_COMPARE(boards->header()->state(), RefreshControl::Idle);
        QCOMPARE(boards->rows()->count(), 0);
        QVERIFY(!app.ui.hasOpenAlert());
        boards->header()->beginRefreshing();
        QTRY_VERIFY(boards->rows()->count() > 0);
    }

    // Each row: steps on the board B001, each actions then taken (see took()): "<verb> <argument>" or a
    // fault object for the gateway; "answer <button>" or "leave" says how the step's alert is answered.
    // Pages go by the "row" of the last message read as text, until the gateway answers "90"; deletion
    // goes by the message's identity, whatever row it has moved to.
    void steps_data() { QVERIFY(zelktest::addFixtureRows("board/steps")); }
    void steps()
    {
        QFETCH(QJsonObject, row);
        QVERIFY(opened());
        for (const QJsonValue &step : row["steps"].toArray()) {
            QJsonArray actions = step.toArray();
            const QString name = actions.takeAt(0).toString();
            QString button = QStringLiteral("確定");
            for (const QJsonValue action : actions) {
                const QString verb = action.toString().section(' ', 0, 0);
                const QString arg = action.toString().section(' ', 1);
                if (action.isObject())
                    QVERIFY(app->gateway.setFault(action.toObject()));
                else if (verb == "answer" || verb == "leave")
                    button = verb == "leave" ? QString() : arg;
                else if (verb == "next")
                    list->footer()->release();
                else if (verb == "refresh")
                    list->header()->beginRefreshing();
                else if (verb == "menu")
                    list->menuAction(arg.toInt());
                else if (verb == "compose") {
                    list->addMessageAction();
                    settle();
                } else if (verb == "text" || verb == "send") {
                    QVERIFY(composer());
                    verb == "text" ? composer()->setNewMessageText(arg) : composer()->sendNewMessageAction();
                } else if (verb == "width") { // the list's cells follow the width the view lays them out in
                    const int i = column(list->rows(), "msgID").indexOf(QStringLiteral("M1018")); // a photo
                    list->setCollectionWidth(arg.toInt());
                    QVERIFY(i >= 0 && list->rows()->value(i, "photoHeight").toReal() > 0);
                    const QJsonObject record = list->collectionViewArray().at(i).toObject();
                    QCOMPARE(list->rows()->value(i, "photoHeight").toReal(),
                             BoardCell::photoHeight(record, arg.toInt()));
                } else
                    QFAIL(qPrintable(verb));
            }
            took(name, button);
        }
    }

    // Each row: a message record and the texts or sizes its cell shows (the photo 375 wide), or, with the
    // signed-in user (null: none), whether the message is theirs.
    void cellTexts_data() { QVERIFY(zelktest::addFixtureRows("board/cellTexts")); }
    void cellTexts()
    {
        QFETCH(QJsonObject, row);
        const QJsonObject record = row["record"].toObject(), expected = row["expected"].toObject();
        const QJsonValue user = row["userId"];
        const auto userId = user.isString() ? std::optional(user.toString()) : std::nullopt;
        const QJsonObject drawn{{"own", BoardCell::isOwn(record, userId)},
                                {"photoHeight", BoardCell::photoHeight(record, 375)},
                                {"portrait", BoardCell::placeholderPortrait(record).fileName()},
                                {"replyCount", BoardCell::replyCountText(record)},
                                {"newestReplyTitle", BoardCell::newestReplyTitle(record)},
                                {"newestReply", BoardCell::newestReplyText(record)}};
        QJsonObject shown;
        for (const QString &key : expected.keys())
            shown.insert(key, drawn[key]);
        ZELK_COMPARE_JSON(shown, expected);
    }

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
        QVERIFY(opened() && idle());
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
        const auto shown = [&] { return operation == "delete" ? list->rows() : openReplies()->replies(); };

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
                const int at = int(column(shown(), "msgID").indexOf(target));
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

        QJsonObject fate{{"alerts", alerts}, {"writes", int(app->gateway.gatewayCalls(write).size())}};
        if (target.isEmpty()) {
            int left = 0;
            for (const QJsonObject &e : ownEntries(operation == "reply" ? answered : QString()))
                left += e["postContent"] == firstText;
            fate["left"] = left;
            fate["field"] = operation == "post" ? (composer() ? composer()->newMessageText() : u"<closed>"_s)
                                                : openReplies()->newMessageText();
        } else {
            const auto entries = ownEntries(operation == "delete" ? QString() : answered);
            fate["left"] = std::any_of(entries.begin(), entries.end(), [&](const QJsonObject &e) {
                return e["msgID"] == target;
            });
            fate["shown"] = column(shown(), "msgID").contains(target);
        }
        ZELK_COMPARE_JSON(fate, row["expected"]);
    }

    void repliesWithAndWithoutPhoto()
    {
        QVERIFY(opened());
        // Back before the replies arrive: the late answer is dropped with the screen.
        QVERIFY(app->gateway.setFault(QStringLiteral("getBoardReplyMsgList"), QStringLiteral("delay"), 300));
        list->replyMessageAction(1);
        settle();
        QSignalSpy rowChanged(list->rows(), &QAbstractItemModel::dataChanged);
        list->navigationController()->pop(false);
        QTRY_VERIFY(app->context->client().network()->findChildren<QNetworkReply *>().isEmpty()
                    && QThreadPool::globalInstance()->activeThreadCount() == 0); // the late answer came
        settle();
        QCOMPARE(list->navigationController()->topViewController(), list);
        QVERIFY(!app->ui.hasOpenAlert());
        QCOMPARE(rowChanged.size(), 0); // no replies loaded: the row keeps its count
        app->gateway.clearRequests();

        list->replyMessageAction(0);
        settle();
        replies = openReplies();
        QVERIFY(replies);
        took("replies opened");
        // Opened to reply: the input gets the focus, the list scrolls to its end once.
        QSignalSpy focus(replies, &BoardMessageReplyListViewController::focusRequested);
        QSignalSpy scroll(replies, &BoardMessageReplyListViewController::scrollToEndRequested);
        app->ui.firePendingActions();
        QCOMPARE(focus.size(), 1);
        QCOMPARE(scroll.size(), 1);
        QVERIFY(!replies->replyMode());
        replies->sendNewMessageAction();
        took("empty reply");

        // Spaces are a text: sent, without a photo.
        replies->setNewMessageText(QStringLiteral("  "));
        replies->sendNewMessageAction();
        took("spaces sent");
        QCOMPARE(replies->newMessageText(), QString());

        // With a 1,600 × 1,200 photo; "拍一張照片" only with a camera.
        replies->photo()->addPhotoAction();
        took("photo asked", QStringLiteral("選擇照片"));
        QImage source(1600, 1200, QImage::Format_RGB32);
        source.fill(QColor(195, 0, 28));
        QVERIFY(app->ui.deliverPhoto(source));
        QTRY_VERIFY(!replies->photo()->previewSource().isEmpty());
        QCOMPARE(replies->photo()->aspect(), 0.75);
        app->ui.setCameraAvailable(true);
        replies->photo()->addPhotoAction();
        took("photo asked with a camera", QStringLiteral("選擇照片"));
        // A refused file: its reason, and the photo chosen before stays.
        QVERIFY(app->ui.refusePhoto(QStringLiteral("這個檔案不是圖片")));
        took("file refused");
        QVERIFY(replies->photo()->hasPhoto());
        // Removed, the photo is gone from the reply; chosen again for the send.
        replies->photo()->cancelPhotoAction();
        QVERIFY(!replies->photo()->hasPhoto());
        replies->photo()->addPhotoAction();
        QVERIFY(app->ui.pressAlertButton(QStringLiteral("選擇照片")));
        QVERIFY(app->ui.deliverPhoto(source));
        replies->setNewMessageText(QStringLiteral("附照片"));
        replies->sendNewMessageAction();
        // The photo in its sending form (an 800-wide JPEG, as BoardPhotoTest checks).
        vars["photo"] = BoardPhoto::encode(BoardPhoto::scaledForSending(source));
        took("sent with a photo");
        took("replies reloaded");
        QCOMPARE(replies->replies()->value(4, "photoHeight").toReal(), BoardCell::kReplyPhotoHeight);

        // The user's own reply can be deleted; the count follows.
        QVERIFY(replies->replies()->value(4, "ownMessage").toBool());
        QVERIFY(!replies->replies()->value(1, "ownMessage").toBool()); // U20021's
        replies->menuAction(4);
        took("reply deletion asked", QStringLiteral("刪除"));
        took("reply deleted");

        // Back on the list: that message's row alone shows the replies as they now stand.
        list->navigationController()->pop(false);
        took("back on the list");
        QCOMPARE(rowChanged.size(), 1);
        QCOMPARE(rowChanged.first().at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(rowChanged.first().at(1).value<QModelIndex>().row(), 0);
    }
};

ZELK_TEST(BoardMessagesTest)
#include "BoardMessagesTest.moc"
