// The board list: rows from getBoardsList, refreshing, and opening a board.
#include "AppHarness.h"
#include "TestRegistry.h"
#include "board/BoardListViewController.h"
#include "board/BoardMessageListViewController.h"

class BoardListTest : public QObject
{
    Q_OBJECT
private slots:
    void listsTheBoardsAndRefreshes()
    {
        AppHarness app;
        app.startSignedIn();
        auto *boards = app.showInStack<BoardListViewController>(QStringLiteral("BoardListViewController"));
        QCOMPARE(boards->title(), QStringLiteral("留言版"));
        QCOMPARE(boards->header()->state(), RefreshControl::Refreshing);
        QCOMPARE(boards->header()->title(), QStringLiteral("更新資料中"));
        QTRY_COMPARE(boards->header()->state(), RefreshControl::Idle);
        QVERIFY(boards->rows()->count() >= 2);
        QCOMPARE(boards->rows()->value(0, "boardName").toString(), QStringLiteral("公司公告"));
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("getBoardsList")).first(), QJsonObject({{"userID", "U10023"}}));

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

    void selectingABoardOpensItsMessages()
    {
        AppHarness app;
        NavigationController *stack = nullptr;
        auto *boards = app.showInStack<BoardListViewController>(QStringLiteral("BoardListViewController"), &stack);
        QTRY_VERIFY(boards->rows()->count() > 0);

        boards->selectRow(1);
        settle();
        QCOMPARE(stack->depth(), 2);
        auto *messages = qobject_cast<BoardMessageListViewController *>(stack->topViewController());
        QVERIFY(messages);
        QCOMPARE(messages->boardId(), boards->tableViewArray().at(1).toObject().value("boardID").toString());
        QVERIFY(!messages->boardId().isEmpty());

        // Out of range and other transitions go nowhere.
        stack->pop(false);
        settle();
        boards->selectRow(99);
        boards->performSegue(QStringLiteral("OtherSegue"), 0);
        settle();
        QCOMPARE(stack->depth(), 1);
    }
};

ZELK_TEST(BoardListTest)
#include "BoardListTest.moc"
