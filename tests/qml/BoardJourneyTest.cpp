// A sales rep on the message board through the real window against the development gateway: open a
// board, read another user's message and reply whose texts hold markup (drawn as written, the image they
// name never fetched), post a message with a photo from disk, see it on top with its photo, reply to it,
// delete it.
#include "GatewayCalls.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "board/BoardMessageListViewController.h"
#include "services/Operations.h"
#include "ui/NavigationController.h"
#include "ui/NetworkCache.h"
#include "ui/TabBarController.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkDiskCache>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The board tab, then the first board: its message list once the ten newest are drawn, or null.
BoardMessageListViewController *openBoard(QmlHarness &h, TabBarController *tabs)
{
    if (!play(h, "board/open"))
        return nullptr;
    auto *stack = qobject_cast<NavigationController *>(tabs->viewControllers().at(1));
    auto *list = qobject_cast<BoardMessageListViewController *>(stack->topViewController());
    const auto drawn = [&] { return list->rows()->count() == 10 && !list->header()->isRefreshing(); };
    return list && QTest::qWaitFor(drawn, 10000) ? list : nullptr;
}
} // namespace

class BoardJourneyTest : public QObject
{
    Q_OBJECT
private slots:

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
        const QString file = dir.filePath(u"site.jpg"_s);
        QVERIFY(photo.save(file, "JPEG", 90));
        FilePhotoPicker picker;
        picker.file = file;
        h.ui().setPhotoPicker(&picker);

        // Another user (林雅婷) posts a message and replies to it, both with markup naming an image.
        const QString image = app.probeMarkup();
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

        // The other user's texts are drawn as written, on the first board's list and among the replies.
        BoardMessageListViewController *list = openBoard(h, tabs);
        QVERIFY(list);
        QCOMPARE(writtenTextOf(h, u"boardCell_0"_s, "contentTextView"), message);
        QCOMPARE(writtenTextOf(h, u"boardCell_0"_s, "newestReplyLabel"), answer);
        QVERIFY(play(h, "board/markupReplies"));
        QCOMPARE(writtenTextOf(h, u"boardMessage_0"_s, "contentTextView"), message);
        QCOMPARE(writtenTextOf(h, u"boardReply_0"_s, "contentTextView"), answer);
        QVERIFY(play(h, "board/backToList"));

        // "新增留言": a text (a tap outside it closes the keyboard) and the photo, previewed.
        QVERIFY(play(h, "board/compose"));
        QVERIFY(play(h, "board/pickLibraryPhoto")); // no camera here: only the library is offered
        QCOMPARE(picker.picks, 1);

        // Posted: the composer closes and the new message is on top, its photo loaded from the gateway.
        QVERIFY(play(h, "board/post"));
        QVERIFY(QTest::qWaitFor([&] { return !list->header()->isRefreshing(); }, 10000));
        const QJsonObject posted = app.gateway().gatewayCalls(u"addBoardMsg"_s).last();
        QCOMPARE(posted.value(u"boardID"_s).toString(), u"B001"_s);
        QBuffer jpeg;
        jpeg.setData(QByteArray::fromBase64(posted.value(u"postPhoto"_s).toString().toLatin1()));
        jpeg.open(QIODevice::ReadOnly);
        QImageReader reader(&jpeg);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(800, 600));
        const QString own = list->rows()->value(0, "msgID").toString();
        QVERIFY(play(h, "board/ownOnTop"));
        // Loaded through the app's disk cache.
        auto *cache = dynamic_cast<NetworkCache *>(h.engine().networkAccessManagerFactory());
        QVERIFY(cache);
        QNetworkDiskCache disk;
        disk.setCacheDirectory(cache->folder());
        const QUrl photoUrl = list->rows()->value(0, "photoURL").toUrl();
        QVERIFY(QTest::qWaitFor([&] { return disk.metaData(photoUrl).isValid(); }, 5000));

        // Its replies, from the compose area at the bottom: a reply with a photo, then a text reply; the
        // sent photo is not sent again.
        QVERIFY(play(h, "board/openReplies"));
        // Without a picker set the window's own file dialog opens, made at this first request; given up, it
        // leaves the reply without a photo.
        h.ui().setPhotoPicker(nullptr);
        auto madeDialog = [&] { return h.findAll(u"photoDialog"_s).value(0)->property("item").value<QObject *>(); };
        QCOMPARE(madeDialog(), nullptr);
        QVERIFY(play(h, "board/pickPhoto"));
        QObject *dialog = madeDialog();
        QVERIFY(dialog && dialog->property("visible").toBool());
        QVERIFY(QMetaObject::invokeMethod(dialog, "reject"));
        h.settle();
        QVERIFY(play(h, "board/noPhoto"));
        h.ui().setPhotoPicker(&picker);
        QVERIFY(play(h, "board/photoReply"));
        QVERIFY(play(h, "board/textReply"));
        const QList<QJsonObject> sentReplies = app.gateway().gatewayCalls(u"addBoardReplyMsg"_s);
        QCOMPARE(sentReplies.size(), 2);
        QVERIFY(!sentReplies.first().value(u"postPhoto"_s).toString().isEmpty());
        QCOMPARE(sentReplies.last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}, {"postContent", "Thanks, noted"}, {"postPhoto", ""}}));
        // Back on the list: the message's row counts the two replies without a pull, and its own
        // message is deleted through its menu.
        QVERIFY(play(h, "board/deleteOwn"));
        QCOMPARE(app.gateway().gatewayCalls(u"deleteBoardMsg"_s).last(),
                 QJsonObject({{"msgID", own}, {"userID", "U10023"}}));
        h.ui().setPhotoPicker(nullptr);
        QCOMPARE(app.probeFetches(), 0);
    }

    // A post whose answer is lost after the gateway has taken it: sent again, the app finds it on the
    // board instead of posting it twice.
    void lostPostSentAgainIsOnTheBoardOnce()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        BoardMessageListViewController *list = openBoard(h, tabs);
        QVERIFY(list);
        QVERIFY(app.gateway().setFault(
            QJsonObject{{"operation", "addBoardMsg"}, {"mode", "close"}, {"execute", true}}));
        QVERIFY(play(h, "board/lostPost"));
        QVERIFY(QTest::qWaitFor([&] { return !list->header()->isRefreshing(); }, 10000));
        QCOMPARE(app.gateway().gatewayCalls(u"addBoardMsg"_s).size(), 1);
        // Drawn once: the second cell is an older message.
        QVERIFY(QTest::qWaitFor([&] { return h.find(u"boardCell_1"_s); }, 5000));
        QVERIFY(writtenTextOf(h, u"boardCell_1"_s, "contentTextView") != u"Gate 3 closed today"_s);
    }
};

ZELK_TEST(BoardJourneyTest)
#include "BoardJourneyTest.moc"
