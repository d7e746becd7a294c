// Message boards, notification history and the version check as served by the development gateway.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/UserPushHistory.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"
#include "services/VersionCheck.h"

#include <QBuffer>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class GatewaySimBoardsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayCalls> m_sim;

    QJsonArray page(const QString &boardID, const QString &startRow, ApiStatus *status = nullptr)
    {
        const ApiStatus s = m_sim->call(&Operations::getBoardMsgList, {{"boardID", boardID}, {"startRow", startRow}});
        if (status)
            *status = s;
        return answerOf(s).value(QStringLiteral("boardMsgList")).toArray();
    }
    QImage download(const QString &url)
    {
        QNetworkReply *reply = m_sim->client()->network()->get(QNetworkRequest(QUrl(url)));
        (void)QTest::qWaitFor([&] { return reply->isFinished(); }, 10000);
        const QImage image = QImage::fromData(reply->readAll());
        reply->deleteLater();
        return image;
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init() { m_sim->gateway()->reset(); }
    void cleanupTestCase() { m_sim.reset(); }

    void boardsPageByStartRowUntilCode90()
    {
        ApiStatus s = m_sim->call(&Operations::getBoardsList, {{"userID", "U10023"}});
        const QJsonArray boards = answerOf(s).value(QStringLiteral("boardList")).toArray();
        QCOMPARE(boards.size(), 3);
        for (const QJsonValue &b : boards)
            QVERIFY(!b.toObject().value(QStringLiteral("boardName")).toString().isEmpty());

        // Page as the message list does: the cursor is the "row" of the last message shown.
        QStringList seen;
        QString cursor = QStringLiteral("0");
        int pages = 0;
        for (;;) {
            const QJsonArray messages = page(QStringLiteral("B001"), cursor, &s);
            QVERIFY(s.isSuccess || s.returnCode == QLatin1String("90"));
            QVERIFY(s.returnJson.has_value());
            if (messages.isEmpty()) {
                QCOMPARE(s.returnCode, QStringLiteral("90"));
                break;
            }
            QVERIFY(s.isSuccess);
            ++pages;
            for (const QJsonValue &v : messages) {
                const QJsonObject m = v.toObject();
                seen << m.value(QStringLiteral("msgID")).toString();
                QVERIFY(m.value(QStringLiteral("row")).isString());
                QVERIFY(m.value(QStringLiteral("postWidth")).isDouble() && m.value(QStringLiteral("replyTotal")).isDouble());
                QCOMPARE(m.value(QStringLiteral("replyTotal")).toInt(), m.value(QStringLiteral("replyList")).toArray().size());
            }
            cursor = messages.last().toObject().value(QStringLiteral("row")).toString();
            QVERIFY(pages < 10);
        }
        QVERIFY(pages >= 3);
        QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), seen.size());

        // Photos are served by the gateway with the pixel size the message announces.
        const QJsonArray site = page(QStringLiteral("B003"), QStringLiteral("0"));
        const QJsonObject withPhoto = site.at(0).toObject();
        const QImage image = download(withPhoto.value(QStringLiteral("photoURL")).toString());
        QCOMPARE(image.width(), withPhoto.value(QStringLiteral("postWidth")).toInt());
        QCOMPARE(image.height(), withPhoto.value(QStringLiteral("postHeight")).toInt());
        QVERIFY(!download(withPhoto.value(QStringLiteral("headshot")).toString()).isNull());
        QVERIFY(!m_sim->call(&Operations::getBoardMsgList, {{"boardID", "B999"}, {"startRow", "0"}}).isSuccess);
    }

    void postsRepliesAndDeletionsChangeTheBoard()
    {
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(QColor(195, 0, 28));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(photo.save(&buffer, "JPEG", 80));
        ApiStatus s = m_sim->call(&Operations::addBoardMsg, {{"boardID", "B002"}, {"userID", "U10023"},
                                                             {"postContent", "新貨到了"}, {"postPhoto", QString::fromLatin1(jpeg.toBase64())}});
        QVERIFY2(s.isSuccess, qPrintable(s.message));
        QJsonObject top = page(QStringLiteral("B002"), QStringLiteral("0")).at(0).toObject();
        QCOMPARE(top.value(QStringLiteral("postContent")).toString(), QStringLiteral("新貨到了"));
        QCOMPARE(top.value(QStringLiteral("createUser")).toString(), QStringLiteral("U10023"));
        QCOMPARE(top.value(QStringLiteral("postWidth")).toDouble(), 800.0);
        QCOMPARE(top.value(QStringLiteral("postHeight")).toDouble(), 600.0);
        QCOMPARE(download(top.value(QStringLiteral("photoURL")).toString()).size(), QSize(800, 600));
        const QString msgID = top.value(QStringLiteral("msgID")).toString();

        // Without a photo "postPhoto" is the empty text; a photo that is no image is refused.
        QVERIFY(m_sim->call(&Operations::addBoardMsg, {{"boardID", "B002"}, {"userID", "U10045"}, {"postContent", "純文字"},
                                                       {"postPhoto", ""}}).isSuccess);
        s = m_sim->call(&Operations::addBoardMsg, {{"boardID", "B002"}, {"userID", "U10023"}, {"postContent", "x"},
                                                   {"postPhoto", "bm90IGFuIGltYWdl"}});
        QVERIFY(!s.isSuccess);
        QVERIFY(s.message.contains(QStringLiteral("照片")));

        // Replies: none yet ("90"), then one, counted on the message.
        s = m_sim->call(&Operations::getBoardReplyMsgList, {{"msgID", msgID}});
        QCOMPARE(s.returnCode, QStringLiteral("90"));
        QVERIFY(answerOf(s).value(QStringLiteral("boardReplyMsgList")).isArray());
        QVERIFY(m_sim->call(&Operations::addBoardReplyMsg, {{"msgID", msgID}, {"userID", "U10045"}, {"postContent", "恭喜"},
                                                            {"postPhoto", ""}}).isSuccess);
        s = m_sim->call(&Operations::getBoardReplyMsgList, {{"msgID", msgID}});
        QVERIFY(s.isSuccess);
        const QJsonArray replies = answerOf(s).value(QStringLiteral("boardReplyMsgList")).toArray();
        QCOMPARE(replies.size(), 1);
        QCOMPARE(answerOf(s).value(QStringLiteral("replyTotal")).toInt(), 1);
        const QString replyID = replies.at(0).toObject().value(QStringLiteral("msgID")).toString();
        QCOMPARE(page(QStringLiteral("B002"), QStringLiteral("0")).at(1).toObject().value(QStringLiteral("replyTotal")).toInt(), 1);

        // Only one's own messages and replies can be deleted.
        s = m_sim->call(&Operations::deleteBoardReplyMsg, {{"remsgID", replyID}, {"userID", "U10023"}});
        QVERIFY(!s.isSuccess);
        QCOMPARE(s.message, QStringLiteral("只能刪除自己的留言"));
        QVERIFY(m_sim->call(&Operations::deleteBoardReplyMsg, {{"remsgID", replyID}, {"userID", "U10045"}}).isSuccess);
        QVERIFY(!m_sim->call(&Operations::deleteBoardMsg, {{"msgID", msgID}, {"userID", "U10078"}}).isSuccess);
        QVERIFY(m_sim->call(&Operations::deleteBoardMsg, {{"msgID", msgID}, {"userID", "U10023"}}).isSuccess);
        const QJsonArray after = page(QStringLiteral("B002"), QStringLiteral("0"));
        QVERIFY(std::none_of(after.begin(), after.end(), [&](const QJsonValue &v) {
            return v.toObject().value(QStringLiteral("msgID")).toString() == msgID;
        }));
        QVERIFY(!m_sim->call(&Operations::deleteBoardMsg, {{"msgID", msgID}, {"userID", "U10023"}}).isSuccess);
    }

    void notificationHistoryPagesByLastNewsId()
    {
        auto history = [&](const QString &userId, const QString &last) {
            const ApiStatus s = m_sim->call(&Operations::userPushHistory, {{"userId", userId}, {"lastNewsId", last}});
            return parseList<UserPushHistory>(answerOf(s), QStringLiteral("pushList"));
        };
        QList<UserPushHistory> all;
        QString last;
        int pages = 0;
        for (;;) {
            const auto page = history(QStringLiteral("U10023"), last);
            if (page.isEmpty())
                break;
            ++pages;
            all += page;
            last = page.last().newsId;
            QVERIFY(pages < 10);
        }
        QVERIFY(pages > 2);
        QSet<QString> ids;
        for (const UserPushHistory &h : all) {
            ids.insert(h.newsId);
            QVERIFY(!h.title.isEmpty() && !h.startDate.isEmpty());
        }
        QCOMPARE(ids.size(), all.size());

        // A notification pushed through the admin side heads the history; a registered push token asks
        // for the history of its account.
        QCOMPARE(m_sim->gateway()->addPush(QStringLiteral("demo"), QStringLiteral("測試通知")).value(QStringLiteral("returnCode")).toString(),
                 QStringLiteral("00"));
        QCOMPARE(history(QStringLiteral("U10023"), QString()).first().title, QStringLiteral("測試通知"));
        QVERIFY(history(QStringLiteral("0AFF12"), QString()).isEmpty());
        QVERIFY(m_sim->call(&Operations::pushRegistration, {{"token", "0AFF12"}, {"userId", "demo"}, {"os", "0"}}).isSuccess);
        QCOMPARE(history(QStringLiteral("0AFF12"), QString()).first().title, QStringLiteral("測試通知"));
        const QList<QJsonObject> sent = m_sim->gateway()->webServiceCalls(QStringLiteral("pushRegistration"));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().value(QStringLiteral("userId")).toString(), QStringLiteral("demo"));
        QVERIFY(!m_sim->call(&Operations::pushRegistration, {{"token", ""}, {"userId", "demo"}, {"os", "0"}}).isSuccess);
    }

    void versionCheckFollowsTheChosenState()
    {
        struct Case {
            QString state;
            VersionCheck::UpdateState expected;
        };
        for (const Case &c : {Case{QStringLiteral("optional"), VersionCheck::UpdateState::Optional},
                              Case{QStringLiteral("forced"), VersionCheck::UpdateState::Forced},
                              Case{QStringLiteral("none"), VersionCheck::UpdateState::None}}) {
            QVERIFY(m_sim->gateway()->setVersionState(c.state, QStringLiteral("請更新到 1.1.0"),
                                                      QStringLiteral("https://apps.zelk-supply.com.tw/eip/download")));
            VersionCheck check(*m_sim->client());
            int alerts = 0;
            check.showUpdateAlert = [&](const QString &, bool) { ++alerts; };
            QSignalSpy finished(&check, &VersionCheck::checkFinished);
            check.checkForUpdate();
            QVERIFY(finished.wait(10000));
            QCOMPARE(check.updateState(), c.expected);
            if (c.expected != VersionCheck::UpdateState::None) {
                QCOMPARE(check.updateNote(), QStringLiteral("請更新到 1.1.0"));
                QCOMPARE(check.updateUrl(), QUrl(QStringLiteral("https://apps.zelk-supply.com.tw/eip/download")));
                QCOMPARE(alerts, 1);
            } else {
                QCOMPARE(alerts, 0);
            }
        }
        QVERIFY(!m_sim->gateway()->setVersionState(QStringLiteral("maybe")));
    }
};

ZELK_TEST(GatewaySimBoardsTest)
#include "GatewaySimBoardsTest.moc"
