// The board list: rows from getBoardsList, refreshing, and opening a board.
#include "AppHarness.h"
#include "TestRegistry.h"
#include "board/BoardListViewController.h"
#include "board/BoardMessageListViewController.h"

class BoardListTest : public QObject
{
    Q_OBJECT
private slots:
    void listsTheBoardsRefreshesAndOpensOne()
    {
        AppHarness app;
        app.startSignedIn();
        NavigationController *stack = nullptr;
        auto *boards = app.showInStack<BoardListViewController>(QStringLiteral("BoardListViewController"), &stack);
        QCOMPARE(boards->header()->state(), RefreshControl::Refreshing);
        QCOMPARE(boards->header()->title(), QStringLiteral("更新資料中"));
        QTRY_COMPARE(boards->header()->state(), RefreshControl::Idle);
        QVERIFY(boards->rows()->count() >= 2);
        QCOMPARE(boards->rows()->value(0, "boardName").toString(), QStringLiteral("公司公告"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("getBoardsList")).first(), QJsonObject({{"userID", "U10023"}}));

        // A row opens its own board; out of range and other transitions go nowhere.
        boards->selectRow(99);
        boards->performSegue(QStringLiteral("OtherSegue"), 0);
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
};

ZELK_TEST(BoardListTest)
#include "BoardListTest.moc"
