// The notification list: paging by the last newsId, the footer's states, and whose history is asked for.
#include "AppHarness.h"
#include "TestRegistry.h"
#include "notify/PushListViewController.h"

class PushListTest : public QObject
{
    Q_OBJECT

    static QStringList cursors(AppHarness &app)
    {
        QStringList list;
        for (const QJsonObject &call : app.gateway.webServiceCalls(QStringLiteral("userPushHistory")))
            list << call.value(QLatin1String("lastNewsId")).toString();
        return list;
    }

private slots:
    void pagesUntilAnEmptyPage()
    {
        AppHarness app;
        app.startSignedIn();
        auto *list = app.showInStack<PushListViewController>(QStringLiteral("PushListViewController"));
        // The header loads the first page at once.
        QCOMPARE(list->header()->state(), RefreshControl::Refreshing);
        QCOMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        QCOMPARE(list->collectionViewArray().size(), 10); // the seed's page size
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);
        QCOMPARE(list->footer()->title(), QStringLiteral("上滑繼續載入"));
        QCOMPARE(list->rows()->count(), 10);
        QCOMPARE(list->rows()->value(0, "title").toString(), list->collectionViewArray().first().title);
        QCOMPARE(list->rows()->value(0, "time").toString(), list->collectionViewArray().first().startDate);

        // Each footer pull continues after the last newsId shown.
        QString last = list->collectionViewArray().last().newsId;
        list->footer()->release();
        QCOMPARE(list->footer()->title(), QStringLiteral("正在更新中"));
        QTRY_COMPARE(list->collectionViewArray().size(), 20);
        QCOMPARE(cursors(app).last(), last);
        last = list->collectionViewArray().last().newsId;
        list->footer()->release();
        QTRY_COMPARE(list->collectionViewArray().size(), 25);
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);

        // The next page is empty: no more data, and further pulls send nothing.
        list->footer()->release();
        QTRY_COMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QCOMPARE(list->footer()->title(), QStringLiteral("已無資料"));
        QCOMPARE(list->collectionViewArray().size(), 25);
        const int sent = int(cursors(app).size());
        list->footer()->release();
        list->footer()->beginRefreshing();
        settle();
        QCOMPARE(cursors(app).size(), sent);

        // A header pull starts over and lets the footer page again.
        list->header()->beginRefreshing();
        QCOMPARE(list->collectionViewArray().size(), 0);
        QTRY_COMPARE(list->collectionViewArray().size(), 10);
        QCOMPARE(cursors(app).last(), QString());
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);
    }

    void failuresAreEmptyPages()
    {
        AppHarness app;
        app.startSignedIn();
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("invalidJson")));
        auto *list = app.showInStack<PushListViewController>(QStringLiteral("PushListViewController"));
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        QCOMPARE(list->collectionViewArray().size(), 0);
        QCOMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QVERIFY(!app.ui.hasOpenAlert());
        // The next header pull brings the records back.
        list->header()->beginRefreshing();
        QTRY_COMPARE(list->collectionViewArray().size(), 10);
    }

    void historyOfTheUserElseTheDeviceElseNobody()
    {
        AppHarness app;
        app.openStores();
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        {
            auto *list = app.showInStack<PushListViewController>(QStringLiteral("PushListViewController"));
            QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        }
        app.context->secureStore().remove(QStringLiteral("pushToken"));
        {
            auto *list = app.showInStack<PushListViewController>(QStringLiteral("PushListViewController"));
            QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        }
        const auto calls = app.gateway.webServiceCalls(QStringLiteral("userPushHistory"));
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0], QJsonObject({{"userId", "0AFF"}, {"lastNewsId", ""}}));
        QCOMPARE(calls[1], QJsonObject({{"userId", ""}, {"lastNewsId", ""}}));
    }

    void aPageAskedBeforeAHeaderPullIsDropped()
    {
        AppHarness app;
        app.startSignedIn();
        auto *list = app.showInStack<PushListViewController>(QStringLiteral("PushListViewController"));
        QTRY_COMPARE(list->collectionViewArray().size(), 10);
        const QList<UserPushHistory> firstPage = list->collectionViewArray();

        // The second page is slow; the user pulls the header meanwhile.
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("delay"), 400));
        list->footer()->release();
        QTRY_COMPARE(cursors(app).size(), 2);
        list->header()->beginRefreshing();
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        QTest::qWait(600); // the slow page has come and gone
        // Only the fresh first page: the stale second page was not appended to it.
        QCOMPARE(list->collectionViewArray(), firstPage);
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);
    }
};

ZELK_TEST(PushListTest)
#include "PushListTest.moc"
