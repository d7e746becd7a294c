// A sales rep on the message board through the real window against the development gateway: open a
// board, read another user's message and reply whose texts hold markup (drawn as written, the image they
// name never fetched), post a message with a photo from disk, see it on top with its photo, reply to it,
// delete it.
#include "GatewayCalls.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "board/AddBoardMessageViewController.h"
#include "board/BoardMessageListViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "services/Operations.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/NetworkCache.h"
#include "ui/TabBarController.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkDiskCache>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// A property of a part of a drawn cell (the image's status, 1 once loaded; a label's text).
QVariant partOf(QmlHarness &h, const QString &cell, const char *part, const char *property)
{
    QQuickItem *item = h.find(cell);
    QQuickItem *child = item ? item->findChild<QQuickItem *>(QLatin1String(part)) : nullptr;
    return child ? child->property(property) : QVariant();
}
} // namespace

class BoardJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({u"zh-TW"_s}); }

    void postWithPhotoReplyAndDelete()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);

        // A 1,600 × 1,200 photo on disk, chosen through the photo library.
        QTemporaryDir dir;
        QImage photo(1600, 1200, QImage::Format_RGB32);
        photo.fill(QColor(70, 130, 180));
        QPainter painter(&photo);
        painter.fillRect(200, 300, 1200, 600, QColor(195, 0, 28));
        painter.end();
        const QString file = dir.filePath(u"site.jpg"_s);
        QVERIFY(photo.save(file, "JPEG", 90));
        FilePhotoPicker picker;
        picker.file = file;
        h.ui().setPhotoPicker(&picker);

        // Another user (林雅婷) posts a message and replies to it, both with markup naming the probe.
        ConnectionProbe probe;
        const QString image = u"<img src=\"%1\">"_s.arg(probe.url(u"/probe.png"_s));
        const QString message = image + u"到貨"_s, answer = image + u"收到"_s;
        Operations &operations = app.context().operations();
        const QString other = u"U10045"_s;
        const ApiStatus posted0 = waitFor([&](ApiCompletion done) {
            operations.addBoardMsg(u"B001"_s, other, message, QString(), nullptr, std::move(done));
        });
        QVERIFY2(posted0.isSuccess, qPrintable(posted0.message));
        const QString markupId = answerOf(posted0).value(u"msgID"_s).toString();
        QVERIFY(waitFor([&](ApiCompletion done) {
            operations.addBoardReplyMsg(markupId, other, answer, QString(), nullptr, std::move(done));
        }).isSuccess);
        app.gateway().clearRequests(); // from here on, the log holds what the app sent

        // The board tab, then the first board.
        QVERIFY(taps(h, {"tab_1", "boardCell_0"}));
        auto *stack = qobject_cast<NavigationController *>(tabs->viewControllers().at(1));
        QVERIFY(stack);
        auto *list = qobject_cast<BoardMessageListViewController *>(stack->topViewController());
        QVERIFY(list);
        QCOMPARE(list->boardId(), u"B001"_s);
        QVERIFY(QTest::qWaitFor([&] { return list->rows()->count() == 10 && !list->header()->isRefreshing(); }, 10000));
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{list}; }, 2000));
        QCOMPARE(textOf(h, "navigationTitle"), u"留言板"_s);
        const auto written = [&](const QString &cell, const char *label) {
            QQuickItem *item = h.find(cell);
            return writtenTextOf(item ? item->findChild<QQuickItem *>(QLatin1String(label)) : nullptr);
        };
        QCOMPARE(written(u"boardCell_0"_s, "contentTextView"), message);
        QCOMPARE(written(u"boardCell_0"_s, "newestReplyLabel"), answer);
        // Its replies, as written too.
        QVERIFY(tap(h, "boardCellReply_0"));
        QVERIFY(qobject_cast<BoardMessageReplyListViewController *>(stack->topViewController()));
        QVERIFY(shown(h, "boardReply_0"));
        QCOMPARE(written(u"boardMessage_0"_s, "contentTextView"), message);
        QCOMPARE(written(u"boardReply_0"_s, "contentTextView"), answer);
        h.settle(700);
        h.screenshot(u"board-markup"_s);
        QVERIFY(tap(h, "backButton"));
        QCOMPARE(stack->topViewController(), list);

        // "新增留言": the composer, a text and the photo, previewed.
        QVERIFY(tap(h, "addMessageButton"));
        auto *composerStack = qobject_cast<NavigationController *>(list->presentedScreen());
        auto *composer = composerStack ? qobject_cast<AddBoardMessageViewController *>(composerStack->rootViewController()) : nullptr;
        QVERIFY(composer);
        QVERIFY(typeInto(h, "newMessageTextView", "Site photo, north gate"));
        QCOMPARE(composer->newMessageText(), u"Site photo, north gate"_s);
        // A tap outside the text input closes the keyboard.
        QQuickItem *input = h.find(u"newMessageTextView"_s);
        QVERIFY(input && input->hasActiveFocus());
        QVERIFY(tap(h, "keyboardDismissArea"));
        QVERIFY(QTest::qWaitFor([&] { return !input->hasActiveFocus(); }, 2000));
        QVERIFY(tap(h, "addPhotoButton"));
        QCOMPARE(textOf(h, "sheetButton_取消"), u"取消"_s);
        QVERIFY(!h.find(u"sheetButton_拍一張照片"_s)); // no camera here
        QVERIFY(tap(h, "sheetButton_選擇照片"));
        QVERIFY(QTest::qWaitFor([&] { return !composer->photo()->previewSource().isEmpty(); }, 10000));
        QCOMPARE(picker.picks, 1);
        h.settle();
        QVERIFY(h.find(u"selectImageView"_s));
        QVERIFY(h.find(u"cancelImageButton"_s));
        h.screenshot(u"board-composer"_s);

        // Posted: the composer closes and the new message is on top, its photo loaded from the gateway.
        QVERIFY(tap(h, "sendButton"));
        QVERIFY(alertDrawn(h, "新增成功", "確定"));
        QVERIFY(QTest::qWaitFor([&] { return !list->presentedScreen(); }, 5000));
        QVERIFY(QTest::qWaitFor([&] {
            return list->rows()->value(0, "postContent").toString() == u"Site photo, north gate"_s &&
                   !list->header()->isRefreshing();
        }, 10000));
        const QJsonObject posted = app.gateway().gatewayCalls(u"addBoardMsg"_s).last();
        QCOMPARE(posted.value(u"boardID"_s).toString(), u"B001"_s);
        QBuffer jpeg;
        jpeg.setData(QByteArray::fromBase64(posted.value(u"postPhoto"_s).toString().toLatin1()));
        jpeg.open(QIODevice::ReadOnly);
        QImageReader reader(&jpeg);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(800, 600));
        const QString own = list->rows()->value(0, "msgID").toString();
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return partOf(h, u"boardCell_0"_s, "contentImageView", "status").toInt() == 1; }, 10000));
        // Loaded through the app's disk cache.
        auto *cache = dynamic_cast<NetworkCache *>(h.engine().networkAccessManagerFactory());
        QVERIFY(cache);
        QNetworkDiskCache disk;
        disk.setCacheDirectory(cache->folder());
        const QUrl photoUrl = list->rows()->value(0, "photoURL").toUrl();
        QVERIFY(QTest::qWaitFor([&] { return disk.metaData(photoUrl).isValid(); }, 5000));
        QVERIFY(h.find(u"boardCellMenu_0"_s));
        QVERIFY(!h.find(u"boardCellMenu_1"_s));
        QCOMPARE(list->rows()->value(0, "newestReplyTitle").toString(), u"尚未有回覆"_s);
        h.screenshot(u"board-messages"_s);

        // Its replies, from the compose area at the bottom.
        QVERIFY(tap(h, "boardCellReply_0"));
        auto *replies = qobject_cast<BoardMessageReplyListViewController *>(stack->topViewController());
        QVERIFY(replies);
        QVERIFY(QTest::qWaitFor([&] { return !replies->header()->isRefreshing(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{replies}; }, 2000));
        // Without a picker set the window's own file dialog opens, made at this first request; given up, it
        // leaves the reply without a photo.
        h.ui().setPhotoPicker(nullptr);
        auto madeDialog = [&] { return h.findAll(u"photoDialog"_s).value(0)->property("item").value<QObject *>(); };
        QCOMPARE(madeDialog(), nullptr);
        QVERIFY(taps(h, {"addPhotoButton", "sheetButton_選擇照片"}));
        QObject *dialog = madeDialog();
        QVERIFY(dialog && dialog->property("visible").toBool());
        QVERIFY(QMetaObject::invokeMethod(dialog, "reject"));
        h.settle();
        QVERIFY(!replies->photo()->hasPhoto());
        h.ui().setPhotoPicker(&picker);
        // A reply with a photo, then a text reply: the sent photo is not sent again.
        QVERIFY(taps(h, {"addPhotoButton", "sheetButton_選擇照片"}));
        QVERIFY(QTest::qWaitFor([&] { return !replies->photo()->previewSource().isEmpty(); }, 10000));
        for (const char *text : {"Photo of the gate", "Thanks, noted"}) {
            QVERIFY(typeInto(h, "newMessageTextView", text));
            QVERIFY(tap(h, "sendButton"));
            QVERIFY(alertDrawn(h, "新增成功", "確定"));
            QVERIFY(!replies->photo()->hasPhoto());
        }
        QVERIFY(QTest::qWaitFor([&] { return replies->rows()->value(0, "replyCount").toString() == u"共2則留言"_s; }, 10000));
        const QList<QJsonObject> sentReplies = app.gateway().gatewayCalls(u"addBoardReplyMsg"_s);
        QCOMPARE(sentReplies.size(), 2);
        QVERIFY(!sentReplies.first().value(u"postPhoto"_s).toString().isEmpty());
        QCOMPARE(sentReplies.last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}, {"postContent", "Thanks, noted"}, {"postPhoto", ""}}));
        QCOMPARE(replies->newMessageText(), QString());
        h.settle(700);
        h.screenshot(u"board-replies"_s);

        // Back on the list: the message's row counts the two replies without a pull, and its own
        // message is deleted through its menu.
        QVERIFY(tap(h, "backButton"));
        QCOMPARE(stack->topViewController(), list);
        QCOMPARE(partOf(h, u"boardCell_0"_s, "replyCountLabel", "text").toString(), u"共2則留言"_s);
        QCOMPARE(partOf(h, u"boardCell_0"_s, "newestReplyLabel", "text").toString(), u"Thanks, noted"_s);
        QVERIFY(taps(h, {"boardCellMenu_0", "sheetButton_刪除"}));
        QVERIFY(alertDrawn(h, "已刪除留言", "確定"));
        QVERIFY(list->rows()->value(0, "msgID").toString() != own);
        QCOMPARE(app.gateway().gatewayCalls(u"deleteBoardMsg"_s).last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}}));
        QVERIFY(!h.find(u"boardCellMenu_0"_s));
        h.ui().setPhotoPicker(nullptr);
        QCOMPARE(probe.connections(), 0);
    }
};

ZELK_TEST(BoardJourneyTest)
#include "BoardJourneyTest.moc"
