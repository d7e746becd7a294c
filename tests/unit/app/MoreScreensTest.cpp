// More, About, Contact, the tile menu and the tab screen's styling.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "app/AboutViewController.h"
#include "app/ContactUsViewController.h"
#include "app/MoreViewController.h"
#include "app/Tabbar2ViewController.h"
#include "app/ViewController.h"

#include <QFile>

class MoreScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void moreRowsFollowTheVersionCheck()
    {
        AppHarness app;
        app.context->versionCheck().setVersionText(QStringLiteral("2.4.0"));
        auto *more = app.showInStack<MoreViewController>(QStringLiteral("MoreViewController"));
        QVERIFY(more);
        QCOMPARE(more->title(), QStringLiteral("更多"));

        // No newer version: the version row shows the version and two spaces, and does nothing.
        ListModelBase *rows = more->rows();
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(rows, {"subTitle", "disclosure", "highlight"}), "app/moreRows");
        QCOMPARE(more->tableViewArray()[3].function, QString());
        more->selectRow(3);
        settle();
        QVERIFY(app.ui.openedUrls().isEmpty());
        QCOMPARE(more->navigationController()->depth(), 1);

        // The service announces an optional update: the row offers it once the screen shows again.
        QVERIFY(app.gateway.setVersionState(QStringLiteral("optional"), QStringLiteral("請更新"),
                                            QStringLiteral("https://apps.zelk-supply.com.tw/eip/download")));
        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        app.context->versionCheck().checkForUpdate();
        QVERIFY(finished.wait(5000));
        app.ui.pressAlertButton(QStringLiteral("取消"));
        QCOMPARE(rows->value(3, "subTitle").toString(), QStringLiteral("2.4.0  ")); // not rebuilt yet
        // Rebuilt when the screen shows again: only the version row changes, in place.
        QSignalSpy changed(rows, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(rows, &QAbstractItemModel::rowsRemoved);
        more->viewWillAppear(false);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), 3);
        QCOMPARE(reset.size(), 0);
        QCOMPARE(rows->value(3, "subTitle").toString(), QStringLiteral("2.4.0  立刻前往更新"));
        QCOMPARE(rows->value(3, "disclosure").toBool(), true);
        QCOMPARE(rows->value(3, "highlight").toBool(), false);
        more->selectRow(3);
        QCOMPARE(app.ui.openedUrls(), QList<QUrl>({QUrl("https://apps.zelk-supply.com.tw/eip/download")}));
    }

    void moreRowsOpenTheirScreens()
    {
        AppHarness app;
        NavigationController *stack = nullptr;
        auto *more = app.showInStack<MoreViewController>(QStringLiteral("MoreViewController"), &stack);
        const QStringList expected = {"AboutViewController", "ContactUsViewController", "ChangePasswordViewController"};
        for (int row = 0; row < 3; ++row) {
            more->selectRow(row);
            settle();
            QCOMPARE(stack->depth(), 2);
            QCOMPARE(stack->topViewController()->className(), expected[row]);
            stack->pop(false);
            settle();
        }
        // Out of range does nothing.
        more->selectRow(7);
        more->selectRow(-1);
        settle();
        QCOMPARE(stack->depth(), 1);
        QVERIFY(!app.ui.hasOpenAlert());
    }

    void aboutShowsTheShippedDocument()
    {
        AppHarness app;
        auto *about = app.showInStack<AboutViewController>(QStringLiteral("AboutViewController"));
        QCOMPARE(about->title(), QStringLiteral("關於澤勒中國"));
        QCOMPARE(about->text(), QString()); // filled when laid out
        about->viewDidLayoutSubviews();
        QVERIFY(about->text().contains(QStringLiteral("<h2>關於澤勒中國</h2>")));

        // A missing document leaves the text as it was.
        AboutViewController lone;
        lone.setDocumentPath(app.dir.filePath(QStringLiteral("nothing.html")));
        lone.viewDidLayoutSubviews();
        QCOMPARE(lone.text(), QString());
        // An unreadable one too.
        const QString folder = app.dir.filePath(QStringLiteral("About.html"));
        QVERIFY(QDir().mkpath(folder));
        lone.setDocumentPath(folder);
        lone.viewDidLayoutSubviews();
        QCOMPARE(lone.text(), QString());
    }

    void contactDialsOnlyTheTelephoneRows()
    {
        AppHarness app;
        auto *contact = app.showInStack<ContactUsViewController>(QStringLiteral("ContactUsViewController"));
        QCOMPARE(contact->title(), QStringLiteral("聯絡我們"));
        for (int row = 0; row < 6; ++row)
            contact->selectRow(row);
        const auto entries = contact->tableViewArray();
        QCOMPARE(app.ui.openedUrls(), QList<QUrl>({QUrl(QStringLiteral("tel:") + entries[2].detailTitle),
                                                   QUrl(QStringLiteral("tel:") + entries[5].detailTitle)}));
    }

    void tabScreenStylesOnlyItsChildren()
    {
        AppHarness app;
        app.openStores();
        // Two children only: the other two rows are not applied.
        auto *tabs = new Tabbar2ViewController;
        tabs->setEnvironment({&app.ui, &app.storyboard, app.context.get()});
        tabs->setViewControllers({new Screen, new Screen});
        tabs->viewControllers()[1]->setTitle(QStringLiteral("child"));
        app.navigator.setRootScreen(tabs);
        settle();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabItem(0).title, QStringLiteral("首頁"));
        QCOMPARE(tabs->tabItem(1).icon, QStringLiteral("board"));

        // Without registered tab scenes the tab screen is empty, not broken.
        Storyboard empty(&app.ui, app.context.get());
        std::unique_ptr<Tabbar2ViewController> bare(Tabbar2ViewController::withTabs(empty));
        QCOMPARE(bare->count(), 0);
        bare->loadViewIfNeeded();
        QCOMPARE(bare->selectedIndex(), -1);
    }

    void tileMenuHasNoActions()
    {
        AppHarness app;
        NavigationController *stack = nullptr;
        auto *tiles = app.showInStack<ViewController>(QStringLiteral("ViewController"), &stack);
        QVERIFY(tiles);
        QCOMPARE(tiles->title(), QStringLiteral("澤勒中國"));
        QVERIFY(tiles->tiles()->count() > 0);
        for (int i = 0; i < tiles->tiles()->count(); ++i) {
            QVERIFY(!tiles->respondsTo(i));
            tiles->selectTile(i);
        }
        settle();
        QCOMPARE(stack->depth(), 1);
        QVERIFY(app.navigator.presentedScreens().isEmpty());
        QVERIFY(app.ui.calls().isEmpty());
    }
};

ZELK_TEST(MoreScreensTest)
#include "MoreScreensTest.moc"
