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

namespace {
// A property of a part of a drawn cell (the image's status, 1 once loaded; a label's text).
QVariant partOf(QmlHarness &h, const QString &cell, const char *part, const char *property)
{
    QQuickItem *item = h.find(cell);
    QQuickItem *child = item ? item->findChild<QQuickItem *>(QLatin1String(part)) : nullptr;
    return child ? child->property(property) : QVariant();
}
int imageStatus(QmlHarness &h, const QString &cell, const char *image)
{
    const QVariant status = partOf(h, cell, image, "status");
    return status.isValid() ? status.toInt() : -1;
}
} // namespace

class BoardJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

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
        const QString file = dir.filePath(QStringLiteral("site.jpg"));
        QVERIFY(photo.save(file, "JPEG", 90));
        FilePhotoPicker picker;
        picker.file = file;
        h.ui().setPhotoPicker(&picker);

        // Another user (林雅婷) posts a message and replies to it, both with markup naming the probe.
        ConnectionProbe probe;
        const QString image = QStringLiteral("<img src=\"%1\">").arg(probe.url(QStringLiteral("/probe.png")));
        const QString message = image + QStringLiteral("到貨"), answer = image + QStringLiteral("收到");
        Operations &operations = app.context().operations();
        const QString other = QStringLiteral("U10045");
        const ApiStatus posted0 = waitFor([&](ApiCompletion done) {
            operations.addBoardMsg(QStringLiteral("B001"), other, message, QString(), nullptr, std::move(done));
        });
        QVERIFY2(posted0.isSuccess, qPrintable(posted0.message));
        const QString markupId = answerOf(posted0).value(QStringLiteral("msgID")).toString();
        QVERIFY(waitFor([&](ApiCompletion done) {
            operations.addBoardReplyMsg(markupId, other, answer, QString(), nullptr, std::move(done));
        }).isSuccess);
        app.gateway().clearRequests(); // from here on, the log holds what the app sent

        // The board tab, then the first board.
        QVERIFY(tap(h, QStringLiteral("tab_1")));
        auto *stack = qobject_cast<NavigationController *>(tabs->viewControllers().at(1));
        QVERIFY(stack);
        QVERIFY(tap(h, QStringLiteral("boardCell_0")));
        auto *list = qobject_cast<BoardMessageListViewController *>(stack->topViewController());
        QVERIFY(list);
        QCOMPARE(list->boardId(), QStringLiteral("B001"));
        QVERIFY(QTest::qWaitFor([&] { return list->rows()->count() == 10 && !list->header()->isRefreshing(); }, 10000));
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{list}; }, 2000));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("留言板"));
        const auto written = [&](const QString &cell, const char *label) {
            QQuickItem *item = h.find(cell);
            return writtenTextOf(item ? item->findChild<QQuickItem *>(QLatin1String(label)) : nullptr);
        };
        QCOMPARE(written(QStringLiteral("boardCell_0"), "contentTextView"), message);
        QCOMPARE(written(QStringLiteral("boardCell_0"), "newestReplyLabel"), answer);
        // Its replies, as written too.
        QVERIFY(tap(h, QStringLiteral("boardCellReply_0")));
        auto *markupReplies = qobject_cast<BoardMessageReplyListViewController *>(stack->topViewController());
        QVERIFY(markupReplies);
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("boardReply_0")) != nullptr; }, 10000));
        QCOMPARE(written(QStringLiteral("boardMessage_0"), "contentTextView"), message);
        QCOMPARE(written(QStringLiteral("boardReply_0"), "contentTextView"), answer);
        h.settle(700);
        h.screenshot(QStringLiteral("board-markup"));
        QVERIFY(tap(h, QStringLiteral("backButton")));
        QCOMPARE(stack->topViewController(), list);

        // "新增留言": the composer, a text and the photo, previewed.
        QVERIFY(tap(h, QStringLiteral("addMessageButton")));
        auto *composerStack = qobject_cast<NavigationController *>(list->presentedScreen());
        QVERIFY(composerStack);
        auto *composer = qobject_cast<AddBoardMessageViewController *>(composerStack->rootViewController());
        QVERIFY(composer);
        QVERIFY(tap(h, QStringLiteral("newMessageTextView")));
        typeText(h.window(), "Site photo, north gate");
        QCOMPARE(composer->newMessageText(), QStringLiteral("Site photo, north gate"));
        // A tap outside the text input closes the keyboard.
        QQuickItem *input = h.find(QStringLiteral("newMessageTextView"));
        QVERIFY(input && input->hasActiveFocus());
        QVERIFY(tap(h, QStringLiteral("keyboardDismissArea")));
        QVERIFY(QTest::qWaitFor([&] { return !input->hasActiveFocus(); }, 2000));
        QVERIFY(tap(h, QStringLiteral("addPhotoButton")));
        QCOMPARE(textOf(h, QStringLiteral("sheetButton_取消")), QStringLiteral("取消"));
        QVERIFY(!h.find(QStringLiteral("sheetButton_拍一張照片"))); // no camera here
        QVERIFY(tap(h, QStringLiteral("sheetButton_選擇照片")));
        QVERIFY(QTest::qWaitFor([&] { return !composer->photo()->previewSource().isEmpty(); }, 10000));
        QCOMPARE(picker.picks, 1);
        h.settle();
        QVERIFY(h.find(QStringLiteral("selectImageView")));
        QVERIFY(h.find(QStringLiteral("cancelImageButton")));
        h.screenshot(QStringLiteral("board-composer"));

        // Posted: the composer closes and the new message is on top, its photo loaded from the gateway.
        QVERIFY(tap(h, QStringLiteral("sendButton")));
        QVERIFY(alertDrawn(h, QStringLiteral("新增成功"), QStringLiteral("確定")));
        QVERIFY(QTest::qWaitFor([&] { return !list->presentedScreen(); }, 5000));
        QVERIFY(QTest::qWaitFor([&] {
            return list->rows()->value(0, "postContent").toString() == QStringLiteral("Site photo, north gate") &&
                   !list->header()->isRefreshing();
        }, 10000));
        const QJsonObject posted = app.gateway().gatewayCalls(QStringLiteral("addBoardMsg")).last();
        QCOMPARE(posted.value(QStringLiteral("boardID")).toString(), QStringLiteral("B001"));
        QBuffer jpeg;
        jpeg.setData(QByteArray::fromBase64(posted.value(QStringLiteral("postPhoto")).toString().toLatin1()));
        jpeg.open(QIODevice::ReadOnly);
        QImageReader reader(&jpeg);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(800, 600));
        const QString own = list->rows()->value(0, "msgID").toString();
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return imageStatus(h, QStringLiteral("boardCell_0"), "contentImageView") == 1; }, 10000));
        // Loaded through the app's disk cache.
        auto *cache = dynamic_cast<NetworkCache *>(h.engine().networkAccessManagerFactory());
        QVERIFY(cache);
        QNetworkDiskCache disk;
        disk.setCacheDirectory(cache->folder());
        const QUrl photoUrl = list->rows()->value(0, "photoURL").toUrl();
        QVERIFY(QTest::qWaitFor([&] { return disk.metaData(photoUrl).isValid(); }, 5000));
        QVERIFY(h.find(QStringLiteral("boardCellMenu_0")));
        QVERIFY(!h.find(QStringLiteral("boardCellMenu_1")));
        QCOMPARE(list->rows()->value(0, "newestReplyTitle").toString(), QStringLiteral("尚未有回覆"));
        h.screenshot(QStringLiteral("board-messages"));

        // Its replies, from the compose area at the bottom.
        QVERIFY(tap(h, QStringLiteral("boardCellReply_0")));
        auto *replies = qobject_cast<BoardMessageReplyListViewController *>(stack->topViewController());
        QVERIFY(replies);
        QVERIFY(QTest::qWaitFor([&] { return !replies->header()->isRefreshing(); }, 10000));
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{replies}; }, 2000));
        // A reply with a photo, then a text reply: the sent photo is not sent again.
        QVERIFY(tap(h, QStringLiteral("addPhotoButton")));
        QVERIFY(tap(h, QStringLiteral("sheetButton_選擇照片")));
        QVERIFY(QTest::qWaitFor([&] { return !replies->photo()->previewSource().isEmpty(); }, 10000));
        for (const char *text : {"Photo of the gate", "Thanks, noted"}) {
            QVERIFY(tap(h, QStringLiteral("newMessageTextView")));
            typeText(h.window(), text);
            QVERIFY(tap(h, QStringLiteral("sendButton")));
            QVERIFY(alertDrawn(h, QStringLiteral("新增成功"), QStringLiteral("確定")));
            QVERIFY(!replies->photo()->hasPhoto());
        }
        QVERIFY(QTest::qWaitFor([&] { return replies->rows()->value(0, "replyCount").toString() == QStringLiteral("共2則留言"); }, 10000));
        const QList<QJsonObject> sentReplies = app.gateway().gatewayCalls(QStringLiteral("addBoardReplyMsg"));
        QCOMPARE(sentReplies.size(), 2);
        QVERIFY(!sentReplies.first().value(QStringLiteral("postPhoto")).toString().isEmpty());
        QCOMPARE(sentReplies.last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}, {"postContent", "Thanks, noted"}, {"postPhoto", ""}}));
        QCOMPARE(replies->newMessageText(), QString());
        h.settle(700);
        h.screenshot(QStringLiteral("board-replies"));

        // Back on the list: the message's row counts the two replies without a pull, and its own
        // message is deleted through its menu.
        QVERIFY(tap(h, QStringLiteral("backButton")));
        QCOMPARE(stack->topViewController(), list);
        QCOMPARE(partOf(h, QStringLiteral("boardCell_0"), "replyCountLabel", "text").toString(), QStringLiteral("共2則留言"));
        QCOMPARE(partOf(h, QStringLiteral("boardCell_0"), "newestReplyLabel", "text").toString(), QStringLiteral("Thanks, noted"));
        QVERIFY(tap(h, QStringLiteral("boardCellMenu_0")));
        QVERIFY(tap(h, QStringLiteral("sheetButton_刪除")));
        QVERIFY(alertDrawn(h, QStringLiteral("已刪除留言"), QStringLiteral("確定")));
        QVERIFY(list->rows()->value(0, "msgID").toString() != own);
        QCOMPARE(app.gateway().gatewayCalls(QStringLiteral("deleteBoardMsg")).last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}}));
        QVERIFY(!h.find(QStringLiteral("boardCellMenu_0")));
        h.ui().setPhotoPicker(nullptr);
        QCOMPARE(probe.connections(), 0);
    }
};

ZELK_TEST(BoardJourneyTest)
#include "BoardJourneyTest.moc"
