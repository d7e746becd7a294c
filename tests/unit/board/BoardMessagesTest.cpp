// A board's messages, replies and composer, headless against the development gateway: paging, deletion
// by identity, the own-message rule, posting with and without a photo. (A refresh racing a page:
// AnswerWorkerTest.)
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "board/AddBoardMessageViewController.h"
#include "board/BoardCell.h"
#include "board/BoardMessageListViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "board/BoardPhoto.h"

namespace {
// The board `boardId` in a navigation stack, its first page loaded, signed in as U10023.
BoardMessageListViewController *openBoard(AppHarness &app, const QString &boardId)
{
    app.startSignedIn();
    auto *list = app.storyboard.instantiate<BoardMessageListViewController>(QStringLiteral("Board"),
                                                                            QStringLiteral("BoardMessageListViewController"));
    if (!list)
        return nullptr;
    list->setBoardId(boardId);
    app.navigator.setRootScreen(new NavigationController(list));
    settle();
    if (!QTest::qWaitFor([&] { return !list->header()->isRefreshing(); }, 5000))
        return nullptr;
    return list;
}

QStringList column(ListModelBase *rows, const char *role)
{
    QStringList values;
    for (int i = 0; i < rows->count(); ++i)
        values << rows->value(i, role).toString();
    return values;
}

// Waits for the alert `title` (with `message` unless null) and presses `button`.
bool answer(AppHarness &app, const QString &title, const QString &message = QString(), const QString &button = QStringLiteral("確定"))
{
    const bool shown = QTest::qWaitFor([&] { return app.ui.currentAlertTitle() == title; }, 5000)
                       && (message.isNull() || app.ui.currentAlertMessage() == message);
    if (!shown)
        qWarning("alert shown: %s / %s", qPrintable(app.ui.currentAlertTitle()), qPrintable(app.ui.currentAlertMessage()));
    return shown && app.ui.pressAlertButton(button);
}

QStringList cursors(AppHarness &app)
{
    QStringList list;
    for (const QJsonObject &call : app.gateway.gatewayCalls(QStringLiteral("getBoardMsgList")))
        list << call.value(QLatin1String("startRow")).toString();
    return list;
}
} // namespace

class BoardMessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void pagesByRowTextUntilCode90()
    {
        AppHarness app;
        auto *list = openBoard(app, QStringLiteral("B001"));
        QVERIFY(list);
        QCOMPARE(list->rows()->count(), 10);
        for (int expected : {20, 23}) {
            list->footer()->release();
            QTRY_COMPARE(list->rows()->count(), expected);
            QCOMPARE(list->footer()->state(), RefreshControl::Idle);
        }
        // Past the last message the gateway answers "90": no more data, no alert.
        list->footer()->release();
        QTRY_COMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QCOMPARE(cursors(app), QStringList({"0", "10", "20", "23"}));
        QCOMPARE(list->rows()->count(), 23);
        QVERIFY(!app.ui.hasOpenAlert());
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("getBoardMsgList")).first(),
                 QJsonObject({{"boardID", "B001"}, {"startRow", "0"}}));

        // "row" read as text: a number gives its integer text, a string stays as it is; a page with
        // messages lets the footer page on again.
        const QList<QPair<QByteArray, QString>> rows{{"40", "40"}, {"40.0", "40"}, {"40.5", "40.5"}, {"\"41\"", "41"}};
        for (const auto &[json, text] : rows) {
            QVERIFY(app.gateway.setFault(QJsonObject{
                {"operation", "getBoardMsgList"}, {"mode", "reply"},
                {"body", QString::fromLatin1("{\"returnCode\":\"00\",\"returnMsg\":\"\",\"boardMsgList\":[{\"msgID\":\"X\",\"row\":" + json + "}]}")}}));
            list->header()->beginRefreshing();
            QTRY_VERIFY(!list->header()->isRefreshing());
            QCOMPARE(list->rows()->count(), 1);
            QCOMPARE(list->pagingCursor(), text);
            QCOMPARE(list->footer()->state(), RefreshControl::Idle);
        }

        // A failed page: "無法取得資料" with the message text, the list kept, no more data.
        QVERIFY(app.gateway.setFault(QStringLiteral("getBoardMsgList"), QStringLiteral("code"), 0, true,
                                     QStringLiteral("01"), QStringLiteral("系統忙碌")));
        list->footer()->release();
        QVERIFY(answer(app, QStringLiteral("無法取得資料"), QStringLiteral("系統忙碌")));
        QCOMPARE(list->rows()->count(), 1);
        QCOMPARE(list->footer()->state(), RefreshControl::NoMoreData);
    }

    void composerPostsAndDeletionGoesByIdentity()
    {
        AppHarness app;
        auto *list = openBoard(app, QStringLiteral("B001"));
        QVERIFY(list);

        // The composer: an empty text sends nothing.
        list->addMessageAction();
        settle();
        auto *stack = qobject_cast<NavigationController *>(list->presentedScreen());
        QVERIFY(stack);
        auto *composer = qobject_cast<AddBoardMessageViewController *>(stack->rootViewController());
        QVERIFY(composer);
        composer->sendNewMessageAction();
        QVERIFY(app.ui.currentAlertMessage().isNull());
        QVERIFY(answer(app, QStringLiteral("請輸入想說的話")));
        QVERIFY(app.gateway.gatewayCalls(QStringLiteral("addBoardMsg")).isEmpty());

        // The connection drops: "新增失敗", the composer stays with its text for another try.
        composer->setNewMessageText(QStringLiteral("今天出貨正常"));
        QVERIFY(app.gateway.setFault(QStringLiteral("addBoardMsg"), QStringLiteral("close")));
        composer->sendNewMessageAction();
        QTRY_VERIFY(!app.ui.currentAlertMessage().isEmpty());
        QVERIFY(!app.ui.isSpinnerShowing());
        QVERIFY(answer(app, QStringLiteral("新增失敗")));
        settle();
        QCOMPARE(list->presentedScreen(), stack);
        QCOMPARE(composer->newMessageText(), QStringLiteral("今天出貨正常"));
        app.gateway.clearRequests();

        // Posted without a photo: "postPhoto" is the empty text; confirming closes the composer and the
        // list starts over with the new message on top.
        composer->sendNewMessageAction();
        composer->sendNewMessageAction(); // a second tap while the first is on its way
        QTRY_VERIFY(!app.ui.isSpinnerShowing());
        QVERIFY(answer(app, QStringLiteral("新增成功")));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("addBoardMsg")).size(), 1);
        ZELK_COMPARE_FIXTURE(app.gateway.gatewayCalls(QStringLiteral("addBoardMsg")).first(), "board/addMessage");
        QTRY_VERIFY(!list->presentedScreen());
        QTRY_COMPARE(list->rows()->value(0, "postContent").toString(), QStringLiteral("今天出貨正常"));
        QTRY_VERIFY(!list->header()->isRefreshing());
        QCOMPARE(cursors(app).last(), QStringLiteral("0"));
        const QString own = list->rows()->value(0, "msgID").toString();
        list->menuAction(1); // someone else's message offers no deletion
        QVERIFY(!app.ui.hasOpenAlert());

        // A refused deletion: "無法刪除" with the message text; the list is unchanged.
        QVERIFY(app.gateway.setFault(QStringLiteral("deleteBoardMsg"), QStringLiteral("code"), 0, true,
                                     QStringLiteral("03"), QStringLiteral("只能刪除自己的留言")));
        const QStringList shown = column(list->rows(), "msgID");
        list->menuAction(0);
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"取消", "刪除"}));
        QVERIFY(answer(app, QStringLiteral("刪除留言"), QString(), QStringLiteral("刪除")));
        QVERIFY(answer(app, QStringLiteral("無法刪除"), QStringLiteral("只能刪除自己的留言")));
        QCOMPARE(column(list->rows(), "msgID"), shown);

        // The deletion is confirmed, then a refresh moves another message to row 0 before the user
        // presses "確定": only the deleted message may go, and it is already gone.
        list->menuAction(0);
        QVERIFY(answer(app, QStringLiteral("刪除留言"), QString(), QStringLiteral("刪除")));
        QTRY_COMPARE(app.ui.currentAlertTitle(), QStringLiteral("已刪除留言"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("deleteBoardMsg")).last().value("msgID").toString(), own);
        list->header()->beginRefreshing();
        QTRY_VERIFY(!list->header()->isRefreshing());
        const QStringList before = column(list->rows(), "msgID");
        QVERIFY(!before.contains(own));
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(column(list->rows(), "msgID"), before);
    }

    // Each row: the message record, the signed-in user (null: none) and whether the message is theirs.
    void ownMessageRule_data() { QVERIFY(zelktest::addFixtureRows("board/ownMessage")); }
    void ownMessageRule()
    {
        QFETCH(QJsonObject, row);
        const QJsonValue user = row["userId"];
        QCOMPARE(BoardCell::isOwn(row["record"].toObject(), user.isNull() ? std::nullopt : std::optional(user.toString())),
                 row["own"].toBool());
    }

    // Each row: a message record and the texts or sizes its cell shows (the photo 375 wide).
    void cellTexts_data() { QVERIFY(zelktest::addFixtureRows("board/cellTexts")); }
    void cellTexts()
    {
        QFETCH(QJsonObject, row);
        const QJsonObject record = row["record"].toObject(), expected = row["expected"].toObject();
        const QJsonObject drawn{{"photoHeight", BoardCell::photoHeight(record, 375)},
                                {"portrait", BoardCell::placeholderPortrait(record).fileName()},
                                {"replyCount", BoardCell::replyCountText(record)},
                                {"newestReplyTitle", BoardCell::newestReplyTitle(record)},
                                {"newestReply", BoardCell::newestReplyText(record)}};
        QJsonObject shown;
        for (const QString &key : expected.keys())
            shown.insert(key, drawn[key]);
        ZELK_COMPARE_JSON(shown, expected);
    }

    void cellsFollowTheLaidOutWidth()
    {
        // The list's cells follow the width the view lays them out in.
        AppHarness app;
        auto *list = openBoard(app, QStringLiteral("B001"));
        QVERIFY(list);
        const int withPhoto = column(list->rows(), "msgID").indexOf(QStringLiteral("M1018"));
        QVERIFY(withPhoto >= 0);
        const QJsonObject record = list->collectionViewArray().at(withPhoto).toObject();
        list->setCollectionWidth(375);
        QCOMPARE(list->rows()->value(withPhoto, "photoHeight").toReal(), BoardCell::photoHeight(record, 375));
        list->setCollectionWidth(600);
        QCOMPARE(list->rows()->value(withPhoto, "photoHeight").toReal(), BoardCell::photoHeight(record, 600));
        QVERIFY(list->rows()->value(withPhoto, "photoHeight").toReal() > 0);
    }

    void repliesWithAndWithoutPhoto()
    {
        AppHarness app;
        auto *list = openBoard(app, QStringLiteral("B001"));
        QVERIFY(list);
        // Back before the replies arrive: the late answer is dropped with the screen.
        QVERIFY(app.gateway.setFault(QStringLiteral("getBoardReplyMsgList"), QStringLiteral("delay"), 300));
        list->replyMessageAction(1);
        settle();
        QSignalSpy rowChanged(list->rows(), &QAbstractItemModel::dataChanged);
        list->navigationController()->pop(false);
        settle();
        QTest::qWait(500);
        QCOMPARE(list->navigationController()->topViewController(), list);
        QVERIFY(!app.ui.hasOpenAlert());
        QCOMPARE(rowChanged.size(), 0); // no replies loaded: the row keeps its count

        list->replyMessageAction(0);
        settle();
        auto *replies = qobject_cast<BoardMessageReplyListViewController *>(list->navigationController()->topViewController());
        QVERIFY(replies);
        QTRY_VERIFY(!replies->header()->isRefreshing());
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("getBoardReplyMsgList")).last(), QJsonObject({{"msgID", "M1023"}}));
        QCOMPARE(replies->replies()->count(), 3);
        QCOMPARE(replies->rows()->value(0, "replyCount").toString(), QStringLiteral("共3則留言"));
        // Opened to reply: the input gets the focus, the list scrolls to its end once.
        QSignalSpy focus(replies, &BoardMessageReplyListViewController::focusRequested);
        QSignalSpy scroll(replies, &BoardMessageReplyListViewController::scrollToEndRequested);
        app.ui.firePendingActions();
        QCOMPARE(focus.size(), 1);
        QCOMPARE(scroll.size(), 1);
        QVERIFY(!replies->replyMode());

        replies->sendNewMessageAction();
        QVERIFY(answer(app, QStringLiteral("請輸入想說的話")));

        // Spaces are a text: sent, without a photo.
        replies->setNewMessageText(QStringLiteral("  "));
        replies->sendNewMessageAction();
        QVERIFY(answer(app, QStringLiteral("新增成功")));
        QCOMPARE(replies->newMessageText(), QString());
        QTRY_COMPARE(replies->replies()->count(), 4);
        ZELK_COMPARE_FIXTURE(app.gateway.gatewayCalls(QStringLiteral("addBoardReplyMsg")).last(), "board/addReplySpaces");

        // With a 1,600 × 1,200 photo; "拍一張照片" only with a camera.
        replies->photo()->addPhotoAction();
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"選擇照片", "取消"}));
        QVERIFY(answer(app, QStringLiteral("選擇方式"), QString(), QStringLiteral("選擇照片")));
        QImage source(1600, 1200, QImage::Format_RGB32);
        source.fill(QColor(195, 0, 28));
        QVERIFY(app.ui.deliverPhoto(source));
        QVERIFY(replies->photo()->hasPhoto());
        QTRY_VERIFY(!replies->photo()->previewSource().isEmpty());
        QCOMPARE(replies->photo()->aspect(), 0.75);
        app.ui.setCameraAvailable(true);
        replies->photo()->addPhotoAction();
        QCOMPARE(app.ui.currentAlertButtons(), QStringList({"選擇照片", "拍一張照片", "取消"}));
        // A refused file: its reason, and the photo chosen before stays.
        QVERIFY(app.ui.pressAlertButton(QStringLiteral("選擇照片")));
        QVERIFY(app.ui.refusePhoto(QStringLiteral("這個檔案不是圖片")));
        QVERIFY(answer(app, QStringLiteral("無法使用這張照片"), QStringLiteral("這個檔案不是圖片")));
        QVERIFY(replies->photo()->hasPhoto());
        // Removed, the photo is gone from the reply; chosen again for the send.
        replies->photo()->cancelPhotoAction();
        QVERIFY(!replies->photo()->hasPhoto());
        replies->photo()->addPhotoAction();
        QVERIFY(answer(app, QStringLiteral("選擇方式"), QString(), QStringLiteral("選擇照片")));
        QVERIFY(app.ui.deliverPhoto(source));

        replies->setNewMessageText(QStringLiteral("附照片"));
        replies->sendNewMessageAction();
        QVERIFY(answer(app, QStringLiteral("新增成功")));
        // The photo in its sending form (an 800-wide JPEG, as BoardPhotoTest checks).
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("addBoardReplyMsg")).last().value("postPhoto").toString(),
                 BoardPhoto::encode(BoardPhoto::scaledForSending(source)));
        QTRY_COMPARE(replies->replies()->count(), 5);
        QCOMPARE(replies->replies()->value(4, "photoHeight").toReal(), BoardCell::kReplyPhotoHeight);

        // The user's own reply can be deleted; the count follows.
        QVERIFY(replies->replies()->value(4, "ownMessage").toBool());
        QVERIFY(!replies->replies()->value(1, "ownMessage").toBool()); // U20021's
        replies->menuAction(4);
        QVERIFY(answer(app, QStringLiteral("刪除留言"), QString(), QStringLiteral("刪除")));
        QVERIFY(answer(app, QStringLiteral("已刪除留言")));
        QCOMPARE(replies->replies()->count(), 4);
        QCOMPARE(replies->rows()->value(0, "replyCount").toString(), QStringLiteral("共4則留言"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("deleteBoardReplyMsg")).size(), 1);

        // Back on the list: that message's row alone shows the replies as they now stand.
        list->navigationController()->pop(false);
        settle();
        QCOMPARE(rowChanged.size(), 1);
        QCOMPARE(rowChanged.first().at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(rowChanged.first().at(1).value<QModelIndex>().row(), 0);
        QCOMPARE(list->rows()->value(0, "replyCount").toString(), QStringLiteral("共4則留言"));
        QCOMPARE(list->rows()->value(0, "newestReplyTitle").toString(), QStringLiteral("陳志明:"));
        QCOMPARE(list->rows()->value(0, "newestReply").toString(), QStringLiteral("  "));
    }
};

ZELK_TEST(BoardMessagesTest)
#include "BoardMessagesTest.moc"
