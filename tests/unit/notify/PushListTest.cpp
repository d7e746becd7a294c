// The notification list: paging by the last newsId, the footer's states, and whose history is asked for.
#include "AppHarness.h"
#include "TestRegistry.h"
#include "notify/PushListViewController.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

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
        auto *list = app.showInStack<PushListViewController>(Scene::PushList);
        // The header loads the first page at once.
        QCOMPARE(list->header()->state(), RefreshControl::Refreshing);
        QCOMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        const QList<UserPushHistory> firstPage = list->collectionViewArray();
        QCOMPARE(firstPage.size(), 10); // the seed's page size
        QCOMPARE(list->footer()->title(), QStringLiteral("上滑繼續載入"));
        QCOMPARE(list->rows()->value(0, "title").toString(), firstPage.first().title);
        QCOMPARE(list->rows()->value(0, "time").toString(), firstPage.first().startDate);

        // Each footer pull continues after the last newsId shown.
        for (const int size : {20, 25}) {
            const QString last = list->collectionViewArray().last().newsId;
            list->footer()->release();
            QCOMPARE(list->footer()->title(), QStringLiteral("正在更新中"));
            QTRY_COMPARE(list->collectionViewArray().size(), size);
            QCOMPARE(cursors(app).last(), last);
            QCOMPARE(list->footer()->state(), RefreshControl::Idle);
        }

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
        QTRY_COMPARE(list->collectionViewArray(), firstPage);
        QCOMPARE(cursors(app).last(), QString());
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);

        // A slow page, and the header pulled meanwhile: the stale page is not appended to the fresh one.
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("delay"), 400));
        list->footer()->release();
        QTRY_COMPARE(cursors(app).size(), sent + 2);
        list->header()->beginRefreshing();
        QTRY_COMPARE(cursors(app).size(), sent + 3);
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        QTRY_VERIFY(app.context->client().network()->findChildren<QNetworkReply *>().isEmpty());
        settle();
        QCOMPARE(list->collectionViewArray(), firstPage);
        QCOMPARE(list->footer()->state(), RefreshControl::Idle);

        // A failure is an empty page: no alert, no more data; the next header pull brings the records back.
        QVERIFY(app.gateway.setFault(QStringLiteral("userPushHistory"), QStringLiteral("invalidJson")));
        list->header()->beginRefreshing();
        QTRY_COMPARE(cursors(app).size(), sent + 4);
        QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
        QCOMPARE(list->collectionViewArray().size(), 0);
        QCOMPARE(list->footer()->state(), RefreshControl::NoMoreData);
        QVERIFY(!app.ui.hasOpenAlert());
        list->header()->beginRefreshing();
        QTRY_COMPARE(list->collectionViewArray(), firstPage);
    }

    // Without a signed-in user the device's push token is asked for, else nobody.
    void historyOfTheUserElseTheDeviceElseNobody()
    {
        AppHarness app;
        app.openStores();
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        for (int i = 0; i < 2; ++i) {
            auto *list = app.showInStack<PushListViewController>(Scene::PushList);
            QTRY_COMPARE(list->header()->state(), RefreshControl::Idle);
            app.context->secureStore().remove(QStringLiteral("pushToken"));
        }
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("userPushHistory")),
                 (QList<QJsonObject>{QJsonObject{{"userId", "0AFF"}, {"lastNewsId", ""}},
                                     QJsonObject{{"userId", ""}, {"lastNewsId", ""}}}));
    }
};

ZELK_TEST(PushListTest)
#include "PushListTest.moc"
